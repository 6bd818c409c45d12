// Playback of Windows metafiles (WMF) into a surface through an enhanced metafile and a
// DIB section, at the picture's own size or the size it is drawn at. The headers are read
// by the metafile format (picture_format_wmf.h).
#include <windows.h>

#include <cstdlib>
#include <span>

#include "engine/dib_info_win32.h"
#include "engine/picture_decoder.h"
#include "engine/picture_decoder_win32.h"
#include "engine/picture_format_wmf.h"

namespace velnor {
namespace {

// A metafile header of a known type and version, all of it within the data.
bool LooksLikeMetafile(std::span<const std::uint8_t> b) {
    return b.size() >= kMetaHeaderBytes && IsMetaHeaderStart(b);
}

struct Played {
    HENHMETAFILE metafile = nullptr;
    long long width = 0;
    long long height = 0;
};

Played Convert(const std::uint8_t* data, std::size_t size, int dpi) {
    Played out;
    const std::span<const std::uint8_t> b(data, size);
    if (size >= kPlaceableHeaderBytes + kMetaHeaderBytes) {
        if (const std::optional<PlaceableBox> box = ReadPlaceableBox(b)) {
            const auto placed = PlaceableMetafileSize(b, dpi);
            if (!placed) return out;
            const std::span<const std::uint8_t> metafile = b.subspan(kPlaceableHeaderBytes);
            if (!LooksLikeMetafile(metafile)) return out;
            out.width = placed->width;
            out.height = placed->height;
            // The extents in hundredths of a millimetre.
            METAFILEPICT picture{
                MM_ANISOTROPIC,
                static_cast<LONG>(std::llabs(box->right - box->left) * 2540 / box->unitsPerInch),
                static_cast<LONG>(std::llabs(box->bottom - box->top) * 2540 / box->unitsPerInch),
                nullptr};
            out.metafile = SetWinMetaFileBits(static_cast<UINT>(metafile.size()), metafile.data(),
                                              nullptr, &picture);
            return out;
        }
    }
    if (!LooksLikeMetafile(b)) return out;
    out.metafile = SetWinMetaFileBits(static_cast<UINT>(size), data, nullptr, nullptr);
    if (!out.metafile) return out;
    ENHMETAHEADER header{};
    if (GetEnhMetaFileHeader(out.metafile, sizeof header, &header)) {
        // rclFrame is in hundredths of a millimetre.
        out.width =
            (static_cast<long long>(header.rclFrame.right) - header.rclFrame.left) * dpi / 2540;
        out.height =
            (static_cast<long long>(header.rclFrame.bottom) - header.rclFrame.top) * dpi / 2540;
    }
    return out;
}

// Plays `metafile` stretched over `width` x `height`; only `part` of that (all of it when
// empty) is drawn, onto paper of the part's size.
std::optional<Surface> Play(HENHMETAFILE metafile, int width, int height, PictureBox part) {
    if (part.empty()) part = {0, 0, width, height};
    if (part.left < 0 || part.top < 0 || part.left + part.width > width ||
        part.top + part.height > height) {
        return std::nullopt;
    }
    BITMAPINFO info = TopDownDibInfo(part.width, part.height);
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return std::nullopt;
    HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::optional<Surface> out;
    if (dib && bits) {
        HGDIOBJ old = SelectObject(dc, dib);
        const RECT paper{0, 0, part.width, part.height};
        FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        // The whole drawing's place, moved so that the part lands on the paper; GDI
        // clips everything outside it.
        const RECT drawing{-part.left, -part.top, width - part.left, height - part.top};
        if (PlayEnhMetaFile(dc, metafile, &drawing)) {
            GdiFlush();
            Surface picture(part.width, part.height);
            const auto* source = static_cast<const Pixel*>(bits);
            for (std::size_t i = 0; i < static_cast<std::size_t>(part.width) * part.height; ++i) {
                picture.data()[i] = source[i] & 0x00FFFFFFu;
            }
            out = std::move(picture);
        }
        SelectObject(dc, old);
    }
    if (dib) DeleteObject(dib);
    DeleteDC(dc);
    return out;
}

}  // namespace

int MetafilePixelsPerInch() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

std::optional<PictureSize> MetafileBytesSize(const std::uint8_t* data, std::size_t size) {
    if (!data || size > 0x7FFFFFFF) return std::nullopt;
    const Played played = Convert(data, size, MetafilePixelsPerInch());
    std::optional<PictureSize> out;
    if (played.metafile && IsAcceptablePictureSize(played.width, played.height)) {
        out = PictureSize{static_cast<int>(played.width), static_cast<int>(played.height)};
    }
    if (played.metafile) DeleteEnhMetaFile(played.metafile);
    return out;
}

std::optional<Surface> DecodeMetafileBytes(const std::uint8_t* data, std::size_t size,
                                           std::optional<PictureSize> playAt, PictureBox part) {
    if (!data || size > 0x7FFFFFFF) return std::nullopt;
    const Played played = Convert(data, size, MetafilePixelsPerInch());
    std::optional<Surface> out;
    if (played.metafile && IsAcceptablePictureSize(played.width, played.height)) {
        const PictureSize at =
            playAt ? *playAt
                   : PictureSize{static_cast<int>(played.width), static_cast<int>(played.height)};
        if (IsAcceptablePictureSize(at.width, at.height)) {
            out = Play(played.metafile, at.width, at.height, part);
        }
    }
    if (played.metafile) DeleteEnhMetaFile(played.metafile);
    return out;
}

}  // namespace velnor
