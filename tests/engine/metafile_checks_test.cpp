// Byte checks of metafiles before decoding: the placeable header's size, well-formed files
// passed, and files whose headers or records do not hold together refused, the same by
// both checks the decoders run.
#include "engine/picture_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "picture_bytes.h"

namespace velnor {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(MetafileChecks, PlaceableMetafileSizeComesFromItsBoundingBox) {
    Bytes header = {0xD7, 0xCD, 0xC6, 0x9A, 0,    0, 0x10, 0, 0x20, 0, 0xB0,
                    0x05, 0xF0, 0x02, 0xA0, 0x05, 0, 0,    0, 0,    0, 0};
    // Box (16, 32)-(1456, 752) at 1440 units per inch: 1 x 0.5 inches.
    EXPECT_EQ(PlaceableMetafileSize(header, 96), (PictureSize{96, 48}));
    EXPECT_EQ(PlaceableMetafileSize(header, 72), (PictureSize{72, 36}));
    header[14] = header[15] = 0;  // no units per inch
    EXPECT_FALSE(PlaceableMetafileSize(header, 96));
    EXPECT_FALSE(PlaceableMetafileSize(Bytes(header.begin(), header.begin() + 21), 96));
}

// A change of bytes at an offset of a well-formed metafile, named for the message.
struct ByteChange {
    const char* name;
    std::size_t at;
    std::vector<std::uint8_t> bytes;
};

Bytes Changed(Bytes b, const ByteChange& c) {
    std::copy(c.bytes.begin(), c.bytes.end(), b.begin() + static_cast<std::ptrdiff_t>(c.at));
    return b;
}

// Both checks the decoders run agree on metafiles.
bool MetafilePasses(const Bytes& b) {
    const bool passes = HeadersLieWithin(b);
    EXPECT_EQ(LooksComplete(b), passes);
    return passes;
}

TEST(MetafileChecks, WellFormedMetafilesPass) {
    const Bytes placeable = testing::RedRectangleMetafile();
    ASSERT_EQ(placeable.size(), 102u);
    EXPECT_TRUE(MetafilePasses(placeable));
    EXPECT_TRUE(MetafilePasses(Bytes(placeable.begin() + 22, placeable.end())));  // no box
    const ByteChange accepted[] = {
        {"wrong checksum", 20, {0x12, 0x34}},
        {"box right to left", 6, {0xA0, 0x05, 0, 0, 0, 0}},
        {"negative box", 10, {0x60, 0xFA, 0x30, 0xFD}},  // (0, 0) - (-1440, -720)
        {"disk type", 22, {2}},
        {"version 1.0", 27, {1}},
        {"file size above the data", 28, {0x0C, 0x04}},    // 1036 words for 40
        {"polygon of one point", 86, {0x24, 0x03, 1, 0}},  // the rectangle's record
    };
    for (const ByteChange& c : accepted)
        EXPECT_TRUE(MetafilePasses(Changed(placeable, c))) << c.name;
    Bytes trailing = placeable;  // padding after the end record
    trailing.insert(trailing.end(), 64, 0xEE);
    EXPECT_TRUE(MetafilePasses(trailing));
}

TEST(MetafileChecks, MetafilesWhoseHeadersOrRecordsDoNotHoldTogetherAreRefused) {
    const Bytes placeable = testing::RedRectangleMetafile();
    // Records at 40 (5 words), 50 (5), 60 (7), 74 (4), 82 (7: a rectangle, its function at
    // 86) and the end record at 96 (3).
    const ByteChange damaged[] = {
        {"box without width", 10, {0, 0}},
        {"box without height", 12, {0, 0}},
        {"no units per inch", 14, {0, 0}},
        {"unknown type", 23, {1}},  // 0x0101
        {"header of 8 words", 24, {8}},
        {"version 2.0", 27, {2}},
        {"file size below the header", 28, {8, 0, 0, 0}},
        {"record of two words", 40, {2}},
        {"record of no words", 50, {0, 0, 0, 0}},
        {"record past the data", 96, {5}},
        {"record above the largest", 34, {6}},
        {"largest record beyond the data", 34, {0, 0, 1, 0}},
        {"no end record", 100, {1}},
        {"end record of four words", 96, {4}},
        {"polygon of two points in four words", 86, {0x24, 0x03, 2, 0}},
    };
    Bytes roomy = placeable;
    roomy.insert(roomy.end(), {0, 0});  // room for a longer end record
    for (const ByteChange& c : damaged) {
        const Bytes b = Changed(roomy, c);
        EXPECT_FALSE(MetafilePasses(b)) << c.name;
        if (c.at >= 22) {  // the same damage without the placeable header
            EXPECT_FALSE(MetafilePasses(Bytes(b.begin() + 22, b.end()))) << c.name;
        }
    }
    // Not metafiles by their header but starting like one: the metafile loader would
    // still take them.
    EXPECT_FALSE(MetafilePasses(Bytes{1}));
    EXPECT_FALSE(MetafilePasses(Bytes{1, 0, 9, 0, 0, 2, 0x20, 0}));
    EXPECT_TRUE(HeadersLieWithin(Bytes{2, 0, 9, 0, 0, 2}));
    for (std::size_t cut = 4; cut < placeable.size(); ++cut) {  // key present
        const Bytes part(placeable.begin(), placeable.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(HeadersLieWithin(part) || LooksComplete(part)) << "cut at " << cut;
    }
}

}  // namespace
}  // namespace velnor
