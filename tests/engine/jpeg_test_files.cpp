// Encoding the tests' JPEG files with libjpeg into memory.
#include "jpeg_test_files.h"

#include <cstdio>
#include <cstdlib>
#include <random>

// After <cstdio>: jpeglib.h uses FILE and size_t without including their headers.
#include <jpeglib.h>

namespace velnor::testing {
namespace {

void SetLayout(jpeg_compress_struct& info, const JpegLayout& layout, jpeg_scan_info (&scans)[3]) {
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 85, TRUE);
    if (!layout.grey) {
        const int chroma = layout.subsampledChroma ? 2 : 1;
        info.comp_info[0].h_samp_factor = chroma;
        info.comp_info[0].v_samp_factor = chroma;
    }
    info.restart_in_rows = layout.restartRows;
    if (layout.progressive) jpeg_simple_progression(&info);
    if (layout.scanPerComponent) {
        for (int c = 0; c < info.num_components; ++c) {
            scans[c] = jpeg_scan_info{1, {c, 0, 0, 0}, 0, 63, 0, 0};
        }
        info.scan_info = scans;
        info.num_scans = info.num_components;
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeTestJpeg(const JpegLayout& layout) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(layout.width);
    info.image_height = static_cast<JDIMENSION>(layout.height);
    info.input_components = layout.grey ? 1 : 3;
    info.in_color_space = layout.grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_scan_info scans[3];
    SetLayout(info, layout, scans);
    jpeg_start_compress(&info, TRUE);
    std::mt19937 random(static_cast<unsigned>(layout.width * 131 + layout.height));
    std::vector<JSAMPLE> row(static_cast<std::size_t>(layout.width) * info.input_components);
    for (int y = 0; y < layout.height; ++y) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            row[i] = static_cast<JSAMPLE>((static_cast<int>(i) * 3 + y * 5 + random() % 64) & 0xFF);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

}  // namespace velnor::testing
