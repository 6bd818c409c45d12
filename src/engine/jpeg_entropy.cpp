// Counting the blocks of a scan's entropy-coded data: Huffman codes are read bit by bit
// and every coefficient's extra bits skipped, so only the amount of data is checked.
#include "engine/jpeg_entropy.h"

#include <algorithm>

namespace velnor {
namespace {

// The bits of entropy-coded data: a stuffed 0xFF00 is the data byte 0xFF; any other
// marker, a lone 0xFF at the end or the end itself ends the data.
class BitReader {
  public:
    explicit BitReader(std::span<const std::uint8_t> data) : data_(data) {}

    // The next bit, or -1 when the data has ended.
    int Bit() {
        if (left_ == 0) {
            if (!NextByte()) return -1;
        }
        --left_;
        return (current_ >> left_) & 1;
    }

    bool Skip(int count) {
        for (int i = 0; i < count; ++i) {
            if (Bit() < 0) return false;
        }
        return true;
    }

    // At a restart boundary: the rest of the byte is padding, then a restart marker
    // (after any fill bytes) must follow.
    bool TakeRestartMarker() {
        left_ = 0;
        while (at_ + 1 < data_.size() && data_[at_] == 0xFF && data_[at_ + 1] == 0xFF) ++at_;
        if (at_ + 1 >= data_.size() || data_[at_] != 0xFF || data_[at_ + 1] < 0xD0 ||
            data_[at_ + 1] > 0xD7) {
            return false;
        }
        at_ += 2;
        return true;
    }

  private:
    bool NextByte() {
        if (at_ >= data_.size()) return false;
        current_ = data_[at_++];
        if (current_ == 0xFF) {
            if (at_ >= data_.size() || data_[at_] != 0x00) return false;
            ++at_;  // the stuffed zero
        }
        left_ = 8;
        return true;
    }

    std::span<const std::uint8_t> data_;
    std::size_t at_ = 0;
    std::uint8_t current_ = 0;
    int left_ = 0;
};

// The next value coded with `table`, or -1 at the end of the data or for a code the
// table does not hold.
int DecodeValue(BitReader& bits, const HuffmanTable& table) {
    int code = 0;
    for (int length = 1; length <= 16; ++length) {
        const int bit = bits.Bit();
        if (bit < 0) return -1;
        code = (code << 1) | bit;
        if (code <= table.maxCode[length]) {
            const auto index =
                static_cast<std::size_t>(table.firstValue[length] + code - table.minCode[length]);
            return index < table.values.size() ? table.values[index] : -1;
        }
    }
    return -1;
}

// One 8 x 8 block: its DC difference and its run-length coded AC coefficients.
bool SkipBlock(BitReader& bits, const JpegScanComponent& component) {
    const int dcSize = DecodeValue(bits, *component.dc);
    if (dcSize < 0 || dcSize > 16 || !bits.Skip(dcSize)) return false;
    for (int k = 1; k < 64;) {
        const int runSize = DecodeValue(bits, *component.ac);
        if (runSize < 0) return false;
        const int run = runSize >> 4;
        const int size = runSize & 15;
        if (size == 0) {
            if (run != 15) return true;  // end of block
            k += 16;
            continue;
        }
        if (!bits.Skip(size)) return false;
        k += run + 1;
    }
    return true;
}

long long CeilDiv(long long a, long long b) {
    return (a + b - 1) / b;
}

}  // namespace

bool BuildHuffmanTable(std::span<const std::uint8_t> counts, std::span<const std::uint8_t> values,
                       HuffmanTable& table) {
    if (counts.size() != 16) return false;
    int code = 0;
    int index = 0;
    for (int length = 1; length <= 16; ++length) {
        const int count = counts[static_cast<std::size_t>(length - 1)];
        table.minCode[length] = code;
        table.firstValue[length] = index;
        code += count;
        index += count;
        table.maxCode[length] = count > 0 ? code - 1 : -1;
        if (code > (1 << length)) return false;  // more codes than the length allows
        code <<= 1;
    }
    if (static_cast<std::size_t>(index) != values.size()) return false;
    table.values.assign(values.begin(), values.end());
    table.defined = true;
    return true;
}

bool ScanHoldsEveryBlock(std::span<const std::uint8_t> data, const JpegFrame& frame,
                         const std::vector<JpegScanComponent>& scan, int restartInterval) {
    if (scan.empty() || frame.width <= 0 || frame.height <= 0) return false;
    int hMax = 1, vMax = 1;
    for (const JpegComponent& c : frame.components) {
        hMax = std::max(hMax, c.horizontal);
        vMax = std::max(vMax, c.vertical);
    }
    // A scan of one component codes its blocks one by one, in rows as wide as its own
    // share of the picture; a scan of several codes MCUs of each one's sampling factors.
    long long mcus = 0;
    std::vector<int> blocksPerMcu;
    if (scan.size() == 1) {
        const JpegComponent& c = frame.components[scan[0].frameIndex];
        mcus = CeilDiv(CeilDiv(static_cast<long long>(frame.width) * c.horizontal, hMax), 8) *
               CeilDiv(CeilDiv(static_cast<long long>(frame.height) * c.vertical, vMax), 8);
        blocksPerMcu = {1};
    } else {
        mcus = CeilDiv(frame.width, 8LL * hMax) * CeilDiv(frame.height, 8LL * vMax);
        for (const JpegScanComponent& s : scan) {
            const JpegComponent& c = frame.components[s.frameIndex];
            blocksPerMcu.push_back(c.horizontal * c.vertical);
        }
    }
    BitReader bits(data);
    for (long long mcu = 0; mcu < mcus; ++mcu) {
        if (restartInterval > 0 && mcu > 0 && mcu % restartInterval == 0 &&
            !bits.TakeRestartMarker()) {
            return false;
        }
        for (std::size_t i = 0; i < scan.size(); ++i) {
            for (int block = 0; block < blocksPerMcu[i]; ++block) {
                if (!SkipBlock(bits, scan[i])) return false;
            }
        }
    }
    return true;
}

}  // namespace velnor
