// The picture checks, each answered from the one reading of the file's bytes.
#include "engine/picture_checks.h"

namespace velnor {

bool HeadersLieWithin(std::span<const std::uint8_t> bytes) {
    return ReadPictureFacts(bytes).headersLieWithin;
}

bool LooksComplete(std::span<const std::uint8_t> bytes) {
    return ReadPictureFacts(bytes).complete;
}

bool CompleteForDecoding(std::vector<std::uint8_t>& bytes) {
    const PictureFacts facts = ReadPictureFacts(bytes);
    // Only a missing ending is made good here (its format's preparation appends it).
    if (facts.endMarkerMissing) PictureFormatOf(facts.header.kind)->prepare(bytes, facts);
    return facts.complete;
}

}  // namespace velnor
