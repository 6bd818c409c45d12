// JPEG files for the tests, encoded with libjpeg in the layouts cameras and programs
// write: colour with subsampled chroma or without, grey, restart markers, one scan per
// component, progressive.
#pragma once

#include <cstdint>
#include <vector>

namespace velnor::testing {

struct JpegLayout {
    int width = 40;
    int height = 24;
    bool grey = false;
    bool subsampledChroma = true;  // 4:2:0, as cameras write; otherwise 4:4:4
    int restartRows = 0;           // a restart marker after every so many MCU rows
    bool scanPerComponent = false;
    bool progressive = false;
};

// A picture of noise over a gradient (so every block holds coefficients), encoded in
// `layout`; ends with the end-of-image marker.
std::vector<std::uint8_t> EncodeTestJpeg(const JpegLayout& layout);

}  // namespace velnor::testing
