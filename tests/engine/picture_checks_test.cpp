// Byte checks before decoding: kinds recognised by content, JPEG and BMP files cut off at
// any point refused, complete ones (also with stray bytes and embedded thumbnails) passed,
// JPEG files that lack only their end marker passed and mended for the decoder, and headers
// that claim more than the file (the metafiles' own checks are in metafile_checks_test.cpp).
#include "engine/picture_checks.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "jpeg_test_files.h"
#include "picture_bytes.h"
#include "resource_dir.h"

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

}  // namespace
}  // namespace velnor
