// RedrawPreview and its steps: the grid from the dialog's values, the projection with
// both inputs 50, the three line families and the sample ball through its mask.
#include "dialog/dialog_preview.h"

#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

#include "engine/blit.h"
#include "engine/line.h"
#include "engine/orbiting_ball.h"
#include "engine/stretch.h"

namespace velnor {
namespace {

constexpr ColourRef kEquatorColour = 0xFF0000;  // RGB 0, 0, 255
constexpr int kEquatorRow = 6;                  // polar angle 90 degrees

// The nearest integer, ties to even; false when the value does not fit 32 bits.
bool ToPixel(float value, int& out) {
    if (!std::isfinite(value)) return false;
    const double rounded = std::nearbyint(static_cast<double>(value));
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max()) {
        return false;
    }
    out = static_cast<int>(rounded);
    return true;
}

bool ScreenPoint(const WireBall& ball, int j, int i, Point& out) {
    return ToPixel(ball.screenX[j][i], out.x) && ToPixel(ball.screenY[j][i], out.y);
}

// One polyline through grid points; `at(k)` gives (j, i) of its k-th point, k = 1..count.
template <typename At>
bool DrawPolyline(Surface& target, const WireBall& ball, int count, Pixel colour, At at) {
    LinePen pen;
    Point p;
    auto [j, i] = at(1);
    if (!ScreenPoint(ball, j, i, p)) return false;
    pen.MoveTo(p);
    for (int k = 2; k <= count; ++k) {
        std::tie(j, i) = at(k);
        if (!ScreenPoint(ball, j, i, p)) return false;
        pen.LineTo(target, p, colour);
    }
    return true;
}

int Scaled(double pixels, int dpi) {
    return static_cast<int>(std::lround(pixels * dpi / 96.0));
}

}  // namespace

DialogPreview::DialogPreview()
    : sample_(kSpriteSize, kSpriteSize, 0), mask_(MakeOrbitingBallMask(kSpriteSize)) {}

void DialogPreview::BuildPreviewWireBall(const PreviewInputs& inputs, int dpi) {
    ball_ = WireBall{};  // the grids start from zero on every redraw
    ball_.radius = static_cast<float>(inputs.scaleValue * (dpi / 96.0));
    ball_.perspective = inputs.perspectiveOn;
    BuildWireBall(ball_, -inputs.aspValue, -inputs.depthValue);
    // The eye distance is a length in pixels too; scaled with the radius, the perspective
    // looks the same at every DPI.
    if (dpi != 96) ball_.eyeDistance = static_cast<float>(ball_.eyeDistance * (dpi / 96.0));
}

bool DialogPreview::DrawLines(Surface& target, ColourRef parallels, ColourRef meridians) {
    const int azimuth = ball_.azimuthCount;
    const int polar = ball_.polarCount;
    for (int i = 1; i <= polar; ++i) {
        if (!DrawPolyline(target, ball_, azimuth, PixelFromColourRef(parallels), [i](int j) {
                return std::pair{j, i};
            })) {
            return false;
        }
    }
    for (int j = 1; j <= azimuth; ++j) {
        if (!DrawPolyline(target, ball_, polar, PixelFromColourRef(meridians), [j](int i) {
                return std::pair{j, i};
            })) {
            return false;
        }
    }
    return DrawPolyline(target, ball_, azimuth, PixelFromColourRef(kEquatorColour), [](int j) {
        return std::pair{j, kEquatorRow};
    });
}

void DialogPreview::DrawSample(Surface& target, int dpi) const {
    const int size = Scaled(kSpriteSize, dpi);
    if (size == kSpriteSize) {
        DrawOrbitingBall(target, 0, 0, mask_, sample_);
        return;
    }
    // Above 96 dpi the sample is enlarged pixel by pixel; mask and sprite stay aligned,
    // so the masked copy still leaves the corners untouched.
    Surface mask(size, size), sprite(size, size);
    StretchBlt(mask, 0, 0, size, size, mask_, 0, 0, kSpriteSize, kSpriteSize);
    StretchBlt(sprite, 0, 0, size, size, sample_, 0, 0, kSpriteSize, kSpriteSize);
    DrawOrbitingBall(target, 0, 0, mask, sprite);
}

bool DialogPreview::RedrawPreview(Surface& target, const PreviewInputs& inputs,
                                  const PreviewBox& box) {
    if (target.width() != box.innerWidth || target.height() != box.innerHeight) {
        target = Surface(box.innerWidth, box.innerHeight, 0);
    } else {
        target.Fill(0);
    }
    BuildPreviewWireBall(inputs, box.dpi);
    const float input = static_cast<float>(50.0 * box.dpi / 96.0);
    const ProjectionArea area{box.innerWidth, box.innerHeight, box.outerWidth, box.outerHeight};
    if (!ProjectWireBall(ball_, input, input, area)) return false;
    if (!DrawLines(target, inputs.parallelColour, inputs.meridianColour)) return false;
    DrawSample(target, box.dpi);
    return true;
}

void DialogPreview::PaintPreviewBall(std::int16_t red, std::int16_t green, std::int16_t blue) {
    PaintOrbitingBall(sample_, red, green, blue, 0);
}

}  // namespace velnor
