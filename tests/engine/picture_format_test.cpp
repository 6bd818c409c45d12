// The table of picture formats and the one reading of a file: every kind claimed by one
// row only, the JPEG walk that gives the header strictly and the ending leniently, and the
// decoding plan each row asks for when a picture is drawn smaller.
#include "engine/picture_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/picture_reading.h"
#include "jpeg_test_files.h"
#include "picture_bytes.h"
#include "png_bytes.h"

namespace velnor {
namespace {

using testing::Bytes;
using testing::Put16;

// A GIF whose logical screen is `screen` pixels square around a frame of 8 x 6.
Bytes SmallFrameGif(unsigned screen) {
    Bytes b{'G', 'I', 'F', '8', '9', 'a'};
    Put16(b, screen);
    Put16(b, screen);
    b.insert(b.end(), {0, 0, 0, 0x2C, 0, 0, 0, 0, 8, 0, 6, 0, 0, 2, 2, 0x44, 0x01, 0, 0x3B});
    return b;
}

struct Sample {
    std::string name;
    PictureKind kind;
    Bytes bytes;
    PictureSize size;  // at 96 pixels per inch
};

std::vector<Sample> Samples() {
    return {{"bmp", PictureKind::kBmp, testing::SolidBmp(8, 6, 6, 1, 2, 3), {8, 6}},
            {"gif", PictureKind::kGif, SmallFrameGif(100), {8, 6}},
            {"jpeg", PictureKind::kJpeg, testing::EncodeTestJpeg({}), {40, 24}},
            {"wmf", PictureKind::kMetafile, testing::RedRectangleMetafile(), {96, 48}},
            {"png", PictureKind::kPng, testing::SolidPng(8, 6, {1, 2, 3, 255}), {8, 6}}};
}

// Fault caught: two rows claiming the same bytes (two parsers for one file), or a kind
// whose row is missing from the table.
TEST(PictureFormat, EachSampleIsClaimedByItsOwnRowOnly) {
    for (const Sample& sample : Samples()) {
        int claims = 0;
        for (const PictureKind kind : {PictureKind::kBmp, PictureKind::kGif, PictureKind::kJpeg,
                                       PictureKind::kMetafile, PictureKind::kPng}) {
            const PictureFormat* format = PictureFormatOf(kind);
            ASSERT_NE(format, nullptr);
            EXPECT_EQ(format->kind, kind);
            if (format->sniff(sample.bytes)) {
                ++claims;
                EXPECT_EQ(kind, sample.kind) << sample.name;
            }
        }
        EXPECT_EQ(claims, 1) << sample.name;
        const PictureFacts facts = ReadPictureFacts(sample.bytes, 96);
        EXPECT_TRUE(facts.complete && facts.sized) << sample.name;
        EXPECT_EQ(facts.header.stored, sample.size) << sample.name;
    }
    EXPECT_EQ(PictureFormatOf(PictureKind::kUnknown), nullptr);
}

// Fault caught: a merged JPEG walk that reads the header as leniently as the ending (a
// stray byte before the frame would then give a size no header reader would find), or
// that stops the ending's walk where the header's stops.
TEST(PictureFormat, AJpegsHeaderIsReadStrictlyItsEndingLeniently) {
    const Bytes jpeg = testing::EncodeTestJpeg({});
    const auto markerAt = [&](std::uint8_t marker) {
        const std::uint8_t bytes[] = {0xFF, marker};
        return std::search(jpeg.begin(), jpeg.end(), std::begin(bytes), std::end(bytes)) -
               jpeg.begin();
    };
    const std::ptrdiff_t frameAt = markerAt(0xC0);
    const std::ptrdiff_t tablesAt = markerAt(0xC4);  // written after the frame header
    ASSERT_LT(frameAt, tablesAt);
    ASSERT_LT(tablesAt, static_cast<std::ptrdiff_t>(jpeg.size()));
    struct Case {
        const char* name;
        std::ptrdiff_t strayAt;
        bool sized;
    };
    for (const Case& c : {Case{"stray byte before the frame", frameAt, false},
                          Case{"stray byte after the frame", tablesAt, true}}) {
        Bytes b = jpeg;
        b.insert(b.begin() + c.strayAt, 0x00);
        const PictureFacts facts = ReadPictureFacts(b);
        EXPECT_TRUE(facts.complete) << c.name;
        EXPECT_EQ(facts.sized, c.sized) << c.name;
    }
}

// Fault caught: completing a JPEG that lacks its end marker changes what its header says,
// or leaves it incomplete for the decoder.
TEST(PictureFormat, AJpegCompletedByItsRowReadsAsTheSamePicture) {
    Bytes b = testing::EncodeTestJpeg({});
    ASSERT_GT(b.size(), 2u);
    b.erase(b.end() - 2, b.end());  // the end-of-image marker
    const PictureFacts cut = ReadPictureFacts(b);
    ASSERT_TRUE(cut.complete && cut.endMarkerMissing && cut.sized);
    PictureFormatOf(PictureKind::kJpeg)->prepare(b, cut);
    const PictureFacts completed = ReadPictureFacts(b);
    EXPECT_TRUE(completed.complete && !completed.endMarkerMissing && completed.sized);
    EXPECT_EQ(completed.header.stored, cut.header.stored);
}

// Fault caught: a row wired to the wrong way of decoding smaller (a JPEG shrunk colour on
// colour instead of scaled while decoding, a drawing played at its own size) or whose
// preparation is not run (a GIF decoded at its huge screen size).
TEST(PictureFormat, EachRowPlansItsOwnSmallerDecoding) {
    struct Expected {
        PictureSize decodeSize;
        PictureSize shrinkTo;
        int jpegDivisor;
    };
    const Expected expected[] = {{{8, 6}, {4, 3}, 1},
                                 {{8, 6}, {4, 3}, 1},
                                 {{20, 12}, {}, 2},
                                 {{48, 24}, {}, 1},
                                 {{8, 6}, {4, 3}, 1}};
    const DrawnSizeRule half = [](PictureSize upright) {
        return DrawnSize(PictureSize{upright.width / 2, upright.height / 2});
    };
    const std::vector<Sample> samples = Samples();
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto plan = PlanDecoding(samples[i].bytes, 96, half);
        ASSERT_TRUE(plan) << samples[i].name;
        EXPECT_EQ(plan->decodeSize, expected[i].decodeSize) << samples[i].name;
        EXPECT_EQ(plan->shrinkTo, expected[i].shrinkTo) << samples[i].name;
        EXPECT_EQ(plan->jpegDivisor, expected[i].jpegDivisor) << samples[i].name;
    }
    const auto gif = PlanDecoding(SmallFrameGif(30000), 96, nullptr);
    ASSERT_TRUE(gif);
    EXPECT_EQ(Bytes(gif->bytes.begin() + 6, gif->bytes.begin() + 10), (Bytes{8, 0, 6, 0}));
}

// Fault caught: a PNG whose chunks claim more than the file holds, or that lacks its end,
// handed to a decoder (which would fill the missing rows), or a size beyond the limits or
// a pixel layout no decoder knows read as a size.
TEST(PictureFormat, APngIsDecodedOnlyWholeWithinItsChunksAndWithinTheSizeLimits) {
    const Bytes whole = testing::SolidPng(8, 6, {9, 9, 9, 255});
    const std::size_t endChunk = whole.size() - 12;
    const auto changed = [&](std::size_t at, std::uint8_t value) {
        Bytes b = whole;
        b[at] = value;
        return b;
    };
    struct Case {
        const char* name;
        Bytes bytes;
        bool sized, within, complete;
    };
    const Case cases[] = {
        {"whole", whole, true, true, true},
        {"cut in its data", Bytes(whole.begin(), whole.begin() + 60), false, false, false},
        {"without its end", Bytes(whole.begin(), whole.begin() + endChunk), true, true, false},
        {"a chunk of 4 GB", changed(33, 0xFF), false, false, false},
        {"40000 pixels wide", testing::SolidPng(40000, 1, {0, 0, 0, 255}), false, true, true},
        {"colour type 5", changed(25, 5), false, false, false},
        {"interlace method 2", changed(28, 2), false, false, false},
        {"header cut short", Bytes(whole.begin(), whole.begin() + 20), false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SniffPictureKind(c.bytes), PictureKind::kPng) << c.name;
        const PictureFacts facts = ReadPictureFacts(c.bytes);
        EXPECT_EQ(facts.sized, c.sized) << c.name;
        EXPECT_EQ(facts.headersLieWithin, c.within) << c.name;
        EXPECT_EQ(facts.complete, c.complete) << c.name;
        EXPECT_EQ(PlanDecoding(c.bytes, 96, nullptr).has_value(), c.sized && c.complete) << c.name;
    }
}

}  // namespace
}  // namespace velnor
