// The header as the one reading of the file gives it, the orientation turn and the JPEG
// scale choice.
#include "engine/picture_header.h"

namespace velnor {

int JpegOrientation(std::span<const std::uint8_t> bytes) {
    return ReadPictureFacts(bytes).header.orientation;
}

std::optional<PictureHeader> ReadPictureHeader(std::span<const std::uint8_t> bytes,
                                               int metafilePixelsPerInch) {
    const PictureFacts facts = ReadPictureFacts(bytes, metafilePixelsPerInch);
    if (!facts.sized) return std::nullopt;
    return facts.header;
}

Surface OrientedUpright(const Surface& picture, int orientation) {
    if (orientation < 2 || orientation > 8) return picture;
    const int w = picture.width();
    const int h = picture.height();
    const bool swapped = orientation >= 5;
    Surface out(swapped ? h : w, swapped ? w : h);
    for (int y = 0; y < out.height(); ++y) {
        Pixel* row = out.row(y);
        for (int x = 0; x < out.width(); ++x) {
            int sx = x, sy = y;
            switch (orientation) {
                case 2:
                    sx = w - 1 - x;
                    break;
                case 3:
                    sx = w - 1 - x;
                    sy = h - 1 - y;
                    break;
                case 4:
                    sy = h - 1 - y;
                    break;
                case 5:
                    sx = y;
                    sy = x;
                    break;
                case 6:
                    sx = y;
                    sy = h - 1 - x;
                    break;
                case 7:
                    sx = w - 1 - y;
                    sy = h - 1 - x;
                    break;
                default:
                    sx = w - 1 - y;
                    sy = x;
                    break;  // 8
            }
            row[x] = picture.row(sy)[sx];
        }
    }
    return out;
}

int JpegScaleDivisor(PictureSize stored, PictureSize drawn, int orientation) {
    if (drawn.width <= 0 || drawn.height <= 0) return 1;
    const PictureSize need = orientation >= 5 ? PictureSize{drawn.height, drawn.width} : drawn;
    for (const int divisor : {8, 4, 2}) {
        const PictureSize scaled = ScaledDown(stored, divisor);
        if (scaled.width >= need.width && scaled.height >= need.height) return divisor;
    }
    return 1;
}

PictureSize ScaledDown(PictureSize size, int divisor) {
    return {(size.width + divisor - 1) / divisor, (size.height + divisor - 1) / divisor};
}

}  // namespace velnor
