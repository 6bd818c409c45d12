// Background composition: the fit and own-size rules with their rounding, black borders
// and equal cuts, the stretched sample, and the order of the folder's pictures.
#include "engine/background.h"

#include <gtest/gtest.h>

#include <tuple>

#include "fake_picture_decoder.h"
#include "pixel_checks.h"

namespace velnor {
namespace {

using testing::CodedPicture;
using testing::EveryPixelIs;
using testing::ListOf;

constexpr Pixel kBlack = 0;

// The source pixel a colour-on-colour stretch of `size` source pixels onto `fit`
// destination pixels takes for destination pixel `i`: the one under its centre.
int Sampled(int i, int size, int fit) {
    return static_cast<int>((2LL * i + 1) * size / (2LL * fit));
}

// Composes one picture of the given size on a 1024 x 768 screen.
BackgroundPictures Composed(int width, int height, std::int16_t pictureSize) {
    BackgroundPictures background(1024, 768);
    ComposePicture(background, CodedPicture(width, height), pictureSize);
    return background;
}

TEST(Background, PicturesAreFittedToTheScreenAndCentred) {
    struct Case {
        int width, height;
        float fitWidth, fitHeight;
        int x, y, w, h;  // where the stretched picture lands, after rounding
    };
    const Case cases[] = {
        {400, 300, 1024, 768, 0, 0, 1024, 768},       // same shape: fills exactly
        {300, 400, 576, 768, 224, 0, 576, 768},       // upright: bars left and right
        {500, 400, 1024, 819.2f, 0, -26, 1024, 819},  // 26 rows cut at the top, 25 below
        {300, 300, 768, 768, 128, 0, 768, 768},       // square counts as upright
        {2000, 1500, 1024, 768, 0, 0, 1024, 768},     // larger pictures shrink
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height);
        const BackgroundPictures background = Composed(c.width, c.height, 1);
        EXPECT_FLOAT_EQ(background.fitWidth, c.fitWidth);
        EXPECT_FLOAT_EQ(background.fitHeight, c.fitHeight);
        EXPECT_EQ(background.pictureWidth, c.width);
        EXPECT_EQ(background.pictureHeight, c.height);
        const Surface picture = CodedPicture(c.width, c.height);
        EXPECT_TRUE(EveryPixelIs(background.Pic_B, [&](int x, int y) {
            const int i = x - c.x, j = y - c.y;
            if (i < 0 || j < 0 || i >= c.w || j >= c.h) return kBlack;
            return picture.at(Sampled(i, c.width, c.w), Sampled(j, c.height, c.h));
        }));
    }
}

// Fault caught: the whole fit cutting a picture (filling the width as the plain fit does)
// or leaving it off centre; the picture must be whole, as large as fits, within a pixel.
TEST(Background, TheWholeFitShowsAllOfThePictureCentredOnBlack) {
    struct Case {
        int screenWidth, screenHeight, width, height;
        int x, y, w, h;  // where the whole picture should land
    };
    const Case cases[] = {
        {1600, 900, 400, 300, 200, 0, 1200, 900},   // 4:3 on 16:9: pillarbox
        {1600, 900, 300, 400, 463, 0, 675, 900},    // upright on wide
        {1600, 900, 500, 500, 350, 0, 900, 900},    // square on wide
        {1600, 900, 3200, 900, 0, 225, 1600, 450},  // wider than the screen: letterbox
        {600, 1000, 400, 300, 0, 275, 600, 450},    // wide on a tall screen
        {600, 1000, 300, 600, 50, 0, 500, 1000},    // tall on tall
        {600, 1000, 200, 200, 0, 200, 600, 600},    // square on tall
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height << " on " << c.screenWidth
                                          << " x " << c.screenHeight);
        BackgroundPictures background(c.screenWidth, c.screenHeight);
        ComposePicture(background, CodedPicture(c.width, c.height), kWholePictureSize);
        EXPECT_NEAR(background.fitWidth, c.w, 1.0);
        EXPECT_NEAR(background.fitHeight, c.h, 1.0);
        const Surface& b = background.Pic_B;
        // Inside the expected place (a pixel in from its edges) the picture; outside black.
        for (const auto& [x, y, inside] :
             {std::tuple{c.x + 1, c.y + 1, true}, std::tuple{c.x + c.w - 2, c.y + c.h - 2, true},
              std::tuple{c.x - 2, c.y + c.h / 2, false}, std::tuple{c.x + c.w + 1, c.y + 1, false},
              std::tuple{c.x + c.w / 2, c.y - 2, false},
              std::tuple{c.x + c.w / 2, c.y + c.h + 1, false}}) {
            if (x < 0 || y < 0 || x >= b.width() || y >= b.height()) continue;
            EXPECT_EQ(b.at(x, y) != kBlack, inside) << x << ", " << y;
        }
    }
}

TEST(Background, OverflowingFitIsCutEquallyAtTopAndBottom) {
    const BackgroundPictures background = Composed(500, 400, 1);
    // The first row shown is stretched row 26, the last is row 792 of 819 (26 + 767),
    // so 819 - 793 = 25 rows are cut below.
    const Surface picture = CodedPicture(500, 400);
    EXPECT_EQ(background.Pic_B.at(0, 0), picture.at(0, Sampled(26, 400, 819)));
    EXPECT_EQ(background.Pic_B.at(1023, 767), picture.at(499, Sampled(793, 400, 819)));
}

