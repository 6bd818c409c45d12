// Header reading on crafted files: sizes of the four kinds and their limits (among them
// tiny files claiming huge pictures), other kinds refused, the EXIF orientation of
// well-formed and damaged segments, the turn of each orientation, the JPEG scale choice.
#include "engine/picture_header.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "picture_bytes.h"

namespace velnor {
namespace {

using testing::Bytes;
using testing::Put16;
using testing::Put32;

void PutBig16(Bytes& b, unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v >> 8));
    b.push_back(static_cast<std::uint8_t>(v));
}

// A JPEG's start: SOI, the given segments (marker, body), then a baseline frame header of
// `width` x `height` with one component.
Bytes JpegStart(int width, int height, const std::vector<std::pair<int, Bytes>>& segments = {}) {
    Bytes b{0xFF, 0xD8};
    for (const auto& [marker, body] : segments) {
        b.push_back(0xFF);
        b.push_back(static_cast<std::uint8_t>(marker));
        PutBig16(b, static_cast<unsigned>(body.size() + 2));
        b.insert(b.end(), body.begin(), body.end());
    }
    const Bytes frame{0xFF, 0xC0, 0, 11, 8};
    b.insert(b.end(), frame.begin(), frame.end());
    PutBig16(b, static_cast<unsigned>(height));
    PutBig16(b, static_cast<unsigned>(width));
    const Bytes component{1, 1, 0x11, 0};
    b.insert(b.end(), component.begin(), component.end());
    return b;
}

// An EXIF segment body whose first IFD holds one entry (tag, type, count, value) after
// an unrelated one, in little- or big-endian order.
Bytes ExifBody(bool little, unsigned tag, unsigned type, std::uint32_t count, unsigned value) {
    Bytes b{'E', 'x', 'i', 'f', 0, 0};
    const auto p16 = [&](unsigned v) { little ? Put16(b, v) : PutBig16(b, v); };
    const auto p32 = [&](std::uint32_t v) {
        if (little) {
            Put32(b, v);
        } else {
            PutBig16(b, v >> 16);
            PutBig16(b, v & 0xFFFF);
        }
    };
    b.push_back(little ? 'I' : 'M');
    b.push_back(little ? 'I' : 'M');
    p16(42);
    p32(8);
    p16(2);
    p16(0x010F), p16(2), p32(4), p32(0);  // Make, an ASCII value
    p16(tag), p16(type), p32(count), p16(value), p16(0);
    p32(0);
    return b;
}

Bytes GifBomb(int screen, int frame) {
    Bytes b{'G', 'I', 'F', '8', '9', 'a'};
    Put16(b, static_cast<unsigned>(screen));
    Put16(b, static_cast<unsigned>(screen));
    b.insert(b.end(), {0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x2C, 0, 0, 0, 0});
    Put16(b, static_cast<unsigned>(frame));
    Put16(b, static_cast<unsigned>(frame));
    b.insert(b.end(), {0, 2, 2, 0x44, 0x01, 0, 0x3B});
    return b;
}

// A run-length (RLE8) BMP of `side` x `side` whose data is one end-of-picture code.
Bytes RleBmp(int side, int dataBytes) {
    Bytes b{'B', 'M'};
    Put32(b, static_cast<std::uint32_t>(54 + 8 + dataBytes));
    Put32(b, 0);
    Put32(b, 54 + 8);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(side));
    Put32(b, static_cast<std::uint32_t>(side));
    Put16(b, 1);
    Put16(b, 8);
    Put32(b, 1);  // RLE8
    Put32(b, static_cast<std::uint32_t>(dataBytes));
    Put32(b, 0), Put32(b, 0), Put32(b, 2), Put32(b, 0);
    Put32(b, 0), Put32(b, 0x00FFFFFF);  // two colours
    for (int i = 0; i + 2 < dataBytes; i += 2) b.insert(b.end(), {0xFF, 1});
    b.insert(b.end(), {0, 1});
    return b;
}

