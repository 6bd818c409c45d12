// The picture preview's thumbnail: its size in the 100 x 100 square, its pixels taken
// from the whole picture, the size text, and the previewed picture's reads and fit.
#include "dialog/thumbnail.h"

#include <gtest/gtest.h>

#include "dialog/control_ids.h"

namespace velnor {
namespace {

TEST(DialogThumbnail, LongerSideFillsTheSquareWithTheProportionsKept) {
    struct Case {
        int w, h, side;
        PictureSize expected;
    };
    for (const Case& c : std::vector<Case>{
             {640, 480, 100, {100, 75}},
             {480, 640, 100, {75, 100}},
             {300, 300, 100, {100, 100}},
             {1, 1, 100, {100, 100}},
             {800, 2, 100, {100, 1}},      // 0.25 would vanish: at least one pixel
             {200, 1, 100, {100, 1}},      // 0.5 ties to even (0), then kept at 1
             {200, 3, 100, {100, 2}},      // 1.5 ties to even: 2
             {200, 5, 100, {100, 2}},      // 2.5 ties to even: 2
             {640, 480, 150, {150, 112}},  // 112.5 at 150 % scaling ties to even
             {0, 480, 100, {0, 0}},
             {640, -1, 100, {0, 0}},
         }) {
        EXPECT_EQ(ThumbnailSize(c.w, c.h, c.side), c.expected) << c.w << "x" << c.h;
    }
}

TEST(DialogThumbnail, EveryThumbnailPixelComesFromTheMatchingPartOfThePicture) {
    // Four quadrants of different colours: each quadrant of the thumbnail keeps its colour.
    constexpr Pixel kColours[2][2] = {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}};
    Surface picture(640, 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) picture.set(x, y, kColours[y / 240][x / 320]);
    const Surface thumbnail = MakeThumbnail(picture);
    ASSERT_EQ(thumbnail.width(), 100);
    ASSERT_EQ(thumbnail.height(), 75);
    for (int y = 0; y < 75; ++y) {
        for (int x = 0; x < 100; ++x) {
            // Pixel centres map to source (x + 0.5) * 6.4, (y + 0.5) * 6.4.
            const int sx = static_cast<int>((2 * x + 1) * 640 / 200);
            const int sy = static_cast<int>((2 * y + 1) * 480 / 150);
            ASSERT_EQ(thumbnail.at(x, y), kColours[sy / 240][sx / 320]) << x << "," << y;
        }
    }
}

TEST(DialogThumbnail, EmptyPictureGivesNoThumbnail) {
    EXPECT_TRUE(MakeThumbnail(Surface{}).empty());
}

TEST(DialogThumbnail, SizeTextInShortestDecimalForm) {
    EXPECT_EQ(PictureSizeText(640, 480), "Size ： 640 * 480");
    EXPECT_EQ(PictureSizeText(1, 32767), "Size ： 1 * 32767");
}

// Decodes "wide" as 640 x 480 and "tall" as 30 x 60; anything else is unreadable.
class SizedDecoder : public PictureDecoder {
  public:
    std::optional<PictureSize> Probe(const std::string&) override { return std::nullopt; }
    std::optional<Surface> Decode(const std::string& path) override {
        if (path == "wide") return Surface(640, 480, 0x123456);
        if (path == "tall") return Surface(30, 60, 0x654321);
        return std::nullopt;
    }
};

TEST(DialogPreviewedPicture, DecoderMadeOnceAndAnUnreadableFileKeepsThePicture) {
    int made = 0;
    PreviewedPicture shown([&made] {
        ++made;
        return std::make_unique<SizedDecoder>();
    });
    EXPECT_EQ(made, 0);
    EXPECT_FALSE(shown.FitThumbnail(96));  // nothing read yet
    ASSERT_TRUE(shown.Read("wide"));
    EXPECT_FALSE(shown.Read("broken.jpg"));
    EXPECT_EQ(shown.picture().width(), 640);
    ASSERT_TRUE(shown.Read("tall"));
    EXPECT_EQ(shown.picture().height(), 60);
    EXPECT_EQ(made, 1);

    PreviewedPicture noDecoder([] { return std::unique_ptr<PictureDecoder>{}; });
    EXPECT_FALSE(noDecoder.Read("wide"));
}

TEST(DialogPreviewedPicture, ThumbnailFitsItsBoxAtEachDpiFromItsLayoutCorner) {
    PreviewedPicture shown([] { return std::make_unique<SizedDecoder>(); });
    ASSERT_TRUE(shown.Read("wide"));
    for (const int dpi : {96, 144}) {
        const PixelBox layout = ControlBox(*FindControl(control_id::kThumbnailBox), dpi);
        const std::optional<PixelBox> box = shown.FitThumbnail(dpi);
        ASSERT_TRUE(box);
        const int side = dpi == 96 ? 100 : 150;
        EXPECT_EQ(*box, (PixelBox{layout.left, layout.top, side, side * 3 / 4})) << dpi;
        EXPECT_EQ(shown.thumbnail().width(), side);
        EXPECT_EQ(shown.thumbnail().at(side / 2, 10), Pixel{0x123456});
    }
}

// Decodes as a real decoder does for a big photo: pixels only as many as the drawn size
// asks for, the whole size beside them.
class ScalingDecoder : public SizedDecoder {
  public:
    std::optional<DecodedPicture> DecodeForDrawing(const std::string&,
                                                   const DrawnSizeRule& drawn) override {
        asked = drawn({8000, 6000}).size;
        return DecodedPicture{Surface(asked.width, asked.height, 0x224466), {8000, 6000}, {}};
    }
    PictureSize asked;
};

TEST(DialogPreviewedPicture, ABigPhotoIsReadOnlyAsLargeAsTheLargestThumbnailButKeepsItsSize) {
    ScalingDecoder* decoder = nullptr;
    PreviewedPicture shown([&decoder] {
        auto made = std::make_unique<ScalingDecoder>();
        decoder = made.get();
        return made;
    });
    ASSERT_TRUE(shown.Read("photo.jpg"));
    EXPECT_EQ(decoder->asked, (PictureSize{500, 375}));  // the thumbnail box's side at 480 dpi
    EXPECT_EQ(shown.size(), (PictureSize{8000, 6000}));  // what the size text shows
    ASSERT_TRUE(shown.FitThumbnail(144));
    EXPECT_EQ(shown.thumbnail().width(), 150);
}

}  // namespace
}  // namespace velnor
