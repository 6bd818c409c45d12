// How a JPEG file ends: with its end-of-image marker after the last scan, without that
// marker but with every block of the picture present (a file cut by a camera or a
// download just before its last two bytes), or cut inside its headers or picture data.
#pragma once

#include <cstdint>
#include <span>

namespace velnor {

enum class JpegEnding {
    kEndMarker,         // the end-of-image marker follows the last scan
    kEndMarkerMissing,  // no end marker, but the scans hold every block of the picture
    kCut,               // the data ends early: a decoder would fill the rest with grey
};

// For data that starts with a JPEG's start-of-image marker. Only sequential
// Huffman-coded pictures (nearly every camera's) can be found whole without their end
// marker; for other codings a missing end marker counts as cut.
JpegEnding JpegEndingOf(std::span<const std::uint8_t> bytes);

}  // namespace velnor
