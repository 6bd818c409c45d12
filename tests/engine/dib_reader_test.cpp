// Reading stored bitmaps: the bit depths the program's resources use, both row orders,
// and damaged or lying headers refused without reading past the data.
#include "engine/dib_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "picture_bytes.h"

namespace velnor {
namespace {

using testing::Bytes;
using testing::Put16;
using testing::Put32;

// A packed DIB of `width` x `height` (negative: top-down) with the given colour table and
// rows (each already padded to 4 bytes), stored in file order.
Bytes Dib(int width, int height, int bits, const std::vector<std::uint32_t>& table,
          const std::vector<Bytes>& rows) {
    Bytes b;
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, static_cast<unsigned>(bits));
    for (int i = 0; i < 4; ++i) Put32(b, 0);  // compression, size, resolution
    Put32(b, static_cast<std::uint32_t>(table.size()));
    Put32(b, 0);
    for (std::uint32_t colour : table) Put32(b, colour);
    for (const Bytes& row : rows) b.insert(b.end(), row.begin(), row.end());
    return b;
}

TEST(DibReader, ReadsEachDepthInBothRowOrders) {
    // 24 bits, bottom-up: the first stored row is the bottom one. Bytes are blue, green, red.
    const Bytes bottomUp =
        Dib(2, 2, 24, {}, {{1, 2, 3, 4, 5, 6, 0, 0}, {7, 8, 9, 10, 11, 12, 0, 0}});
    const auto a = SurfaceFromPackedDib(bottomUp);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->at(0, 0), 0x090807u);
    EXPECT_EQ(a->at(1, 1), 0x060504u);
    // 8 bits, top-down, through the colour table.
    const Bytes topDown = Dib(3, -1, 8, {0x000000, 0xFFFFFF, 0x123456}, {{2, 1, 0, 0}});
    const auto b = SurfaceFromPackedDib(topDown);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->at(0, 0), 0x123456u);
    EXPECT_EQ(b->at(1, 0), 0xFFFFFFu);
    EXPECT_EQ(b->at(2, 0), 0u);
    // 1 and 4 bits: the high bits hold the leftmost pixel.
    const auto c = SurfaceFromPackedDib(Dib(3, 1, 1, {0x0000FF, 0x00FF00}, {{0xA0, 0, 0, 0}}));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->at(0, 0), 0x00FF00u);
    EXPECT_EQ(c->at(1, 0), 0x0000FFu);
    EXPECT_EQ(c->at(2, 0), 0x00FF00u);
    const auto d = SurfaceFromPackedDib(Dib(2, 1, 4, {0x111111, 0x222222}, {{0x10, 0, 0, 0}}));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->at(0, 0), 0x222222u);
    EXPECT_EQ(d->at(1, 0), 0x111111u);
}

TEST(DibReader, AFileHeaderPointsAtThePixels) {
    const Bytes dib = Dib(1, 1, 24, {}, {{0x30, 0x20, 0x10, 0}});
    Bytes file{'B', 'M'};
    Put32(file, static_cast<std::uint32_t>(14 + dib.size()));
    Put32(file, 0);
    Put32(file, 14 + 40);
    file.insert(file.end(), dib.begin(), dib.end());
    const auto s = SurfaceFromBmpFile(file);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->at(0, 0), 0x102030u);
    file[0] = 'X';
    EXPECT_FALSE(SurfaceFromBmpFile(file));
}

TEST(DibReader, DamagedOrLyingDataIsRefused) {
    const Bytes good = Dib(2, 2, 24, {}, {{0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}});
    ASSERT_TRUE(SurfaceFromPackedDib(good));
    auto patched = [&](std::size_t at, std::uint32_t value) {
        Bytes b = good;
        const std::uint8_t le[4] = {
            static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
        std::memcpy(b.data() + at, le, sizeof le);
        return b;
    };
    const std::vector<Bytes> bad = {
        Bytes(good.begin(), good.end() - 1),  // truncated pixels
        Bytes(good.begin(), good.begin() + 20),
        patched(4, 40000),  // claims 40000 x 2: more rows than data
        patched(8, 40000),
        patched(8, 0x80000000u),  // height INT32_MIN
        patched(4, 0),            // no pixels
        patched(16, 1),           // compressed
        patched(0, 0xFFFF),       // header larger than the data
        patched(32, 1000),        // colour table of 1000 entries
    };
    for (std::size_t i = 0; i < bad.size(); ++i) {
        EXPECT_FALSE(SurfaceFromPackedDib(bad[i])) << "case " << i;
    }
    // A palette index beyond the table.
    EXPECT_FALSE(SurfaceFromPackedDib(Dib(1, 1, 8, {0x000000}, {{5, 0, 0, 0}})));
}

}  // namespace
}  // namespace velnor
