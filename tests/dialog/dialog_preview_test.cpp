// The dialog's still picture: what each input changes in the drawing, the sample ball in
// the corner, a redraw that cannot finish, scaling at 150 %, and the panel texture tiling.
#include "dialog/dialog_preview.h"

#include <gtest/gtest.h>

#include "../engine/pixel_checks.h"
#include "dialog/panel_texture.h"
#include "engine/orbiting_ball.h"

namespace velnor {
namespace {

using velnor::testing::BoundsOfPixelsOtherThan;
using velnor::testing::EveryPixelIs;

constexpr Pixel kBlue = 0x0000FF;
constexpr ColourRef kGreenRef = 0x00FF00;
constexpr ColourRef kCyanRef = 0xFFFF00;

PreviewInputs Defaults() {
    PreviewInputs in;
    in.shapeValue = -10;
    in.depthValue = -20;
    in.scaleValue = 128;
    in.parallelColour = kGreenRef;
    in.meridianColour = kCyanRef;
    return in;
}

Surface Draw(const PreviewInputs& in, const PreviewBox& box = {}) {
    DialogPreview preview;
    Surface target;
    EXPECT_TRUE(preview.RedrawPreview(target, in, box));
    return target;
}

// Bounds of everything drawn outside the sample's corner.
Rect MeshBounds(Surface s, int corner = 48) {
    for (int y = 0; y < corner; ++y)
        for (int x = 0; x < corner; ++x) s.set(x, y, 0);
    return BoundsOfPixelsOtherThan(s, 0);
}

TEST(DialogPreview, RoundBallIsCentredHalfTheOuterBoxFromTheCorner) {
    const Surface s = Draw(Defaults());
    ASSERT_EQ(s.width(), 296);
    ASSERT_EQ(s.height(), 296);
    const Rect mesh = MeshBounds(s);
    // Radius 128 about (150, 150) in the box's drawing coordinates.
    EXPECT_GE(mesh.left, 150 - 129);
    EXPECT_LE(mesh.right, 150 + 129);
    EXPECT_GE(mesh.top, 150 - 129);
    EXPECT_LE(mesh.bottom, 150 + 129);
    EXPECT_GT(mesh.width(), 240);
    // The equator is drawn, and over the parallel it lies on.
    int blue = 0;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) blue += s.at(x, y) == kBlue;
    EXPECT_GT(blue, 300);
}

TEST(DialogPreview, ShapeStretchesAlongThePolarAxis) {
    PreviewInputs in = Defaults();
    in.shapeValue = -4;
    const long long flat = MeshBounds(Draw(in)).height();
    in.shapeValue = -10;
    const long long round = MeshBounds(Draw(in)).height();
    in.shapeValue = -16;
    const long long tall = MeshBounds(Draw(in)).height();
    EXPECT_LT(flat, round);
    EXPECT_LT(round, tall);
}

TEST(DialogPreview, LineColoursChangeOnlyTheirOwnFamily) {
    PreviewInputs in = Defaults();
    const Surface before = Draw(in);
    in.meridianColour = 0x0000FF;  // red meridians
    const Surface after = Draw(in);
    int changed = 0;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.at(x, y) == after.at(x, y)) continue;
            ++changed;
            EXPECT_EQ(before.at(x, y), PixelFromColourRef(kCyanRef)) << x << "," << y;
            EXPECT_EQ(after.at(x, y), 0xFF0000u) << x << "," << y;
        }
    }
    EXPECT_GT(changed, 100);
    // Whatever the line colours, the equator stays blue: with red and white lines the
    // blue pixels are the same as with the default colours.
    in.parallelColour = 0x0000FF;
    in.meridianColour = 0xFFFFFF;
    const Surface recoloured = Draw(in);
    int blueBefore = 0, blueNow = 0;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            blueBefore += before.at(x, y) == kBlue;
            blueNow += recoloured.at(x, y) == kBlue;
            if (before.at(x, y) == kBlue) {
                EXPECT_EQ(recoloured.at(x, y), kBlue) << x << "," << y;
            }
        }
    }
    EXPECT_GT(blueBefore, 100);
    EXPECT_EQ(blueNow, blueBefore);
}