TEST(Background, OwnSizeIsCentredWithHalfPixelsRoundedToEven) {
    struct Case {
        int width, height, x, y;
    };
    const Case cases[] = {
        {2000, 1500, -488, -366},  // larger than the screen: its middle shows
        {100, 50, 462, 359},
        {101, 51, 462, 358},  // 461.5 -> 462 and 358.5 -> 358
        {103, 49, 460, 360},  // 460.5 -> 460 and 359.5 -> 360
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height);
        const BackgroundPictures background = Composed(c.width, c.height, 0);
        const Surface picture = CodedPicture(c.width, c.height);
        EXPECT_TRUE(EveryPixelIs(background.Pic_B, [&](int x, int y) {
            const int i = x - c.x, j = y - c.y;
            if (i < 0 || j < 0 || i >= c.width || j >= c.height) return kBlack;
            return picture.at(i, j);
        }));
    }
}

TEST(Background, SampleIsStretchedOverTheWholeScreenIgnoringItsShape) {
    BackgroundPictures background(1280, 1024);
    const Surface sample = CodedPicture(400, 300);
    ShowSamplePicture(background, sample);
    EXPECT_EQ(background.fitWidth, 1280);
    EXPECT_EQ(background.fitHeight, 1024);
    EXPECT_TRUE(EveryPixelIs(background.Pic_B, [&](int x, int y) {
        return sample.at(Sampled(x, 400, 1280), Sampled(y, 300, 1024));
    }));

    BackgroundPictures untouched(64, 48);
    ShowSamplePicture(untouched, Surface{});
    EXPECT_TRUE(EveryPixelIs(untouched.Pic_B, [](int, int) { return kBlack; }));
}

TEST(Background, ANewPictureClearsTheOldOneFirst) {
    BackgroundPictures background(1024, 768);
    ComposePicture(background, CodedPicture(400, 300), 1);  // covers everything
    ComposePicture(background, CodedPicture(10, 10), 0);
    EXPECT_EQ(testing::BoundsOfPixelsOtherThan(background.Pic_B, kBlack),
              (Rect{507, 379, 517, 389}));
}

class BackgroundSequence : public ::testing::Test {
  protected:
    BackgroundSequence() {
        log.pictures["a.jpg"] = CodedPicture(40, 30);
        log.pictures["c.gif"] = CodedPicture(30, 40);
    }
    // Shows the next picture and reports (shown, pictureIndex, top-left pixel).
    std::tuple<bool, int, Pixel> Next(const PictureList& list) {
        const bool shown = ShowNextPicture(background, list, 1, decoder);
        return {shown, background.pictureIndex, background.Pic_B.at(0, 0)};
    }

    testing::DecoderLog log;
    testing::FakePictureDecoder decoder{log};
    BackgroundPictures background{40, 30};
    const Pixel a = CodedPicture(40, 30).at(0, 0);
};

TEST_F(BackgroundSequence, PicturesComeInListOrderAndWrapAround) {
    const PictureList list = ListOf({"a.jpg", "c.gif", "a.jpg"});
    EXPECT_EQ(Next(list), std::make_tuple(true, 1, a));
    EXPECT_EQ(Next(list), std::make_tuple(true, 2, kBlack));  // upright: bar at the left
    EXPECT_EQ(Next(list), std::make_tuple(true, 0, a));       // 0 after the last
    EXPECT_EQ(Next(list), std::make_tuple(true, 1, a));
    EXPECT_EQ(log.decoded, (std::vector<std::string>{"a.jpg", "c.gif", "a.jpg", "a.jpg"}));
}

TEST_F(BackgroundSequence, UnreadableFilesAreSkippedKeepingTheLastGoodPicture) {
    const PictureList list = ListOf({"a.jpg", "damaged.bmp", "c.gif"});
    EXPECT_EQ(Next(list), std::make_tuple(true, 1, a));
    const Surface shown = background.Pic_B;
    EXPECT_EQ(Next(list), std::make_tuple(false, 2, a));
    EXPECT_EQ(background.Pic_B, shown);
    EXPECT_EQ(background.pictureWidth, 40);
    EXPECT_EQ(Next(list), std::make_tuple(true, 0, kBlack));
}

TEST_F(BackgroundSequence, AnUnreadableLastFileStillWrapsToTheFirst) {
    const PictureList list = ListOf({"a.jpg", "vanished.jpg"});
    Next(list);
    EXPECT_EQ(Next(list), std::make_tuple(false, 0, a));
    EXPECT_EQ(Next(list), std::make_tuple(true, 1, a));
}

TEST_F(BackgroundSequence, NothingReadableLeavesTheBackgroundBlack) {
    const PictureList list = ListOf({"x.jpg", "y.jpg"});
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(std::get<0>(Next(list)));
    EXPECT_TRUE(EveryPixelIs(background.Pic_B, [](int, int) { return kBlack; }));
}

TEST_F(BackgroundSequence, EmptyOrInconsistentListsAreHandled) {
    EXPECT_EQ(Next(PictureList{}), std::make_tuple(false, 0, kBlack));
    EXPECT_TRUE(log.decoded.empty());
    // An index beyond a (shorter) list starts again at the first file.
    background.pictureIndex = 7;
    EXPECT_EQ(Next(ListOf({"a.jpg", "c.gif"})), std::make_tuple(true, 1, a));
}

}  // namespace
}  // namespace velnor
