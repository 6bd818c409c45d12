// What the segments of a JPEG set up for its scans (frame, Huffman tables, restart
// interval, the last scan's components), so that a file whose end-of-image marker is
// missing can be checked for every block of its last scan. Only sequential Huffman-coded
// pictures (nearly every camera's) can be followed.
#pragma once

#include <cstdint>
#include <set>
#include <span>
#include <vector>

#include "engine/jpeg_entropy.h"

namespace velnor {

class JpegScanLayout {
  public:
    JpegScanLayout() = default;
    JpegScanLayout(const JpegScanLayout&) = delete;  // the last scan points into the tables
    JpegScanLayout& operator=(const JpegScanLayout&) = delete;

    // Takes in what a segment (marker and body) says about the data's layout; segments of
    // no bearing on it are passed over, and one that cannot be followed (another coding,
    // a table or component that does not exist) makes the layout unusable.
    void Read(std::uint8_t marker, std::span<const std::uint8_t> body);

    // Whether `data`, the last scan's entropy-coded data up to the end of the file, holds
    // every block of that scan, and every component of the frame has been in a scan.
    bool LastScanHoldsEveryBlock(std::span<const std::uint8_t> data) const;

  private:
    bool ReadFrame(std::span<const std::uint8_t> s);
    bool ReadHuffmanTables(std::span<const std::uint8_t> s);
    bool ReadScan(std::span<const std::uint8_t> s);

    bool usable_ = true;
    bool sequentialFrame_ = false;
    JpegFrame frame_;
    HuffmanTable dc_[4];
    HuffmanTable ac_[4];
    int restartInterval_ = 0;
    std::set<std::uint8_t> scannedComponents_;
    std::vector<JpegScanComponent> lastScan_;
};

}  // namespace velnor
