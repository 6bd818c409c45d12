// The marker walk of a JPEG file and, when its end marker is missing, the headers that
// say how much data its last scan needs.
#include "engine/jpeg_ending.h"

#include <set>
#include <vector>

#include "engine/jpeg_entropy.h"

namespace velnor {
namespace {

constexpr std::uint8_t kStartOfScan = 0xDA;

// What the headers before the last scan set up; `usable` turns false on anything that
// cannot be followed (another coding, a table or component that does not exist).
struct JpegHeaders {
    bool usable = true;
    bool sequentialFrame = false;
    JpegFrame frame;
    HuffmanTable dc[4];
    HuffmanTable ac[4];
    int restartInterval = 0;
    std::set<std::uint8_t> scannedComponents;
    std::vector<JpegScanComponent> lastScan;
};

std::size_t Read16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::size_t>(b[at] << 8 | b[at + 1]);
}

// Baseline (0xC0) and extended sequential (0xC1) Huffman frames.
bool ReadFrame(std::span<const std::uint8_t> s, JpegHeaders& h) {
    if (s.size() < 6) return false;
    h.frame.height = static_cast<int>(Read16(s, 1));
    h.frame.width = static_cast<int>(Read16(s, 3));
    const std::size_t count = s[5];
    if (count < 1 || count > 4 || s.size() < 6 + 3 * count) return false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* c = &s[6 + 3 * i];
        const JpegComponent component{c[0], c[1] >> 4, c[1] & 15};
        if (component.horizontal < 1 || component.horizontal > 4 || component.vertical < 1 ||
            component.vertical > 4) {
            return false;
        }
        h.frame.components.push_back(component);
    }
    h.sequentialFrame = true;
    return true;
}

bool ReadHuffmanTables(std::span<const std::uint8_t> s, JpegHeaders& h) {
    std::size_t at = 0;
    while (at < s.size()) {
        if (at + 17 > s.size()) return false;
        const int tableClass = s[at] >> 4;
        const int slot = s[at] & 15;
        std::size_t count = 0;
        for (std::size_t i = 1; i <= 16; ++i) count += s[at + i];
        if (tableClass > 1 || slot > 3 || at + 17 + count > s.size()) return false;
        HuffmanTable& table = tableClass == 0 ? h.dc[slot] : h.ac[slot];
        if (!BuildHuffmanTable(s.subspan(at + 1, 16), s.subspan(at + 17, count), table)) {
            return false;
        }
        at += 17 + count;
    }
    return true;
}

bool ReadScan(std::span<const std::uint8_t> s, JpegHeaders& h) {
    if (!h.sequentialFrame || s.empty()) return false;
    const std::size_t count = s[0];
    if (count < 1 || count > 4 || s.size() < 1 + 2 * count) return false;
    h.lastScan.clear();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t id = s[1 + 2 * i];
        const int dc = s[2 + 2 * i] >> 4;
        const int ac = s[2 + 2 * i] & 15;
        std::size_t index = 0;
        while (index < h.frame.components.size() && h.frame.components[index].id != id) ++index;
        if (index == h.frame.components.size() || dc > 3 || ac > 3 || !h.dc[dc].defined ||
            !h.ac[ac].defined) {
            return false;
        }
        h.lastScan.push_back({index, &h.dc[dc], &h.ac[ac]});
        h.scannedComponents.insert(id);
    }
    return true;
}

// Takes in what a segment says about the data's layout; every other segment is skipped.
void ReadSegment(std::uint8_t marker, std::span<const std::uint8_t> s, JpegHeaders& h) {
    bool read = true;
    if (marker == 0xC0 || marker == 0xC1) {
        read = ReadFrame(s, h);
    } else if ((marker >= 0xC2 && marker <= 0xCF) && marker != 0xC4 && marker != 0xC8 &&
               marker != 0xCC) {
        read = false;  // progressive, lossless, hierarchical or arithmetic coding
    } else if (marker == 0xC4) {
        read = ReadHuffmanTables(s, h);
    } else if (marker == 0xDD) {
        read = s.size() >= 2;
        if (read) h.restartInterval = static_cast<int>(Read16(s, 0));
    } else if (marker == kStartOfScan) {
        read = ReadScan(s, h);
    }
    h.usable = h.usable && read;
}

// Entropy-coded data runs up to the next marker that is neither a stuffed 0xFF00 nor a
// restart marker; returns where that marker starts (or the end of the data).
std::size_t EndOfScanData(std::span<const std::uint8_t> b, std::size_t at) {
    while (at + 1 < b.size() &&
           !(b[at] == 0xFF && b[at + 1] != 0x00 && (b[at + 1] < 0xD0 || b[at + 1] > 0xD7))) {
        ++at;
    }
    return at;
}

// A file whose last scan's data runs to its end: whole when that scan holds all its
// blocks and every component of the frame has been in a scan.
JpegEnding EndingWithoutMarker(std::span<const std::uint8_t> data, const JpegHeaders& h) {
    if (!h.usable || h.scannedComponents.size() != h.frame.components.size()) {
        return JpegEnding::kCut;
    }
    return ScanHoldsEveryBlock(data, h.frame, h.lastScan, h.restartInterval)
               ? JpegEnding::kEndMarkerMissing
               : JpegEnding::kCut;
}

}  // namespace

// Walks the marker segments as decoders do: stray bytes between segments and fill bytes
// are passed over, a thumbnail inside an application segment is skipped with it.
JpegEnding JpegEndingOf(std::span<const std::uint8_t> b) {
    JpegHeaders headers;
    std::size_t at = 2;
    std::size_t scanData = 0;
    bool endsInScanData = false;
    while (at + 1 < b.size()) {
        if (b[at] != 0xFF) {
            ++at;
            continue;
        }
        const std::uint8_t marker = b[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD9) return JpegEnding::kEndMarker;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        if (at + 3 >= b.size()) return JpegEnding::kCut;
        const std::size_t length = Read16(b, at + 2);
        if (length < 2 || at + 2 + length > b.size()) return JpegEnding::kCut;
        ReadSegment(marker, b.subspan(at + 4, length - 2), headers);
        at += 2 + length;
        if (marker != kStartOfScan) continue;
        scanData = at;
        at = EndOfScanData(b, at);
        endsInScanData = at + 1 >= b.size();
    }
    if (!endsInScanData) return JpegEnding::kCut;
    return EndingWithoutMarker(b.subspan(scanData), headers);
}

}  // namespace velnor
