// Byte checks before decoding: kinds recognised by content, JPEG and BMP files cut off at
// any point refused, complete ones (also with stray bytes and embedded thumbnails) passed,
// JPEG files that lack only their end marker passed and mended for the decoder, and
// metafiles whose headers or records do not hold together refused.
#include "engine/picture_checks.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "jpeg_test_files.h"
#include "picture_bytes.h"

namespace velnor {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// SOI; an APP1 segment holding a thumbnail's own end marker; a scan whose data holds a
// stuffed 0xFF00 and a restart marker; a stray byte; EOI.
const Bytes kJpegSkeleton = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x06, 0xFF, 0xD9, 0xFF,
                             0xD9, 0xFF, 0xDA, 0x00, 0x04, 0x01, 0x02, 0x12, 0xFF,
                             0x00, 0x34, 0xFF, 0xD0, 0x56, 0x00, 0xFF, 0xD9};

TEST(PictureChecks, KindsAreRecognisedByContent) {
    const std::pair<Bytes, PictureKind> cases[] = {
        {{'B', 'M', 0, 0}, PictureKind::kBmp},
        {{0xFF, 0xD8, 0xFF, 0xE0}, PictureKind::kJpeg},
        {{'G', 'I', 'F', '8', '9', 'a'}, PictureKind::kGif},
        {{'G', 'I', 'F', '8', '7', 'a'}, PictureKind::kGif},
        {{0xD7, 0xCD, 0xC6, 0x9A}, PictureKind::kMetafile},
        {{1, 0, 9, 0, 0, 3}, PictureKind::kMetafile},
        {{'G', 'I', 'F', '8', '8', 'a'}, PictureKind::kUnknown},
        {{0x89, 'P', 'N', 'G'}, PictureKind::kUnknown},
        {{}, PictureKind::kUnknown},
    };
    for (const auto& [bytes, kind] : cases) EXPECT_EQ(SniffPictureKind(bytes), kind);
}

TEST(PictureChecks, AJpegIsCompleteOnlyWithItsFinalEndMarker) {
    EXPECT_TRUE(LooksComplete(kJpegSkeleton));
    for (std::size_t cut = 3; cut < kJpegSkeleton.size(); ++cut) {
        EXPECT_FALSE(LooksComplete(Bytes(kJpegSkeleton.begin(), kJpegSkeleton.begin() + cut)))
            << "cut at " << cut;
    }
    const Bytes sample = ReadAll(VELNOR_RESOURCE_DIR "/sample2.jpg");
    ASSERT_GT(sample.size(), 1000u);
    EXPECT_TRUE(LooksComplete(sample));
    Bytes trailing = sample;  // data after the end marker, as some cameras write
    trailing.insert(trailing.end(), {1, 2, 3});
    EXPECT_TRUE(LooksComplete(trailing));
    EXPECT_TRUE(LooksComplete(Bytes(sample.begin(), sample.end() - 2)));  // all data there
    for (std::size_t cut : {sample.size() / 4, sample.size() / 2, sample.size() - 3}) {
        EXPECT_FALSE(LooksComplete(Bytes(sample.begin(), sample.begin() + cut))) << cut;
    }
}

TEST(PictureChecks, AJpegLackingOnlyItsEndMarkerIsWholeOneCutInItsDataIsNot) {
    using testing::JpegLayout;
    const struct {
        const char* name;
        JpegLayout layout;
        bool wholeWithoutEndMarker;
    } cases[] = {
        {"4:2:0", {}, true},
        {"4:2:0, partial MCUs", {.width = 37, .height = 21}, true},
        {"4:4:4, restarts", {.subsampledChroma = false, .restartRows = 1}, true},
        {"grey, restarts", {.width = 27, .height = 40, .grey = true, .restartRows = 2}, true},
        {"scan per component", {.scanPerComponent = true}, true},
        // Whether the last scan of a progressive file is whole is not checked: refused.
        {"progressive", {.progressive = true}, false},
    };
    for (const auto& c : cases) {
        const Bytes whole = testing::EncodeTestJpeg(c.layout);
        ASSERT_EQ(Bytes(whole.end() - 2, whole.end()), (Bytes{0xFF, 0xD9})) << c.name;
        EXPECT_TRUE(LooksComplete(whole)) << c.name;
        // Without the end marker, or with only its first byte.
        for (std::size_t missing : {1, 2}) {
            Bytes bytes(whole.begin(), whole.end() - static_cast<std::ptrdiff_t>(missing));
            EXPECT_EQ(LooksComplete(bytes), c.wholeWithoutEndMarker) << c.name << missing;
            EXPECT_EQ(CompleteForDecoding(bytes), c.wholeWithoutEndMarker) << c.name << missing;
            if (missing == 2 && c.wholeWithoutEndMarker) {
                EXPECT_EQ(bytes, whole) << c.name;  // the marker is put back
            }
        }
        // Cut anywhere before that, even by one byte of picture data.
        for (std::size_t cut = 3; cut + 2 < whole.size(); ++cut) {
            ASSERT_FALSE(LooksComplete(Bytes(whole.begin(), whole.begin() + cut)))
                << c.name << " cut at " << cut << " of " << whole.size();
        }
    }
}

