// The Windows picture decoder: WIC reads BMP, GIF, JPEG and PNG (first frame, converted to
// premultiplied 32-bit BGRA so transparent parts come out black, JPEGs scaled down while
// decoding where they are drawn smaller), metafiles are played by GDI. Paths are
// converted to UTF-16 for the wide APIs.
#include <wincodec.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "engine/picture_decoder.h"
#include "engine/picture_decoder_win32.h"
#include "engine/picture_format.h"
#include "engine/picture_reading.h"
#include "settings/file_io.h"
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

class WicReader {
  public:
    static constexpr int kStripRows = 64;

    WicReader() {
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         IID_IWICImagingFactory, reinterpret_cast<void**>(&factory_));
    }

    // The first frame, which must be `stored` in size, decoded at `decodeSize`: a JPEG's
    // decoder then scales while it decodes (`smooth`); other kinds shrink colour on colour.
    // With a `part`, only that part of the frame (at its own size) is kept.
    std::optional<Surface> DecodeMemory(const std::uint8_t* data, std::size_t size,
                                        PictureSize stored, PictureSize decodeSize,
                                        bool smooth = true, PictureBox part = {}) {
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
        const std::optional<PictureSize> frameSize = SizeOf(frame);
        if (!frameSize || *frameSize != stored) return std::nullopt;  // not what the header said
        return Convert(
            frame, decodeSize,
            smooth ? WICBitmapInterpolationModeFant : WICBitmapInterpolationModeNearestNeighbor,
            part);
    }

  private:
    static std::optional<PictureSize> SizeOf(ComPtr<IWICBitmapFrameDecode>& frame) {
        UINT width = 0, height = 0;
        if (FAILED(frame->GetSize(&width, &height))) return std::nullopt;
        if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) return std::nullopt;
        return PictureSize{static_cast<int>(width), static_cast<int>(height)};
    }

    // Converts to premultiplied BGRA at `size`, through the scaler when that differs
    // from the frame's own size.
    std::optional<Surface> Convert(ComPtr<IWICBitmapFrameDecode>& frame, PictureSize size,
                                   WICBitmapInterpolationMode mode, PictureBox part) {
        if (!IsAcceptablePictureSize(size.width, size.height)) return std::nullopt;
        ComPtr<IWICBitmapScaler> scaler;
        IWICBitmapSource* source = frame.p;
        const std::optional<PictureSize> own = SizeOf(frame);
        if (!own) return std::nullopt;
        if (*own != size) {
            if (FAILED(factory_->CreateBitmapScaler(&scaler)) ||
                FAILED(scaler->Initialize(frame.p, static_cast<UINT>(size.width),
                                          static_cast<UINT>(size.height), mode))) {
                return std::nullopt;
            }
            source = scaler.p;
        }
        ComPtr<IWICFormatConverter> converter;
        if (FAILED(factory_->CreateFormatConverter(&converter)) ||
            FAILED(converter->Initialize(source, GUID_WICPixelFormat32bppPBGRA,
                                         WICBitmapDitherTypeNone, nullptr, 0.0,
                                         WICBitmapPaletteTypeCustom))) {
            return std::nullopt;
        }
        if (!part.empty() &&
            (part.left < 0 || part.top < 0 || part.left + part.width > size.width ||
             part.top + part.height > size.height)) {
            return std::nullopt;
        }
        const PictureBox wanted = part.empty() ? PictureBox{0, 0, size.width, size.height} : part;
        Surface out(wanted.width, wanted.height);
        const UINT stride = static_cast<UINT>(out.pitch());
        // A strip of rows at a time, top to bottom: a scaler then reads only the rows of
        // the frame that each strip needs, where one request for everything can make it
        // hold the whole frame at once.
        for (int y = 0; y < out.height(); y += kStripRows) {
            const int rows = std::min(kStripRows, out.height() - y);
            const WICRect strip{wanted.left, wanted.top + y, wanted.width, rows};
            if (FAILED(converter->CopyPixels(&strip, stride, stride * static_cast<UINT>(rows),
                                             reinterpret_cast<BYTE*>(out.row(y))))) {
                return std::nullopt;
            }
        }
        for (std::size_t i = 0; i < static_cast<std::size_t>(out.width()) * out.height(); ++i) {
            out.data()[i] &= 0x00FFFFFFu;
        }
        return out;
    }

    ComPtr<IWICImagingFactory> factory_;
};

