// Checks and size planning before a platform decoder, orientation after it.
#include "engine/picture_reading.h"

#include <algorithm>
#include <new>

namespace velnor {

std::optional<PictureToDecode> PlanDecoding(std::vector<std::uint8_t> bytes,
                                            int metafilePixelsPerInch, const DrawnSizeRule& drawn) {
    if (!CompleteForDecoding(bytes)) return std::nullopt;
    const std::optional<PictureHeader> header = ReadPictureHeader(bytes, metafilePixelsPerInch);
    if (!header) return std::nullopt;
    PictureToDecode plan{std::move(bytes), *header, header->stored, 1, {}, {}};
    KeepFirstGifFrameOnly(plan.bytes, plan.header);
    if (!drawn || header->stored.width == 0) return plan;
    const DrawnSize place = drawn(header->Upright());
    const PictureSize shown = place.size;
    if (shown.width <= 0 || shown.height <= 0) return plan;
    if (shown == header->stored && header->orientation == 1 && !place.shown.empty()) {
        plan.keepPart = place.shown;
        return plan;
    }
    if (header->kind == PictureKind::kJpeg) {
        plan.jpegDivisor = JpegScaleDivisor(header->stored, shown, header->orientation);
        plan.decodeSize = ScaledDown(header->stored, plan.jpegDivisor);
    } else if (header->kind == PictureKind::kBmp || header->kind == PictureKind::kGif) {
        if (shown.width < header->stored.width && shown.height < header->stored.height) {
            plan.shrinkTo = shown;
        }
    } else if (header->kind == PictureKind::kMetafile) {
        // A drawing has no pixels of its own: played at the size it is shown at, it is as
        // sharp as it can be there, whatever size its header claims.
        plan.decodeSize = {std::min(shown.width, kMaxPictureSide),
                           std::min(shown.height, kMaxPictureSide)};
        if (!IsAcceptablePictureSize(plan.decodeSize.width, plan.decodeSize.height)) {
            plan.decodeSize = header->stored;
        }
    }
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