TEST(PictureChecks, CompleteForDecodingLeavesOtherDataAsItIs) {
    const Bytes texture = ReadAll(VELNOR_RESOURCE_DIR "/texture.bmp");
    for (const Bytes& original : {kJpegSkeleton, texture, Bytes{'G', 'I', 'F', '8', '9', 'a'}}) {
        Bytes bytes = original;
        EXPECT_TRUE(CompleteForDecoding(bytes));
        EXPECT_EQ(bytes, original);
    }
    Bytes cut(texture.begin(), texture.end() - 1);
    EXPECT_FALSE(CompleteForDecoding(cut));
}

TEST(PictureChecks, ABmpMustHoldThePixelsItsHeaderAnnounces) {
    const Bytes texture = ReadAll(VELNOR_RESOURCE_DIR "/texture.bmp");
    ASSERT_EQ(texture.size(), 54u + 832 * 3 * 20);
    EXPECT_TRUE(LooksComplete(texture));
    EXPECT_FALSE(LooksComplete(Bytes(texture.begin(), texture.end() - 1)));
    EXPECT_FALSE(LooksComplete(Bytes(texture.begin(), texture.begin() + 40)));
    Bytes lying = texture;
    lying[22] = 21;  // 21 rows announced, 20 stored
    EXPECT_FALSE(LooksComplete(lying));
}

// Header-only files whose announced pixel data does not fit in 64 bits: the size must be
// refused, not wrapped (2^23 x 2^31 rows at 32768 bits wraps to exactly 0 bytes).
TEST(PictureChecks, ABmpWhosePixelSizeOverflowsIsIncomplete) {
    const struct {
        std::uint32_t width, height;
        unsigned bits;
    } headers[] = {
        {0x7FFFFFFF, 0x7FFFFFFF, 65535},
        {0x00800000, 0x80000000, 32768},
        {0x7FFFFFFF, 0x80000000, 65535},
    };
    for (const auto& h : headers) {
        Bytes b{'B', 'M'};
        testing::Put32(b, 54);
        testing::Put32(b, 0);
        testing::Put32(b, 54);
        testing::Put32(b, 40);
        testing::Put32(b, h.width);
        testing::Put32(b, h.height);
        testing::Put16(b, 1);
        testing::Put16(b, h.bits);
        for (int i = 0; i < 6; ++i) testing::Put32(b, 0);
        ASSERT_EQ(b.size(), 54u);
        EXPECT_FALSE(LooksComplete(b)) << h.width << "x" << h.height << "x" << h.bits;
    }
}

// Found by the picture fuzzer: an information header "size" of about 4 GB made the
// system's BMP loader allocate that much while only probing the picture's size.
TEST(PictureChecks, ABmpWhoseHeaderClaimsMoreThanTheFileIsRefused) {
    Bytes b = testing::SolidBmp(3, 2, 2, 1, 2, 3);
    ASSERT_TRUE(HeadersLieWithin(b));
    ASSERT_TRUE(LooksComplete(b));
    b[16] = b[17] = 0xFF;  // header size 0xFFFF0028
    EXPECT_FALSE(HeadersLieWithin(b));
    EXPECT_FALSE(LooksComplete(b));
    EXPECT_FALSE(HeadersLieWithin(Bytes{'B', 'M', 0, 0}));
    b[16] = b[17] = 0;
    b[46] = b[47] = b[48] = b[49] = 0xFF;  // 2^32 - 1 colours in the table
    EXPECT_FALSE(HeadersLieWithin(b));
    EXPECT_FALSE(LooksComplete(b));
    EXPECT_TRUE(HeadersLieWithin(Bytes{0xFF, 0xD8, 0xFF}));  // other kinds: not this check

    // The same for a metafile whose largest record would be 3.4 GB (the metafile loader
    // allocated it): a placeable header, then a metafile header claiming 0x6765 words.
    Bytes metafile = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0xA0, 5, 0xA0, 5, 0xA0, 5,
                      0,    0,    0,    0,    0, 0, 1, 0, 9, 0, 0,    3, 12,   0, 0,    0,
                      0,    0,    3,    0,    0, 0, 0, 0, 3, 0, 0,    0, 0,    0};
    EXPECT_TRUE(HeadersLieWithin(metafile));
    metafile[34] = 0x69;
    metafile[35] = 0x6D;
    metafile[36] = 0x61;
    metafile[37] = 0x67;
    EXPECT_FALSE(HeadersLieWithin(metafile));
    EXPECT_FALSE(LooksComplete(metafile));
}

