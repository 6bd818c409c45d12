// Writers of JPEG, BMP, CUR and ICO files for the resource generator.
#include "resource_maker/resource_formats.h"

#include <jpeglib.h>
#include <cstdio>
#include <cstring>

namespace velnor::resources {
namespace {

void Put16(Bytes& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}
void Put32(Bytes& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// BITMAPINFOHEADER; `height` is already doubled for icons and cursors.
void PutInfoHeader(Bytes& out, int width, int height, int bits, std::uint32_t imageSize,
                   std::uint32_t colours) {
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(bits));
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, 3780);  // 96 dpi
    Put32(out, 3780);
    Put32(out, colours);
    Put32(out, 0);
}

void PutFileHeader(Bytes& out, std::uint32_t fileSize, std::uint32_t pixelOffset) {
    out.push_back('B');
    out.push_back('M');
    Put32(out, fileSize);
    Put32(out, 0);
    Put32(out, pixelOffset);
}

std::uint32_t Stride(int width, int bits) {
    return static_cast<std::uint32_t>(((width * bits + 31) / 32) * 4);
}

// The AND mask of an icon or cursor: 1 where the image is transparent, bottom-up.
template <typename IsTransparent>
void PutAndMask(Bytes& out, int width, int height, IsTransparent transparent) {
    const std::uint32_t stride = Stride(width, 1);
    for (int y = height - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < width; ++x) {
            if (transparent(x, y)) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

}  // namespace

Bytes JpegBytes(const Surface& picture, int quality) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(picture.width());
    info.image_height = static_cast<JDIMENSION>(picture.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.dct_method = JDCT_ISLOW;
    info.optimize_coding = TRUE;
    for (int c = 0; c < 3; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(picture.width()) * 3);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Pixel p = picture.at(x, y);
            row[x * 3] = static_cast<JSAMPLE>((p >> 16) & 0xFF);
            row[x * 3 + 1] = static_cast<JSAMPLE>((p >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<JSAMPLE>(p & 0xFF);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

Bytes Bmp24Bytes(const Surface& picture) {
    const std::uint32_t stride = Stride(picture.width(), 24);
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(picture.height());
    Bytes out;
    PutFileHeader(out, 54 + imageSize, 54);
    PutInfoHeader(out, picture.width(), picture.height(), 24, imageSize, 0);
    for (int y = picture.height() - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < picture.width(); ++x) {
            const Pixel p = picture.at(x, y);
            row[x * 3] = static_cast<std::uint8_t>(p & 0xFF);
            row[x * 3 + 1] = static_cast<std::uint8_t>((p >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<std::uint8_t>((p >> 16) & 0xFF);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

Bytes Bmp8GreyBytes(const Surface& picture) {
    const std::uint32_t stride = Stride(picture.width(), 8);
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(picture.height());
    const std::uint32_t offset = 54 + 256 * 4;
    Bytes out;
    PutFileHeader(out, offset + imageSize, offset);
    PutInfoHeader(out, picture.width(), picture.height(), 8, imageSize, 256);
    for (unsigned grey = 0; grey < 256; ++grey) Put32(out, grey * 0x010101u);
    for (int y = picture.height() - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < picture.width(); ++x) {
            row[x] = static_cast<std::uint8_t>((picture.at(x, y) >> 8) & 0xFF);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

Bytes CursorBytes(const CursorImage& cursor) {
    constexpr int kSide = 32;
    const int bits = cursor.palette.size() <= 2 ? 1 : 4;
    const std::uint32_t colours = bits == 1 ? 2 : 16;
    const std::uint32_t xorSize = Stride(kSide, bits) * kSide;
    const std::uint32_t andSize = Stride(kSide, 1) * kSide;
    const std::uint32_t imageBytes = 40 + colours * 4 + xorSize + andSize;
    Bytes out;
    Put16(out, 0);
    Put16(out, 2);  // cursor
    Put16(out, 1);
    out.push_back(kSide);
    out.push_back(kSide);
    out.push_back(static_cast<std::uint8_t>(colours == 16 ? 16 : 2));
    out.push_back(0);
    Put16(out, static_cast<unsigned>(cursor.hotX));
    Put16(out, static_cast<unsigned>(cursor.hotY));
    Put32(out, imageBytes);
    Put32(out, 6 + 16);
    PutInfoHeader(out, kSide, kSide * 2, bits, xorSize + andSize, 0);
    for (std::uint32_t i = 0; i < colours; ++i) {
        Put32(out, i < cursor.palette.size() ? cursor.palette[i] : 0);
    }
    auto indexAt = [&](int x, int y) { return cursor.indexes[y * kSide + x]; };
    for (int y = kSide - 1; y >= 0; --y) {
        Bytes row(Stride(kSide, bits), 0);
        for (int x = 0; x < kSide; ++x) {
            const int index = indexAt(x, y) == kTransparent ? 0 : indexAt(x, y);
            const int perByte = 8 / bits;
            row[x / perByte] |= static_cast<std::uint8_t>(index << (8 - bits * (x % perByte + 1)));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    PutAndMask(out, kSide, kSide, [&](int x, int y) { return indexAt(x, y) == kTransparent; });
    return out;
}

Bytes IconBytes(const std::vector<Surface>& images) {
    Bytes out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    std::vector<Bytes> bodies;
    for (const Surface& image : images) {
        Bytes body;
        const int w = image.width();
        const int h = image.height();
        const std::uint32_t xorSize = Stride(w, 32) * static_cast<std::uint32_t>(h);
        const std::uint32_t andSize = Stride(w, 1) * static_cast<std::uint32_t>(h);
        PutInfoHeader(body, w, h * 2, 32, xorSize + andSize, 0);
        for (int y = h - 1; y >= 0; --y) {
            for (int x = 0; x < w; ++x) Put32(body, image.at(x, y));
        }
        PutAndMask(body, w, h, [&](int x, int y) { return (image.at(x, y) >> 24) == 0; });
        out.push_back(static_cast<std::uint8_t>(w >= 256 ? 0 : w));
        out.push_back(static_cast<std::uint8_t>(h >= 256 ? 0 : h));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<std::uint32_t>(body.size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(body.size());
        bodies.push_back(std::move(body));
    }
    for (const Bytes& body : bodies) out.insert(out.end(), body.begin(), body.end());
    return out;
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace velnor::resources
