// Checks and size planning before a platform decoder, from the one reading of the file
// and its format's row; orientation after it.
#include "engine/picture_reading.h"

#include <algorithm>
#include <new>

namespace velnor {
namespace {

// The size to decode a picture of `plan`'s header at when it shows at `shown`, by the
// way its format's decoders can make fewer pixels.
void PlanSmaller(SmallerDecoding smaller, PictureSize shown, PictureToDecode& plan) {
    const PictureHeader& header = plan.header;
    switch (smaller) {
        case SmallerDecoding::kScaledWhileDecoding:
            plan.jpegDivisor = JpegScaleDivisor(header.stored, shown, header.orientation);
            plan.decodeSize = ScaledDown(header.stored, plan.jpegDivisor);
            break;
        case SmallerDecoding::kShrunkWhileConverting:
            if (shown.width < header.stored.width && shown.height < header.stored.height) {
                plan.shrinkTo = shown;
            }
            break;
        case SmallerDecoding::kPlayedAtDrawnSize:
            // A drawing has no pixels of its own: played at the size it is shown at, it is
            // as sharp as it can be there, whatever size its header claims.
            plan.decodeSize = {std::min(shown.width, kMaxPictureSide),
                               std::min(shown.height, kMaxPictureSide)};
            if (!IsAcceptablePictureSize(plan.decodeSize.width, plan.decodeSize.height)) {
                plan.decodeSize = header.stored;
            }
            break;
    }
}

}  // namespace

std::optional<PictureToDecode> PlanDecoding(std::vector<std::uint8_t> bytes,
                                            int metafilePixelsPerInch, const DrawnSizeRule& drawn) {
    const PictureFacts facts = ReadPictureFacts(bytes, metafilePixelsPerInch);
    if (!facts.complete || !facts.sized) return std::nullopt;
    const PictureFormat& format = *PictureFormatOf(facts.header.kind);
    if (format.prepare) format.prepare(bytes, facts);
    const PictureHeader& header = facts.header;
    PictureToDecode plan{std::move(bytes), header, header.stored, 1, {}, {}};
    if (!drawn || header.stored.width == 0) return plan;
    const DrawnSize place = drawn(header.Upright());
    const PictureSize shown = place.size;
    if (shown.width <= 0 || shown.height <= 0) return plan;
    if (shown == header.stored && header.orientation == 1 && !place.shown.empty()) {
        plan.keepPart = place.shown;
        return plan;
    }
    PlanSmaller(format.smaller, shown, plan);
    return plan;
}

std::optional<DecodedPicture> FinishDecoding(Surface decoded, const PictureToDecode& plan) {
    if (decoded.empty()) return std::nullopt;
    PictureSize size = plan.header.Upright();
    if (size.width == 0) size = {decoded.width(), decoded.height()};  // a plain metafile
    if (!plan.keepPart.empty()) {
        if (decoded.width() != plan.keepPart.width || decoded.height() != plan.keepPart.height) {
            return std::nullopt;
        }
        return DecodedPicture{std::move(decoded), size, plan.keepPart};
    }
    if (plan.header.orientation == 1) return DecodedPicture{std::move(decoded), size, {}};
    return DecodedPicture{OrientedUpright(decoded, plan.header.orientation), size, {}};
}

std::optional<Surface> PlatformPictureDecoder::Decode(const std::string& utf8Path) {
    std::optional<DecodedPicture> decoded = DecodeForDrawing(utf8Path, nullptr);
    if (!decoded) return std::nullopt;
    return std::move(decoded->pixels);
}

std::optional<DecodedPicture> PlatformPictureDecoder::DecodeForDrawing(const std::string& utf8Path,
                                                                       const DrawnSizeRule& drawn) {
    try {
        return DecodeFile(utf8Path, drawn);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace velnor
