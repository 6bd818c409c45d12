// Procedural texture and cursor pictures of the dialog.
#include "resource_maker/dialog_art.h"

#include <array>

#include "resource_maker/art_math.h"

namespace velnor::resources {
namespace {

constexpr int kSide = 32;
using Mask = std::array<std::array<bool, kSide>, kSide>;

// The filled part of the hand (without outline), fingertip at (12, 1), 22 rows high.
Mask HandFill() {
    Mask fill{};
    auto block = [&](int left, int top, int right, int bottom) {
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x) fill[y][x] = true;
        }
    };
    block(11, 1, 13, 12);   // index finger
    block(15, 6, 17, 12);   // middle finger
    block(19, 8, 21, 12);   // ring finger
    block(23, 10, 25, 12);  // little finger
    block(11, 12, 25, 17);  // palm
    block(12, 18, 24, 19);
    block(13, 20, 23, 21);  // wrist
    // The thumb, slanting up and to the left from the palm.
    for (int y = 9; y < 18; ++y) {
        for (int x = 4; x < 12; ++x) {
            const double t = std::clamp(((x - 6.0) * 4.5 + (y - 11.0) * 4.5) / 40.5, 0.0, 1.0);
            const double dx = x - (6.0 + 4.5 * t), dy = y - (11.0 + 4.5 * t);
            if (dx * dx + dy * dy <= 2.6) fill[y][x] = true;
        }
    }
    return fill;
}

enum class HandPart { kNone, kOutline, kLight, kShade };

HandPart PartAt(const Mask& fill, int x, int y) {
    auto filled = [&](int px, int py) {
        return px >= 0 && py >= 0 && px < kSide && py < kSide && fill[py][px];
    };
    if (filled(x, y)) return filled(x + 1, y) ? HandPart::kLight : HandPart::kShade;
    const bool edge = filled(x - 1, y) || filled(x + 1, y) || filled(x, y - 1) || filled(x, y + 1);
    return edge ? HandPart::kOutline : HandPart::kNone;
}

CursorImage HandCursor(int shiftDown, bool monochrome) {
    const Mask fill = HandFill();
    CursorImage cursor;
    cursor.indexes.assign(kSide * kSide, kTransparent);
    if (monochrome) {
        cursor.palette = {PixelFromRgb(0, 0, 0), PixelFromRgb(255, 255, 255)};
    } else {
        // The standard 16-colour palette: 0 black, 7 silver, 15 white.
        const int levels[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                   {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                   {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                   {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
        for (const auto& l : levels) cursor.palette.push_back(PixelFromRgb(l[0], l[1], l[2]));
    }
    for (int y = 0; y + shiftDown < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            int index = kTransparent;
            switch (PartAt(fill, x, y)) {
                case HandPart::kNone:
                    break;
                case HandPart::kOutline:
                    index = 0;
                    break;
                case HandPart::kLight:
                    index = monochrome ? 1 : 15;
                    break;
                case HandPart::kShade:
                    index = monochrome ? 1 : 7;
                    break;
            }
            cursor.indexes[(y + shiftDown) * kSide + x] = index;
        }
    }
    cursor.hotX = 12;
    cursor.hotY = 1 + shiftDown;
    return cursor;
}

}  // namespace

Surface MakePanelTexture() {
    constexpr int kWidth = 832, kHeight = 20;
    Surface out(kWidth, kHeight);
    const Colour base{0.80, 0.83, 0.87};
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            // Long streaks along x, short across; every lattice divides the tile's size.
            const double coarse = ValueNoise(x / 104.0, y / 10.0, 41, 8, 2);
            const double streak = ValueNoise(x / 52.0, y / 1.0, 42, 16, 20);
            const double fine = ValueNoise(x / 8.0, y / 1.0, 43, 104, 20);
            const double grain = HashUnit(x, y, 44);
            const double v = 0.05 * (coarse - 0.5) + 0.035 * (streak - 0.5) + 0.02 * (fine - 0.5) +
                             0.012 * (grain - 0.5);
            out.set(x, y, ToPixel(base + Colour{v, v, v * 1.1}));
        }
    }
    return out;
}

CursorImage MakeHandCursor() {
    return HandCursor(0, false);
}

CursorImage MakeLinkHandCursor() {
    return HandCursor(9, true);
}

}  // namespace velnor::resources