TEST(DialogPreview, SampleBallCoversTheCornerOnTopOfTheLines) {
    PreviewInputs in = Defaults();
    in.scaleValue = 384;  // lines run through the corner
    DialogPreview preview;
    Surface s;
    ASSERT_TRUE(preview.RedrawPreview(s, in, {}));
    // Before any colour is set the disc is black.
    EXPECT_EQ(s.at(24, 24), 0u);
    EXPECT_EQ(s.at(10, 24), 0u);
    PreviewInputs red = in;
    red.sampleColour = {{127, 0, 0}};
    ASSERT_TRUE(preview.RedrawPreview(s, red, {}));
    EXPECT_EQ(s.at(40, 40), PixelFromRgb(127, 0, 0));      // the rim
    EXPECT_EQ(s.at(13, 13), PixelFromRgb(255, 176, 176));  // highlight up and left
    // Outside the disc every pixel is as the redraw with a black ball left it; inside it
    // no line shows through.
    Surface plain;
    DialogPreview fresh;
    ASSERT_TRUE(fresh.RedrawPreview(plain, in, {}));
    const Surface mask = MakeOrbitingBallMask();
    int lineUnderDisc = 0;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            const bool inDisc = x < kSpriteSize && y < kSpriteSize && mask.at(x, y) == 0;
            if (!inDisc) {
                ASSERT_EQ(s.at(x, y), plain.at(x, y)) << x << "," << y;
            } else {
                ASSERT_EQ(plain.at(x, y), 0u) << x << "," << y;
                lineUnderDisc += s.at(x, y) == PixelFromColourRef(kGreenRef) ||
                                 s.at(x, y) == PixelFromColourRef(kCyanRef);
            }
        }
    }
    EXPECT_EQ(lineUnderDisc, 0);
    // Lines do run through the corner outside the disc, so the checks above mean something.
    int cornerLines = 0;
    for (int y = 0; y < kSpriteSize; ++y) {
        for (int x = 0; x < kSpriteSize; ++x) cornerLines += mask.at(x, y) != 0 && s.at(x, y) != 0;
    }
    EXPECT_GT(cornerLines, 0);
}

// The sample's size at a DPI rounds halves up, as the layout's pixels do: at 97 dpi it is
// 49 pixels (48.5), so its rim reaches column 48; at 96 dpi it ends at column 47.
TEST(DialogPreview, SampleSizeAtAnOddDpiRoundsTheHalfUp) {
    PreviewInputs red = Defaults();
    red.sampleColour = {{127, 0, 0}};
    const auto rimReaches = [&red](int dpi, int x) {
        DialogPreview preview;
        Surface s;
        EXPECT_TRUE(preview.RedrawPreview(s, red, {296, 296, 300, 300, dpi}));
        const Pixel p = s.at(x, 24);
        return ((p >> 16) & 0xFF) > 40 && (p & 0xFFFF) == 0;
    };
    EXPECT_TRUE(rimReaches(96, 47));
    EXPECT_FALSE(rimReaches(96, 48));
    EXPECT_TRUE(rimReaches(97, 48));
    EXPECT_FALSE(rimReaches(97, 49));
}

