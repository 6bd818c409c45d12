// GIF files: the screen descriptor, an optional colour table, extensions, then the first
// image descriptor. The picture is its first frame: decoders see the logical screen set
// to that frame, which may be far smaller than the screen the file claims.
#include "engine/byte_reading.h"
#include "engine/picture_format.h"

namespace velnor {
namespace {

constexpr std::size_t kScreenDescriptorEnd = 13;
constexpr std::size_t kFrameDescriptorBytes = 10;

bool SniffGif(std::span<const std::uint8_t> b) {
    return b.size() >= 6 && b[0] == 'G' && b[1] == 'I' && b[2] == 'F' && b[3] == '8' &&
           (b[4] == '7' || b[4] == '9') && b[5] == 'a';
}

// The first image descriptor after the screen descriptor, colour table and extensions;
// 0 when there is none within the data.
std::size_t FirstFrameAt(std::span<const std::uint8_t> b) {
    if (b.size() < kScreenDescriptorEnd) return 0;
    std::size_t at = kScreenDescriptorEnd;
    if (b[10] & 0x80) at += 3 * (std::size_t{2} << (b[10] & 7));
    while (at < b.size()) {
        if (b[at] == 0x2C) return at + kFrameDescriptorBytes <= b.size() ? at : 0;
        if (b[at] != 0x21 || at + 2 > b.size()) return 0;
        at += 2;  // introducer and label, then sub-blocks up to an empty one
        while (at < b.size() && b[at] != 0) at += 1 + std::size_t{b[at]};
        ++at;
    }
    return 0;
}

// Decoders report a GIF cut off in its frame themselves, so every GIF counts as complete.
PictureFacts ReadGif(std::span<const std::uint8_t> b, int) {
    PictureFacts facts;
    facts.headersLieWithin = true;
    facts.complete = true;
    const std::size_t at = FirstFrameAt(b);
    facts.header.gifFrameAt = at;
    if (at != 0) {
        facts.header.stored = {ReadLittle16(b, at + 5), ReadLittle16(b, at + 7)};
        facts.sized = true;
    }
    return facts;
}

// Makes the first frame the whole picture: the logical screen takes the frame's size and
// the frame moves to the top-left corner. The screen size costs memory in every decoder
// although only the frame holds pixels, so the frame bounds what is decoded.
void KeepFirstFrameOnly(std::vector<std::uint8_t>& bytes, const PictureFacts& facts) {
    const std::size_t at = facts.header.gifFrameAt;
    if (at == 0 || at + kFrameDescriptorBytes > bytes.size()) return;
    for (std::size_t i = 0; i < 4; ++i) bytes[6 + i] = bytes[at + 5 + i];  // screen = frame
    for (std::size_t i = 1; i < 5; ++i) bytes[at + i] = 0;                 // frame at 0, 0
}

}  // namespace

// This format's row in the table of picture_format.cpp.
extern const PictureFormat kGifFormat{.kind = PictureKind::kGif,
                                      .name = "gif",
                                      .sniff = SniffGif,
                                      .read = ReadGif,
                                      .prepare = KeepFirstFrameOnly,
                                      .smaller = SmallerDecoding::kShrunkWhileConverting,
                                      .sizedByPlaying = false};

}  // namespace velnor
