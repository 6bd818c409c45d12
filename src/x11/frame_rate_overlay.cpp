// The frame-rate meter and its text in a 5 x 7 pixel font, drawn twice the size.
#include "x11/frame_rate_overlay.h"

#include <algorithm>
#include <cstdio>

namespace velnor {
namespace {

constexpr int kGlyphWidth = 5, kGlyphHeight = 7, kZoom = 2, kAdvance = (kGlyphWidth + 1) * kZoom;
constexpr int kMargin = 4, kPadding = 3;
constexpr std::size_t kMaxCharacters = 12;  // "FPS: 99999.9"
constexpr Pixel kInk = 0xFFFFFF, kBox = 0x000000;

// Rows of a glyph, top first; bit 4 is the leftmost pixel.
struct Glyph {
    char character;
    std::uint8_t rows[kGlyphHeight];
};

constexpr Glyph kGlyphs[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
    {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}},
};

const Glyph* GlyphOf(char character) {
    for (const Glyph& glyph : kGlyphs) {
        if (glyph.character == character) return &glyph;
    }
    return nullptr;  // a blank
}

void FillRect(Surface& frame, const Rect& rect, Pixel colour) {
    const Rect clipped = Intersect(rect, frame.bounds());
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        std::fill(frame.row(y) + clipped.left, frame.row(y) + clipped.right, colour);
    }
}

}  // namespace

void FrameRateMeter::CountFrame(std::int64_t now) {
    if (since_ < 0) since_ = now;
    ++frames_;
    const std::int64_t elapsed = now - since_;
    // Until the first whole second, a rate from the frames so far, once there are some.
    if (!measured_ && elapsed >= 250'000) rate_ = frames_ * 1e6 / static_cast<double>(elapsed);
    if (elapsed < 1'000'000) return;
    measured_ = true;
    rate_ = frames_ * 1e6 / static_cast<double>(elapsed);
    frames_ = 0;
    since_ = now;
}

std::string FrameRateText(double rate) {
    char text[32];
    std::snprintf(text, sizeof text, "FPS: %.1f", std::clamp(rate, 0.0, 99999.0));
    return text;
}

// Every box has the size that the longest text needs.
constexpr int kBoxWidth = kMaxCharacters * kAdvance - kZoom + 2 * kPadding;
constexpr int kBoxHeight = kGlyphHeight * kZoom + 2 * kPadding;

Surface FrameRateBox(const std::string& text) {
    Surface box(kBoxWidth, kBoxHeight, kBox);
    for (std::size_t i = 0; i < text.size() && i < kMaxCharacters; ++i) {
        const Glyph* glyph = GlyphOf(text[i]);
        if (!glyph) continue;
        const int left = kPadding + static_cast<int>(i) * kAdvance;
        for (int row = 0; row < kGlyphHeight; ++row) {
            for (int column = 0; column < kGlyphWidth; ++column) {
                if ((glyph->rows[row] & (0x10 >> column)) == 0) continue;
                const int x = left + column * kZoom, y = kPadding + row * kZoom;
                FillRect(box, Rect{x, y, x + kZoom, y + kZoom}, kInk);
            }
        }
    }
    return box;
}

std::optional<Point> FrameRateBoxPlace(int width, int height) {
    if (width < kBoxWidth + 2 * kMargin || height < kBoxHeight + 2 * kMargin) return std::nullopt;
    return Point{kMargin, height - kMargin - kBoxHeight};
}

}  // namespace velnor
