// The Linux decoder against hostile folders: other kinds named as the four are never
// decoded, tiny files claiming huge pictures cost what they show, JPEGs decode at the
// scale they are drawn at and upright, and a FIFO swapped in for a picture never blocks.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>

#include "engine/background.h"
#include "engine/picture_decoder.h"
#include "fake_picture_decoder.h"
#include "jpeg_test_files.h"
#include "picture_bytes.h"
#include "settings/file_io.h"
#include "temp_folder.h"

namespace velnor {
namespace {

using testing::Bytes;

std::string Text(const Bytes& b) {
    return std::string(b.begin(), b.end());
}

// A 2 x 2 TIFF (uncompressed, 8-bit grey) as any TIFF reader takes it.
Bytes SmallTiff() {
    Bytes b{'I', 'I', 42, 0, 8, 0, 0, 0};
    const std::uint16_t entries[][4] = {{256, 3, 1, 2}, {257, 3, 1, 2},
                                        {258, 3, 1, 8}, {259, 3, 1, 1},
                                        {262, 3, 1, 1}, {273, 4, 1, 8 + 2 + 7 * 12 + 4},
                                        {279, 4, 1, 4}};
    testing::Put16(b, 7);
    for (const auto& e : entries) {
        testing::Put16(b, e[0]), testing::Put16(b, e[1]), testing::Put32(b, e[2]);
        testing::Put32(b, e[3]);
    }
    testing::Put32(b, 0);
    b.insert(b.end(), {0, 255, 255, 0});
    return b;
}

const char kSvg[] =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" height=\"4\">"
    "<rect width=\"4\" height=\"4\" fill=\"red\"/></svg>";

class HostilePictures : public ::testing::Test {
  protected:
    std::string Write(const std::string& name, const Bytes& bytes) {
        return folder.Write(name, Text(bytes)).string();
    }
    test::TempFolder folder;
    std::unique_ptr<PictureDecoder> decoder = MakePictureDecoder();
};

TEST_F(HostilePictures, OtherKindsNamedAsTheFourAreNeverDecoded) {
    const Bytes svg(kSvg, kSvg + sizeof kSvg - 1);
    for (const char* name : {"a.jpg", "a.gif", "a.bmp", "a.wmf"}) {
        for (const Bytes& bytes : {SmallTiff(), svg}) {
            const std::string path = Write(name, bytes);
            EXPECT_FALSE(decoder->Probe(path)) << name;
            EXPECT_FALSE(decoder->Decode(path)) << name;
        }
    }
}

TEST_F(HostilePictures, TinyFilesClaimingHugePicturesCostWhatTheyShow) {
    // 35 bytes: a 10000 x 10000 screen holding one 1 x 1 frame.
    const Bytes gif = {'G', 'I',  'F',  '8',  '9', 'a', 0x10, 0x27, 0x10, 0x27, 0x80, 0,
                       0,   0xFF, 0xFF, 0xFF, 0,   0,   0,    0x2C, 0,    0,    0,    0,
                       1,   0,    1,    0,    0,   2,   2,    0x44, 0x01, 0,    0x3B};
    ASSERT_EQ(gif.size(), 35u);
    const auto frame = decoder->Decode(Write("bomb.gif", gif));
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->width(), 1);
    EXPECT_EQ(frame->height(), 1);
    EXPECT_EQ(frame->at(0, 0), 0xFFFFFFu);

