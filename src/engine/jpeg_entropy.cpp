// Counting the blocks of a scan's entropy-coded data: Huffman codes are read bit by bit
// and every coefficient's extra bits skipped, so only the amount of data is checked.
#include "engine/jpeg_entropy.h"

#include <algorithm>

namespace velnor {
namespace {

// The bits of entropy-coded data: a stuffed 0xFF00 is the data byte 0xFF; any other
// marker, a lone 0xFF at the end or the end itself ends the data. Bits are kept in a
// 64-bit buffer, the next one in its highest place.
class BitReader {
  public:
    explicit BitReader(std::span<const std::uint8_t> data) : data_(data) {}

    // The next 16 bits without taking them; zeros past the end of the data.
    std::uint32_t Peek16() {
        if (count_ < 16) Fill();
        return static_cast<std::uint32_t>(buffer_ >> 48);
    }

    // Takes `bits` (at most 16) bits; false when the data holds fewer.
    bool Take(int bits) {
        if (count_ < bits) Fill();
        if (count_ < bits) return false;
        buffer_ <<= bits;
        count_ -= bits;
        return true;
    }

    // At a restart boundary the rest of the last byte is padding; a restart marker must be
    // the next marker (stray bytes before it are passed over, as decoders do).
    bool TakeRestartMarker() {
        buffer_ = 0;
        count_ = 0;
        while (at_ + 1 < data_.size() &&
               !(data_[at_] == 0xFF && data_[at_ + 1] != 0x00 && data_[at_ + 1] != 0xFF)) {
            ++at_;
        }
        if (at_ + 1 >= data_.size() || data_[at_ + 1] < 0xD0 || data_[at_ + 1] > 0xD7) {
            return false;
        }
        at_ += 2;
        return true;
    }

  private:
    void Fill() {
        while (count_ <= 56 && at_ < data_.size()) {
            std::uint8_t byte = data_[at_];
            if (byte == 0xFF) {
                if (at_ + 1 >= data_.size() || data_[at_ + 1] != 0x00) return;  // a marker
                ++at_;
            }
            ++at_;
            buffer_ |= static_cast<std::uint64_t>(byte) << (56 - count_);
            count_ += 8;
        }
    }

    std::span<const std::uint8_t> data_;
    std::size_t at_ = 0;
    std::uint64_t buffer_ = 0;
    int count_ = 0;
};

// The next value coded with `table`, or -1 at the end of the data or for a code the
// table does not hold.
int DecodeValue(BitReader& bits, const HuffmanTable& table) {
    const std::uint32_t next = bits.Peek16();
    int length = table.shortCodeLength[next >> (16 - kHuffmanLookupBits)];
    if (length == 0) {
        length = kHuffmanLookupBits + 1;
        while (length <= 16 && static_cast<int>(next >> (16 - length)) > table.maxCode[length]) {
            ++length;
        }
        if (length > 16) return -1;
    }
    if (!bits.Take(length)) return -1;
    const int code = static_cast<int>(next >> (16 - length));
    const auto index =
        static_cast<std::size_t>(table.firstValue[length] + code - table.minCode[length]);
    return index < table.values.size() ? table.values[index] : -1;
}

// One 8 x 8 block: its DC difference and its run-length coded AC coefficients.
bool SkipBlock(BitReader& bits, const JpegScanComponent& component) {
    const int dcSize = DecodeValue(bits, *component.dc);
    if (dcSize < 0 || dcSize > 16 || !bits.Take(dcSize)) return false;
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
        if (!bits.Take(size)) return false;
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
    // Every prefix that starts with a code of up to kHuffmanLookupBits bits.
    table.shortCodeLength.fill(0);
    for (int length = 1; length <= kHuffmanLookupBits; ++length) {
        for (int prefix = table.minCode[length]; prefix <= table.maxCode[length]; ++prefix) {
            const int shift = kHuffmanLookupBits - length;
            for (int rest = 0; rest < (1 << shift); ++rest) {
                table.shortCodeLength[static_cast<std::size_t>((prefix << shift) | rest)] =
                    static_cast<std::uint8_t>(length);
            }
        }
    }
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
