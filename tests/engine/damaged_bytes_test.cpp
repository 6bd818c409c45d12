// Picture bytes damaged at random (bytes overwritten, cut off, spliced) go through every
// byte-level reader. Nothing may read outside the data (the sanitizer build catches it),
// and a bitmap that is accepted never announces more pixels than its bytes can hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>

#include "engine/dib_reader.h"
#include "engine/picture_checks.h"
#include "picture_bytes.h"
#include "resource_dir.h"

namespace velnor {
namespace {

using testing::Bytes;

Bytes ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// A placeable metafile header followed by a metafile header and an end record.
Bytes PlaceableMetafile() {
    Bytes b = {0xD7, 0xCD, 0xC6, 0x9A, 0,    0, 0, 0, 0, 0, 0xA0,
               0x05, 0xA0, 0x05, 0xA0, 0x05, 0, 0, 0, 0, 0, 0};
    const Bytes header = {1, 0, 9, 0, 0, 3, 12, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0};
    const Bytes end = {3, 0, 0, 0, 0, 0};
    b.insert(b.end(), header.begin(), header.end());
    b.insert(b.end(), end.begin(), end.end());
    return b;
}

// One random kind of damage: a few bytes overwritten (often with 0x00 or 0xFF, the values
// that break sizes), the end cut off, or a stretch of random bytes spliced in.
Bytes Damaged(const Bytes& good, std::mt19937& random) {
    Bytes b = good;
    auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    switch (pick(3)) {
        case 0:
            for (std::size_t i = 0, n = 1 + pick(8); i < n; ++i) {
                const std::size_t at = pick(std::min<std::size_t>(b.size(), 96));
                const std::uint8_t values[] = {0x00, 0xFF, 0x7F, 0x80,
                                               static_cast<std::uint8_t>(random())};
                b[at] = values[pick(5)];
            }
            break;
        case 1:
            b.resize(pick(b.size()));
            break;
        default: {
            Bytes noise(pick(64) + 1);
            for (auto& byte : noise) byte = static_cast<std::uint8_t>(random());
            b.insert(b.begin() + static_cast<std::ptrdiff_t>(pick(b.size())), noise.begin(),
                     noise.end());
        }
    }
    return b;
}

TEST(DamagedBytes, ReadersStayInsideTheDataAndRefuseWhatItCannotHold) {
    const Bytes jpeg = ReadAll(VELNOR_RESOURCE_DIR "/sample1.jpg");
    const Bytes texture = ReadAll(VELNOR_RESOURCE_DIR "/texture.bmp");
    const Bytes mask = ReadAll(VELNOR_RESOURCE_DIR "/mask48.bmp");
    ASSERT_FALSE(jpeg.empty());
    ASSERT_TRUE(SurfaceFromBmpFile(texture) && SurfaceFromBmpFile(mask));
    const Bytes samples[] = {jpeg, texture, mask, testing::SolidBmp(3, 2, 2, 1, 2, 3),
                             PlaceableMetafile()};

    std::mt19937 random(20261207);
    int refused = 0;
    for (int round = 0; round < 4000; ++round) {
        const Bytes& good = samples[round % std::size(samples)];
        const Bytes b = Damaged(good, random);
        SniffPictureKind(b);
        LooksComplete(b);
        if (const auto size = PlaceableMetafileSize(b, 96)) {
            EXPECT_GT(size->width, 0);
            EXPECT_GT(size->height, 0);
        }
        for (const auto& surface : {SurfaceFromBmpFile(b), SurfaceFromPackedDib(b)}) {
            if (!surface) {
                ++refused;
                continue;
            }
            // At least one bit per pixel must be stored.
            const auto pixels = static_cast<std::uint64_t>(surface->width()) *
                                static_cast<std::uint64_t>(surface->height());
            EXPECT_LE(pixels, 8 * static_cast<std::uint64_t>(b.size())) << "round " << round;
        }
    }
    EXPECT_GT(refused, 4000);  // most damage is noticed
}

}  // namespace
}  // namespace velnor
