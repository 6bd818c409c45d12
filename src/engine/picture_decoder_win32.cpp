// The Windows picture decoder: WIC reads BMP, GIF and JPEG (first frame, converted to
// premultiplied 32-bit BGRA so transparent parts come out black), metafiles are played
// by GDI. Paths are converted to UTF-16 for the wide APIs.
#include <wincodec.h>
#include <windows.h>

#include <vector>

#include "engine/picture_checks.h"
#include "engine/picture_decoder.h"
#include "engine/picture_decoder_win32.h"
#include "settings/wide_text_win32.h"

namespace velnor {
namespace {

template <typename T>
struct ComPtr {
    T* p = nullptr;
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (p) p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

// Keeps COM initialised on this thread for the decoder's lifetime. A thread already
// initialised in another mode (RPC_E_CHANGED_MODE) can use COM as it is.
class ComScope {
  public:
    ComScope() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (initialised_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    bool initialised_;
};

// Reads a whole file; refuses files larger than `limit` bytes.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::wstring& path, long long limit) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> out;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart <= limit) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        if (bytes.empty() ||
            (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
             read == bytes.size())) {
            out = std::move(bytes);
        }
    }
    CloseHandle(file);
    return out;
}

class WicReader {
  public:
    WicReader() {
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         IID_IWICImagingFactory, reinterpret_cast<void**>(&factory_));
    }

    std::optional<PictureSize> ProbeFile(const std::wstring& path) {
        ComPtr<IWICBitmapFrameDecode> frame;
        if (!OpenFile(path, frame)) return std::nullopt;
        return SizeOf(frame);
    }
    std::optional<Surface> DecodeMemory(const std::uint8_t* data, std::size_t size) {
        ComPtr<IWICStream> stream;
        ComPtr<IWICBitmapDecoder> decoder;
        ComPtr<IWICBitmapFrameDecode> frame;
        if (!factory_ || !data || size == 0 || size > 0xFFFFFFFFu) return std::nullopt;
        if (FAILED(factory_->CreateStream(&stream)) ||
            FAILED(
                stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size))) ||
            FAILED(factory_->CreateDecoderFromStream(stream.p, nullptr,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) ||
            FAILED(decoder->GetFrame(0, &frame))) {
            return std::nullopt;
        }
        return Convert(frame);
    }

  private:
    bool OpenFile(const std::wstring& path, ComPtr<IWICBitmapFrameDecode>& frame) {
        ComPtr<IWICBitmapDecoder> decoder;
        return factory_ &&
               SUCCEEDED(factory_->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                             WICDecodeMetadataCacheOnDemand,
                                                             &decoder)) &&
               SUCCEEDED(decoder->GetFrame(0, &frame));
    }

    static std::optional<PictureSize> SizeOf(ComPtr<IWICBitmapFrameDecode>& frame) {
        UINT width = 0, height = 0;
        if (FAILED(frame->GetSize(&width, &height))) return std::nullopt;
        if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) return std::nullopt;
        return PictureSize{static_cast<int>(width), static_cast<int>(height)};
    }

    // The size is checked before any pixel is decoded.
    std::optional<Surface> Convert(ComPtr<IWICBitmapFrameDecode>& frame) {
        const std::optional<PictureSize> size = SizeOf(frame);
        if (!size || !IsAcceptablePictureSize(size->width, size->height)) return std::nullopt;
        ComPtr<IWICFormatConverter> converter;
        if (FAILED(factory_->CreateFormatConverter(&converter)) ||
            FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppPBGRA,
                                         WICBitmapDitherTypeNone, nullptr, 0.0,
                                         WICBitmapPaletteTypeCustom))) {
            return std::nullopt;
        }
        Surface out(size->width, size->height);
        const UINT stride = static_cast<UINT>(out.pitch());
        const UINT bytes = stride * static_cast<UINT>(out.height());
        if (FAILED(converter->CopyPixels(nullptr, stride, bytes,
                                         reinterpret_cast<BYTE*>(out.data())))) {
            return std::nullopt;
        }
        for (std::size_t i = 0; i < static_cast<std::size_t>(out.width()) * out.height(); ++i) {
            out.data()[i] &= 0x00FFFFFFu;
        }
        return out;
    }

    ComPtr<IWICImagingFactory> factory_;
};

// Files beyond this are refused unread (a 100-megapixel 24-bit BMP is about 300 MB).
constexpr long long kMaxFileBytes = 512ll * 1024 * 1024;

// Files are read whole and checked for completeness (a cut-off JPEG or BMP would be
// decoded with grey or black where its data ends), then decoded from memory.
class Win32PictureDecoder final : public PictureDecoder {
  public:
    std::optional<PictureSize> Probe(const std::string& utf8Path) override {
        const std::wstring path = WideFromUtf8(utf8Path);
        if (path.empty()) return std::nullopt;
        if (auto size = reader_.ProbeFile(path)) return size;
        const auto bytes = ReadWholeFile(path, kMaxFileBytes);
        if (!bytes || SniffPictureKind(*bytes) != PictureKind::kMetafile) return std::nullopt;
        if (auto size = PlaceableMetafileSize(*bytes, MetafilePixelsPerInch())) return size;
        const auto played = DecodeMetafileBytes(bytes->data(), bytes->size());
        if (!played) return std::nullopt;
        return PictureSize{played->width(), played->height()};
    }

    std::optional<Surface> Decode(const std::string& utf8Path) override {
        const std::wstring path = WideFromUtf8(utf8Path);
        if (path.empty()) return std::nullopt;
        auto bytes = ReadWholeFile(path, kMaxFileBytes);
        if (!bytes || !CompleteForDecoding(*bytes)) return std::nullopt;
        if (SniffPictureKind(*bytes) == PictureKind::kMetafile) {
            return DecodeMetafileBytes(bytes->data(), bytes->size());
        }
        return reader_.DecodeMemory(bytes->data(), bytes->size());
    }

  private:
    ComScope com_;  // first member: COM is up before the reader is made
    WicReader reader_;
};

}  // namespace

std::unique_ptr<PictureDecoder> MakePictureDecoder() {
    return std::make_unique<Win32PictureDecoder>();
}

std::optional<Surface> DecodePictureFromMemory(const std::uint8_t* data, std::size_t size) {
    ComScope com;
    WicReader reader;
    return reader.DecodeMemory(data, size);
}

}  // namespace velnor