TEST(PictureChecks, PlaceableMetafileSizeComesFromItsBoundingBox) {
    Bytes header = {0xD7, 0xCD, 0xC6, 0x9A, 0,    0, 0x10, 0, 0x20, 0, 0xB0,
                    0x05, 0xF0, 0x02, 0xA0, 0x05, 0, 0,    0, 0,    0, 0};
    // Box (16, 32)-(1456, 752) at 1440 units per inch: 1 x 0.5 inches.
    EXPECT_EQ(PlaceableMetafileSize(header, 96), (PictureSize{96, 48}));
    EXPECT_EQ(PlaceableMetafileSize(header, 72), (PictureSize{72, 36}));
    header[14] = header[15] = 0;  // no units per inch
    EXPECT_FALSE(PlaceableMetafileSize(header, 96));
    EXPECT_FALSE(PlaceableMetafileSize(Bytes(header.begin(), header.begin() + 21), 96));
}

// Both checks the decoders run agree on metafiles.
bool MetafilePasses(const Bytes& b) {
    const bool passes = HeadersLieWithin(b);
    EXPECT_EQ(LooksComplete(b), passes);
    return passes;
}

TEST(PictureChecks, WellFormedMetafilesPass) {
    const Bytes placeable = testing::RedRectangleMetafile();
    ASSERT_EQ(placeable.size(), 102u);
    EXPECT_TRUE(MetafilePasses(placeable));
    EXPECT_TRUE(MetafilePasses(Bytes(placeable.begin() + 22, placeable.end())));  // no box
    const struct {
        const char* name;
        std::size_t at;
        std::vector<std::uint8_t> bytes;
    } accepted[] = {
        {"wrong checksum", 20, {0x12, 0x34}},
        {"box right to left", 6, {0xA0, 0x05, 0, 0, 0, 0}},
        {"negative box", 10, {0x60, 0xFA, 0x30, 0xFD}},  // (0, 0) - (-1440, -720)
        {"disk type", 22, {2}},
        {"version 1.0", 27, {1}},
        {"file size above the data", 28, {0x0C, 0x04}},    // 1036 words for 40
        {"polygon of one point", 86, {0x24, 0x03, 1, 0}},  // the rectangle's record
    };
    for (const auto& c : accepted) {
        Bytes b = placeable;
        std::copy(c.bytes.begin(), c.bytes.end(), b.begin() + static_cast<std::ptrdiff_t>(c.at));
        EXPECT_TRUE(MetafilePasses(b)) << c.name;
    }
    Bytes trailing = placeable;  // padding after the end record
    trailing.insert(trailing.end(), 64, 0xEE);
    EXPECT_TRUE(MetafilePasses(trailing));
}

TEST(PictureChecks, MetafilesWhoseHeadersOrRecordsDoNotHoldTogetherAreRefused) {
    const Bytes placeable = testing::RedRectangleMetafile();
    // Records at 40 (5 words), 50 (5), 60 (7), 74 (4), 82 (7: a rectangle, its function at
    // 86) and the end record at 96 (3).
    const struct {
        const char* name;
        std::size_t at;
        std::vector<std::uint8_t> bytes;
    } damaged[] = {
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
    for (const auto& c : damaged) {
        Bytes b = placeable;
        b.insert(b.end(), {0, 0});  // room for a longer end record
        std::copy(c.bytes.begin(), c.bytes.end(), b.begin() + static_cast<std::ptrdiff_t>(c.at));
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