TEST(DialogPreview, ARedrawThatCannotFinishStopsAndTheNextStartsAfresh) {
    PreviewInputs broken = Defaults();
    broken.scaleValue = 2147483647;  // at 200 %, points beyond the 32-bit pixel range
    DialogPreview preview;
    Surface s;
    EXPECT_FALSE(preview.RedrawPreview(s, broken, {592, 592, 600, 600, 192}));
    ASSERT_TRUE(preview.RedrawPreview(s, Defaults(), {}));
    EXPECT_EQ(s, Draw(Defaults()));
    // The box keeps showing the last complete picture, never a half-drawn one.
    ASSERT_TRUE(preview.Update(Defaults(), {}));
    EXPECT_FALSE(preview.Update(broken, {592, 592, 600, 600, 192}));
    EXPECT_EQ(preview.shown(), s);
    // Perspective with the eye inside the ball: points beyond the eye are mirrored and
    // lines run off the box on every side, but the redraw finishes.
    PreviewInputs near = Defaults();
    near.perspectiveOn = 1;
    near.depthValue = -12;
    near.scaleValue = 384;
    Surface n;
    ASSERT_TRUE(preview.RedrawPreview(n, near, {}));
    const Rect mesh = BoundsOfPixelsOtherThan(n, 0);
    EXPECT_EQ(mesh.left, 0);
    EXPECT_EQ(mesh.top, 0);
    EXPECT_EQ(mesh.right, 296);
    EXPECT_EQ(mesh.bottom, 296);
}

TEST(DialogPreview, PerspectiveDepthOnlyMattersWithPerspectiveOn) {
    PreviewInputs in = Defaults();
    in.depthValue = -12;
    const Surface near = Draw(in);
    in.depthValue = -25;
    EXPECT_EQ(Draw(in), near);
    in.perspectiveOn = 1;
    const Surface far = Draw(in);
    in.depthValue = -12;
    EXPECT_NE(Draw(in), far);
    EXPECT_NE(far, near);
}

TEST(DialogPreview, AtOneHundredFiftyPercentTheProportionsStay) {
    const PreviewBox big{446, 446, 450, 450, 144};
    const Surface s96 = Draw(Defaults());
    DialogPreview preview;
    PreviewInputs grey = Defaults();
    grey.sampleColour = {{100, 100, 100}};
    Surface s144;
    ASSERT_TRUE(preview.RedrawPreview(s144, grey, big));
    EXPECT_EQ(s144.width(), 446);
    const long long w96 = MeshBounds(s96).width();
    const long long w144 = MeshBounds(s144, 72).width();
    EXPECT_NEAR(static_cast<double>(w144), 1.5 * static_cast<double>(w96), 3.0);
    // The sample ball is 72 pixels across: its rim towards the lower right.
    EXPECT_EQ(s144.at(60, 60), PixelFromRgb(100, 100, 100));
    EXPECT_EQ(s144.at(19, 19), PixelFromRgb(255, 255, 255));  // the highlight, enlarged
    // With perspective the eye moves away with the scale too: the same picture, larger.
    PreviewInputs near = Defaults();
    near.perspectiveOn = 1;
    near.depthValue = -25;
    near.scaleValue = 96;
    const Rect p96 = MeshBounds(Draw(near));
    const Rect p144 = MeshBounds(Draw(near, big), 72);
    EXPECT_NEAR(static_cast<double>(p144.width()), 1.5 * static_cast<double>(p96.width()), 3.0);
    EXPECT_NEAR(static_cast<double>(p144.height()), 1.5 * static_cast<double>(p96.height()), 3.0);
}

TEST(PanelTexture, TilesColumnByColumnAndClipsAtTheEdges) {
    Surface texture(832, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 832; ++x) texture.set(x, y, static_cast<Pixel>(y * 1000 + x));
    for (const auto& [w, h] :
         {std::pair{100, 50}, std::pair{900, 47}, std::pair{1, 1}, std::pair{1700, 20}}) {
        Surface panel(w, h, 0xABCDEF);
        PaintPanelTexture(panel, texture);
        EXPECT_TRUE(EveryPixelIs(
            panel, [](int x, int y) { return static_cast<Pixel>((y % 20) * 1000 + x % 832); }))
            << w << " x " << h;
    }
    Surface panel(10, 10, 7);
    PaintPanelTexture(panel, Surface{});
    EXPECT_EQ(panel.at(5, 5), 7u);
}

}  // namespace
}  // namespace velnor