Bytes PlaceableBomb(int side) {
    Bytes b = testing::RedRectangleMetafile();
    b[10] = static_cast<std::uint8_t>(side), b[11] = static_cast<std::uint8_t>(side >> 8);
    b[12] = b[10], b[13] = b[11];
    b[14] = 96, b[15] = 0;  // units per inch: one unit per pixel at 96 dpi
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= static_cast<std::uint16_t>(b[i] | b[i + 1] << 8);
    b[20] = static_cast<std::uint8_t>(checksum), b[21] = static_cast<std::uint8_t>(checksum >> 8);
    return b;
}

Bytes WithCompression(Bytes bmp, std::uint8_t compression) {
    bmp[30] = compression;
    return bmp;
}

TEST(PictureHeader, SizesOfTheFourKindsAndTheirLimits) {
    struct Case {
        const char* name;
        Bytes bytes;
        std::optional<PictureSize> size;
    };
    const Case cases[] = {
        {"jpeg 16x16", JpegStart(16, 16), PictureSize{16, 16}},
        {"jpeg 10000x10000", JpegStart(10000, 10000), PictureSize{10000, 10000}},
        {"jpeg 38000x38000", JpegStart(38000, 38000), std::nullopt},
        {"jpeg 65500x65500", JpegStart(65500, 65500), std::nullopt},
        {"jpeg 20000x20000", JpegStart(20000, 20000), std::nullopt},
        {"jpeg height 0 (set later)", JpegStart(640, 0), std::nullopt},
        {"jpeg without frame", Bytes{0xFF, 0xD8, 0xFF, 0xDA, 0, 2}, std::nullopt},
        {"gif: the frame, not the screen", GifBomb(10000, 1), PictureSize{1, 1}},
        {"gif frame too big", GifBomb(1, 20000), std::nullopt},
        {"rle bmp bomb", RleBmp(10000, 10), std::nullopt},
        {"rle bmp small", RleBmp(64, 2), PictureSize{64, 64}},
        {"rle bmp dense", RleBmp(2000, 2000 * 2000 / 200), PictureSize{2000, 2000}},
        {"bmp 3x2", testing::SolidBmp(3, 2, 2, 1, 2, 3), PictureSize{3, 2}},
        {"bmp holding a JPEG", WithCompression(testing::SolidBmp(3, 2, 2, 1, 2, 3), 4),
         std::nullopt},
        {"bmp holding a PNG", WithCompression(testing::SolidBmp(3, 2, 2, 1, 2, 3), 5),
         std::nullopt},
        {"placeable metafile", PlaceableBomb(10000), PictureSize{10000, 10000}},
        {"placeable metafile too big", PlaceableBomb(20000), std::nullopt},
    };
    for (const Case& c : cases) {
        const auto header = ReadPictureHeader(c.bytes, 96);
        ASSERT_EQ(header.has_value(), c.size.has_value()) << c.name;
        if (header) {
            EXPECT_EQ(header->stored, *c.size) << c.name;
        }
    }
}