    // A placeable metafile of 10000 x 10000 pixels is played at the size it is drawn at.
    Bytes wmf = testing::RedRectangleMetafile();
    wmf[10] = 0x10, wmf[11] = 0x27, wmf[12] = 0x10, wmf[13] = 0x27, wmf[14] = 72, wmf[15] = 0;
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= static_cast<std::uint16_t>(wmf[i] | wmf[i + 1] << 8);
    wmf[20] = static_cast<std::uint8_t>(checksum),
    wmf[21] = static_cast<std::uint8_t>(checksum >> 8);
    const auto played = decoder->DecodeForDrawing(Write("bomb.wmf", wmf), [](PictureSize) {
        return PictureSize{120, 120};
    });
    ASSERT_TRUE(played);
    EXPECT_EQ(played->size, (PictureSize{10000, 10000}));
    EXPECT_EQ(played->pixels.width(), 120);
    EXPECT_EQ(played->pixels.height(), 120);
}

TEST_F(HostilePictures, JpegsDecodeAtTheScaleDrawnAndUpright) {
    const Bytes plain = testing::EncodeTestJpeg({.width = 640, .height = 480});
    const std::string path = Write("photo.jpg", plain);
    const auto whole = decoder->Decode(path);
    ASSERT_TRUE(whole);
    const auto quarter = decoder->DecodeForDrawing(path, [](PictureSize upright) {
        EXPECT_EQ(upright, (PictureSize{640, 480}));
        return PictureSize{150, 100};
    });
    ASSERT_TRUE(quarter);
    EXPECT_EQ(quarter->size, (PictureSize{640, 480}));
    EXPECT_EQ(quarter->pixels.width(), 160);  // 1/4: the smallest still at least 150 x 100
    EXPECT_EQ(quarter->pixels.height(), 120);

    // The same picture tagged "turn a quarter clockwise to show" (EXIF orientation 6).
    Bytes tagged(plain.begin(), plain.begin() + 2);
    const Bytes app1 = {0xFF, 0xE1, 0, 34, 'E', 'x', 'i', 'f', 0,    0,    'I', 'I',
                        42,   0,    8, 0,  0,   0,   1,   0,   0x12, 0x01, 3,   0,
                        1,    0,    0, 0,  6,   0,   0,   0,   0,    0,    0,   0};
    tagged.insert(tagged.end(), app1.begin(), app1.end());
    tagged.insert(tagged.end(), plain.begin() + 2, plain.end());
    const auto turned = decoder->Decode(Write("turned.jpg", tagged));
    ASSERT_TRUE(turned);
    ASSERT_EQ(turned->width(), 480);
    ASSERT_EQ(turned->height(), 640);
    for (int y = 0; y < 640; y += 37) {
        for (int x = 0; x < 480; x += 29) {
            ASSERT_EQ(turned->at(x, y), whole->at(y, 479 - x)) << x << "," << y;
        }
    }
}

// A BMP drawn smaller than stored is shrunk while converted, and a picture (a drawing too)
// larger than the screen at its own size is cut to the part that shows, so that only one full-size
// copy of it exists: the background they make is the very one a full decode would make.
TEST_F(HostilePictures, PicturesShrunkOrCutWhileDecodedComposeTheSamePixels) {
    Bytes bmp = testing::SolidBmp(301, 203, 203, 0, 0, 0);
    for (std::size_t i = 54; i < bmp.size(); ++i) bmp[i] = static_cast<std::uint8_t>(i * 7 % 251);
    // A drawing of 4 x 2 inches (288 x 144 pixels as played): red on its left half, blue
    // on the top of its right half, white paper below that.
    Bytes drawing = testing::PlaceableMetafile({
        {0x020B, 0, 0},
        {0x020C, 720, 1440},
        {0x02FC, 0, 0x00FF, 0x0000, 0},
        {0x012D, 0},
        {0x041B, 720, 720, 0, 0},
        {0x01F0, 0},
        {0x02FC, 0, 0x0000, 0x00FF, 0},
        {0x012D, 0},
        {0x041B, 360, 1440, 0, 720},
        {0x0000},
    });
    drawing[14] = 360 & 0xFF;  // units per inch: 360 instead of 1440
    drawing[15] = 360 >> 8;
    std::uint16_t checksum = 0;
    for (std::size_t at = 0; at < 20; at += 2) {
        checksum ^= static_cast<std::uint16_t>(drawing[at] | drawing[at + 1] << 8);
    }
    drawing[20] = static_cast<std::uint8_t>(checksum & 0xFF);
    drawing[21] = static_cast<std::uint8_t>(checksum >> 8);
    const std::string paths[] = {
        Write("pattern.bmp", bmp),
        Write("photo.jpg", testing::EncodeTestJpeg({.width = 333, .height = 211})),
        Write("drawing.wmf", drawing)};
    for (const std::string& path : paths) {
        const auto whole = decoder->Decode(path);
        ASSERT_TRUE(whole) << path;
        if (path.ends_with(".wmf")) {
            ASSERT_EQ(whole->width(), 288);
            EXPECT_EQ(whole->at(100, 100), 0xFF0000u);
            EXPECT_EQ(whole->at(200, 30), 0x0000FFu);
            EXPECT_EQ(whole->at(200, 120), 0xFFFFFFu);
        }
        for (const std::int16_t pictureSize : {std::int16_t{1}, std::int16_t{0}}) {
            BackgroundPictures direct(120, 91);
            ComposePicture(direct, *whole, pictureSize);
            BackgroundPictures cut(120, 91);
            ASSERT_TRUE(
                ShowNextPicture(cut, testing::ListOf({path.c_str()}), pictureSize, *decoder));
            EXPECT_EQ(cut.pictureWidth, static_cast<float>(whole->width()));
            if (pictureSize == 0 || path.ends_with(".bmp")) {
                EXPECT_EQ(cut.Pic_B, direct.Pic_B) << path << " " << pictureSize;
            }
        }
    }
}

// A FIFO with no writer blocks a plain open for good; swapped in for a listed picture it
// must be refused at once, by the picture decoder and by the settings store's reads.
TEST_F(HostilePictures, AFifoInPlaceOfAPictureIsRefusedWithoutWaiting) {
    const std::string path = (folder.path() / "p3.jpg").string();
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    auto decoded = std::async(std::launch::async, [&] {
        return !decoder->Decode(path) && !ReadRegularFile(path, 1 << 20) &&
               OpenFile(path, "rb") == nullptr;
    });
    const bool finished = decoded.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    if (!finished) {  // unblock the reader so that the test ends
        const int writer = open(path.c_str(), O_WRONLY | O_NONBLOCK);
        for (int i = 0; i < 3 && writer >= 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (writer >= 0) close(writer);
        }
    }
    ASSERT_TRUE(finished);
    EXPECT_TRUE(decoded.get());
    // A folder is no file to read either.
    EXPECT_FALSE(ReadRegularFile(folder.path(), 1 << 20));
}

}  // namespace
}  // namespace velnor
