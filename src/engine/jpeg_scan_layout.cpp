// The segments of a JPEG that decide how much entropy-coded data its last scan needs.
#include "engine/jpeg_scan_layout.h"

namespace velnor {
namespace {

std::size_t Read16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::size_t>(b[at] << 8 | b[at + 1]);
}

}  // namespace

// Baseline (0xC0) and extended sequential (0xC1) Huffman frames.
bool JpegScanLayout::ReadFrame(std::span<const std::uint8_t> s) {
    if (s.size() < 6) return false;
    frame_.height = static_cast<int>(Read16(s, 1));
    frame_.width = static_cast<int>(Read16(s, 3));
    const std::size_t count = s[5];
    if (count < 1 || count > 4 || s.size() < 6 + 3 * count) return false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* c = &s[6 + 3 * i];
        const JpegComponent component{c[0], c[1] >> 4, c[1] & 15};
        if (component.horizontal < 1 || component.horizontal > 4 || component.vertical < 1 ||
            component.vertical > 4) {
            return false;
        }
        frame_.components.push_back(component);
    }
    sequentialFrame_ = true;
    return true;
}

bool JpegScanLayout::ReadHuffmanTables(std::span<const std::uint8_t> s) {
    std::size_t at = 0;
    while (at < s.size()) {
        if (at + 17 > s.size()) return false;
        const int tableClass = s[at] >> 4;
        const int slot = s[at] & 15;
        std::size_t count = 0;
        for (std::size_t i = 1; i <= 16; ++i) count += s[at + i];
        if (tableClass > 1 || slot > 3 || at + 17 + count > s.size()) return false;
        HuffmanTable& table = tableClass == 0 ? dc_[slot] : ac_[slot];
        if (!BuildHuffmanTable(s.subspan(at + 1, 16), s.subspan(at + 17, count), table)) {
            return false;
        }
        at += 17 + count;
    }
    return true;
}

bool JpegScanLayout::ReadScan(std::span<const std::uint8_t> s) {
    if (!sequentialFrame_ || s.empty()) return false;
    const std::size_t count = s[0];
    if (count < 1 || count > 4 || s.size() < 1 + 2 * count) return false;
    lastScan_.clear();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t id = s[1 + 2 * i];
        const int dc = s[2 + 2 * i] >> 4;
        const int ac = s[2 + 2 * i] & 15;
        std::size_t index = 0;
        while (index < frame_.components.size() && frame_.components[index].id != id) ++index;
        if (index == frame_.components.size() || dc > 3 || ac > 3 || !dc_[dc].defined ||
            !ac_[ac].defined) {
            return false;
        }
        lastScan_.push_back({index, &dc_[dc], &ac_[ac]});
        scannedComponents_.insert(id);
    }
    return true;
}

void JpegScanLayout::Read(std::uint8_t marker, std::span<const std::uint8_t> s) {
    bool read = true;
    if (marker == 0xC0 || marker == 0xC1) {
        read = ReadFrame(s);
    } else if ((marker >= 0xC2 && marker <= 0xCF) && marker != 0xC4 && marker != 0xC8 &&
               marker != 0xCC) {
        read = false;  // progressive, lossless, hierarchical or arithmetic coding
    } else if (marker == 0xC4) {
        read = ReadHuffmanTables(s);
    } else if (marker == 0xDD) {
        read = s.size() >= 2;
        if (read) restartInterval_ = static_cast<int>(Read16(s, 0));
    } else if (marker == 0xDA) {
        read = ReadScan(s);
    }
    usable_ = usable_ && read;
}

bool JpegScanLayout::LastScanHoldsEveryBlock(std::span<const std::uint8_t> data) const {
    if (!usable_ || scannedComponents_.size() != frame_.components.size()) return false;
    return ScanHoldsEveryBlock(data, frame_, lastScan_, restartInterval_);
}

}  // namespace velnor