TEST(PictureHeader, OtherKindsAreRefusedWhateverTheyAreCalled) {
    const std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"9\" height=\"9\"/>";
    const Bytes others[] = {
        {'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0},                                  // TIFF
        {'M', 'M', 0, 42, 0, 0, 0, 8, 0, 0},                                  // TIFF, big-endian
        {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13},           // PNG
        Bytes(svg.begin(), svg.end()),                                        // SVG
        {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'},                 // WebP
        {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0},                        // icon
        {'P', '6', '\n', '1', ' ', '1', '\n', '2', '5', '5', '\n', 0, 0, 0},  // PNM
        {},
    };
    for (const Bytes& bytes : others) {
        EXPECT_FALSE(ReadPictureHeader(bytes, 96)) << bytes.size();
    }
}

TEST(PictureHeader, ExifOrientationInBothByteOrders) {
    for (const bool little : {true, false}) {
        for (unsigned value = 1; value <= 8; ++value) {
            const Bytes jpeg = JpegStart(30, 20, {{0xE1, ExifBody(little, 0x0112, 3, 1, value)}});
            EXPECT_EQ(JpegOrientation(jpeg), static_cast<int>(value));
            const auto header = ReadPictureHeader(jpeg, 96);
            ASSERT_TRUE(header);
            EXPECT_EQ(header->Upright(),
                      value >= 5 ? (PictureSize{20, 30}) : (PictureSize{30, 20}));
        }
    }
}

TEST(PictureHeader, DamagedOrOddExifSegmentsGiveTheStoredOrientation) {
    const Bytes good = ExifBody(true, 0x0112, 3, 1, 6);
    Bytes badOrder = good;
    badOrder[6] = 'X';
    Bytes badMagic = good;
    badMagic[8] = 43;
    Bytes farIfd = good;
    farIfd[10] = 0xF0;
    Bytes oneEntry = good;  // the count stops before the orientation entry
    oneEntry[14] = 1;
    Bytes manyEntries = ExifBody(true, 0x0113, 3, 1, 6);  // entries end long before the count
    manyEntries[14] = 0xFF, manyEntries[15] = 0xFF;
    const Bytes cut(good.begin(), good.begin() + 30);  // ends inside the orientation entry
    const std::string xmp = "http://ns.adobe.com/xap/1.0/";
    const std::vector<std::pair<const char*, std::vector<std::pair<int, Bytes>>>> cases = {
        {"no segment", {}},
        {"other byte order mark", {{0xE1, badOrder}}},
        {"no 42", {{0xE1, badMagic}}},
        {"IFD beyond the segment", {{0xE1, farIfd}}},
        {"count of one", {{0xE1, oneEntry}}},
        {"65535 entries", {{0xE1, manyEntries}}},
        {"cut entry", {{0xE1, cut}}},
        {"value 0", {{0xE1, ExifBody(true, 0x0112, 3, 1, 0)}}},
        {"value 9", {{0xE1, ExifBody(true, 0x0112, 3, 1, 9)}}},
        {"LONG type", {{0xE1, ExifBody(true, 0x0112, 4, 1, 6)}}},
        {"two values", {{0xE1, ExifBody(true, 0x0112, 3, 2, 6)}}},
        {"other tag", {{0xE1, ExifBody(true, 0x0113, 3, 1, 6)}}},
        {"XMP only", {{0xE1, Bytes(xmp.begin(), xmp.end())}}},
        {"only the first EXIF counts", {{0xE1, ExifBody(true, 0x0112, 3, 1, 1)}, {0xE1, good}}},
        {"EXIF after the frame", {}},
    };
    for (const auto& [name, segments] : cases) {
        EXPECT_EQ(JpegOrientation(JpegStart(30, 20, segments)), 1) << name;
    }
    Bytes afterFrame = JpegStart(30, 20);
    afterFrame.insert(afterFrame.end(),
                      {0xFF, 0xE1, 0, static_cast<std::uint8_t>(good.size() + 2)});
    afterFrame.insert(afterFrame.end(), good.begin(), good.end());
    EXPECT_EQ(JpegOrientation(afterFrame), 1);
    // An XMP segment before the EXIF one is passed over.
    EXPECT_EQ(
        JpegOrientation(JpegStart(30, 20, {{0xE1, Bytes(xmp.begin(), xmp.end())}, {0xE1, good}})),
        6);
    // A segment length running past the data ends the walk without a size.
    Bytes longSegment = JpegStart(30, 20, {{0xE1, good}});
    longSegment[4] = 0x7F;
    EXPECT_EQ(JpegOrientation(longSegment), 1);
    EXPECT_FALSE(ReadPictureHeader(longSegment, 96));
}

TEST(PictureHeader, DamagedHeadersNeverReadOutsideTheData) {
    std::mt19937 random(20);
    const Bytes seeds[] = {JpegStart(30, 20, {{0xE1, ExifBody(false, 0x0112, 3, 1, 8)}}),
                           GifBomb(300, 200), RleBmp(100, 40), PlaceableBomb(500)};
    for (const Bytes& seed : seeds) {
        for (int round = 0; round < 2000; ++round) {
            Bytes b(seed.begin(), seed.begin() + static_cast<long>(random() % (seed.size() + 1)));
            for (int flips = 0; flips < 3 && !b.empty(); ++flips) {
                b[random() % b.size()] = static_cast<std::uint8_t>(random());
            }
            const auto header = ReadPictureHeader(b, 96);
            if (header && header->stored.width != 0) {
                EXPECT_TRUE(IsAcceptablePictureSize(header->stored.width, header->stored.height));
            }
            const int orientation = JpegOrientation(b);
            EXPECT_TRUE(orientation >= 1 && orientation <= 8);
        }
    }
}

// Where the stored picture's first row and first column show, for each EXIF orientation.
enum class Side { kTop, kBottom, kLeft, kRight };
struct Placement {
    Side row0;
    Side column0;
};
constexpr Placement kPlacements[9] = {
    {},
    {Side::kTop, Side::kLeft},
    {Side::kTop, Side::kRight},
    {Side::kBottom, Side::kRight},
    {Side::kBottom, Side::kLeft},
    {Side::kLeft, Side::kTop},
    {Side::kRight, Side::kTop},
    {Side::kRight, Side::kBottom},
    {Side::kLeft, Side::kBottom},
};

// The stored picture that shows as `upright` under `orientation`, built from the table.
Surface StoredFor(const Surface& upright, int orientation) {
    const Placement p = kPlacements[orientation];
    const bool rowsAcross = p.row0 == Side::kTop || p.row0 == Side::kBottom;
    const int w = upright.width(), h = upright.height();
    Surface stored(rowsAcross ? w : h, rowsAcross ? h : w);
    for (int y = 0; y < stored.height(); ++y) {
        for (int x = 0; x < stored.width(); ++x) {
            int ux = 0, uy = 0;
            switch (p.row0) {
                case Side::kTop:
                    uy = y;
                    break;
                case Side::kBottom:
                    uy = h - 1 - y;
                    break;
                case Side::kLeft:
                    ux = y;
                    break;
                case Side::kRight:
                    ux = w - 1 - y;
                    break;
            }
            switch (p.column0) {
                case Side::kTop:
                    uy = x;
                    break;
                case Side::kBottom:
                    uy = h - 1 - x;
                    break;
                case Side::kLeft:
                    ux = x;
                    break;
                case Side::kRight:
                    ux = w - 1 - x;
                    break;
            }
            stored.set(x, y, upright.at(ux, uy));
        }
    }
    return stored;
}

TEST(PictureHeader, EveryOrientationTurnsTheStoredPictureUpright) {
    Surface upright(3, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) upright.set(x, y, static_cast<Pixel>(10 * y + x + 1));
    }
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const Surface stored = StoredFor(upright, orientation);
        EXPECT_EQ(OrientedUpright(stored, orientation), upright) << orientation;
    }
    EXPECT_EQ(OrientedUpright(upright, 0), upright);
    EXPECT_EQ(OrientedUpright(upright, 9), upright);
}

TEST(PictureHeader, JpegScaleIsTheSmallestStillAtLeastTheDrawnSize) {
    const PictureSize camera{8000, 6000};
    EXPECT_EQ(JpegScaleDivisor(camera, {1920, 1440}, 1), 4);
    EXPECT_EQ(JpegScaleDivisor(camera, {1000, 750}, 1), 8);
    EXPECT_EQ(JpegScaleDivisor(camera, {1001, 750}, 1), 4);
    EXPECT_EQ(JpegScaleDivisor(camera, {4000, 3000}, 1), 2);
    EXPECT_EQ(JpegScaleDivisor(camera, {4001, 3000}, 1), 1);
    EXPECT_EQ(JpegScaleDivisor(camera, {}, 1), 1);
    // Turned a quarter: the drawn width is the stored height.
    EXPECT_EQ(JpegScaleDivisor(camera, {750, 1000}, 6), 8);
    EXPECT_EQ(JpegScaleDivisor(camera, {750, 1000}, 1), 4);
    EXPECT_EQ(ScaledDown({1001, 7}, 8), (PictureSize{126, 1}));
}

}  // namespace
}  // namespace velnor