// Files beyond this are refused unread (a 100-megapixel 24-bit BMP is about 300 MB).
constexpr std::uint64_t kMaxFileBytes = 512ull * 1024 * 1024;

// Files are read whole (disk files only), checked and planned by the portable steps, then
// decoded from memory: WIC and GDI never see a file of another kind or a size beyond the
// limits.
class Win32PictureDecoder final : public PlatformPictureDecoder {
  public:
    std::optional<PictureSize> Probe(const std::string& utf8Path) override {
        const auto bytes = ReadPath(utf8Path);
        if (!bytes) return std::nullopt;
        const auto header = ReadPictureHeader(*bytes, MetafilePixelsPerInch());
        if (!header) return std::nullopt;
        if (header->stored.width == 0) return MetafileBytesSize(bytes->data(), bytes->size());
        return header->Upright();
    }

  private:
    std::optional<DecodedPicture> DecodeFile(const std::string& utf8Path,
                                             const DrawnSizeRule& drawn) override {
        auto bytes = ReadPath(utf8Path);
        if (!bytes) return std::nullopt;
        auto plan = PlanDecoding(std::move(*bytes), MetafilePixelsPerInch(), drawn);
        if (!plan) return std::nullopt;
        const std::vector<std::uint8_t>& b = plan->bytes;
        std::optional<Surface> pixels;
        if (plan->header.kind == PictureKind::kMetafile) {
            std::optional<PictureSize> playAt = plan->decodeSize;
            if (plan->header.stored.width == 0) {  // a plain metafile: its size, then drawn
                const auto own = MetafileBytesSize(b.data(), b.size());
                if (!own) return std::nullopt;
                const DrawnSize place = drawn ? drawn(*own) : DrawnSize(*own);
                playAt = place.size;
                if (!IsAcceptablePictureSize(playAt->width, playAt->height)) playAt = *own;
                // At its own size on a smaller screen only the part that shows is played.
                const PictureBox part = *playAt == *own ? place.shown : PictureBox{};
                pixels = DecodeMetafileBytes(b.data(), b.size(), playAt, part);
                if (!pixels) return std::nullopt;
                return DecodedPicture{std::move(*pixels), *own, part};
            }
            pixels = DecodeMetafileBytes(b.data(), b.size(), playAt, plan->keepPart);
        } else {
            // Formats scaled while decoding scale smoothly; the others shrink colour on colour.
            const bool smooth = PictureFormatOf(plan->header.kind)->smaller ==
                                SmallerDecoding::kScaledWhileDecoding;
            const PictureSize at = plan->shrinkTo.width > 0 ? plan->shrinkTo : plan->decodeSize;
            pixels = reader_.DecodeMemory(b.data(), b.size(), plan->header.stored, at, smooth,
                                          plan->keepPart);
        }
        if (!pixels) return std::nullopt;
        return FinishDecoding(std::move(*pixels), *plan);
    }

    static std::optional<std::vector<std::uint8_t>> ReadPath(const std::string& utf8Path) {
        const std::wstring path = WideFromUtf8(utf8Path);
        if (path.empty()) return std::nullopt;
        return ReadRegularFile(std::filesystem::path(path), kMaxFileBytes);
    }

    ComScope com_;  // first member: COM is up before the reader is made
    WicReader reader_;
};

}  // namespace

std::unique_ptr<PictureDecoder> MakePictureDecoder() {
    return std::make_unique<Win32PictureDecoder>();
}

std::unique_ptr<PictureDecoder> MakeBackgroundPictureDecoder() {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    return MakePictureDecoder();
}

std::optional<Surface> DecodePictureFromMemory(const std::uint8_t* data, std::size_t size) {
    if (!data) return std::nullopt;
    auto plan = PlanDecoding(std::vector<std::uint8_t>(data, data + size), 96, nullptr);
    if (!plan || plan->header.kind == PictureKind::kMetafile) return std::nullopt;
    ComScope com;
    WicReader reader;
    auto pixels = reader.DecodeMemory(plan->bytes.data(), plan->bytes.size(), plan->header.stored,
                                      plan->decodeSize);
    if (!pixels) return std::nullopt;
    auto upright = FinishDecoding(std::move(*pixels), *plan);
    if (!upright) return std::nullopt;
    return std::move(upright->pixels);
}

}  // namespace velnor
