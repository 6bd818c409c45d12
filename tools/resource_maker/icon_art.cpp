// Icon images and the preview's still picture.
#include "resource_maker/icon_art.h"

#include <vector>

#include "engine/still_picture.h"
#include "resource_maker/art_math.h"

namespace velnor::resources {
namespace {

// Straight-alpha layer with smooth (coverage-weighted) lines and discs.
struct Layer {
    int size;
    std::vector<Colour> colour;
    std::vector<double> alpha;
    explicit Layer(int s)
        : size(s), colour(static_cast<std::size_t>(s) * s), alpha(colour.size(), 0.0) {}

    void Over(int x, int y, Colour c, double a) {
        if (x < 0 || y < 0 || x >= size || y >= size || a <= 0) return;
        const std::size_t i = static_cast<std::size_t>(y) * size + x;
        const double out = a + alpha[i] * (1 - a);
        colour[i] = (c * a + colour[i] * (alpha[i] * (1 - a))) * (1.0 / out);
        alpha[i] = out;
    }

    // A polyline drawn as one stroke: overlapping segments at its joints count once.
    void Stroke(const std::vector<std::pair<double, double>>& points, double width, Colour c,
                double a) {
        std::vector<double> coverage(alpha.size(), 0.0);
        for (std::size_t k = 0; k + 1 < points.size(); ++k) {
            const auto [x0, y0] = points[k];
            const auto [x1, y1] = points[k + 1];
            const double dx = x1 - x0, dy = y1 - y0, length2 = dx * dx + dy * dy;
            const int left =
                std::max(0, static_cast<int>(std::floor(std::min(x0, x1) - width - 1)));
            const int top = std::max(0, static_cast<int>(std::floor(std::min(y0, y1) - width - 1)));
            const int right =
                std::min(size - 1, static_cast<int>(std::ceil(std::max(x0, x1) + width + 1)));
            const int bottom =
                std::min(size - 1, static_cast<int>(std::ceil(std::max(y0, y1) + width + 1)));
            for (int y = top; y <= bottom; ++y) {
                for (int x = left; x <= right; ++x) {
                    const double px = x + 0.5 - x0, py = y + 0.5 - y0;
                    const double t =
                        length2 > 0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0;
                    const double ex = px - t * dx, ey = py - t * dy;
                    const double cover =
                        std::clamp(width / 2 + 0.5 - std::sqrt(ex * ex + ey * ey), 0.0, 1.0);
                    double& slot = coverage[static_cast<std::size_t>(y) * size + x];
                    slot = std::max(slot, cover);
                }
            }
        }
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x)
                Over(x, y, c, a * coverage[static_cast<std::size_t>(y) * size + x]);
        }
    }

    Surface ToSurface() const {
        Surface out(size, size);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const std::size_t i = static_cast<std::size_t>(y) * size + x;
                const Pixel opacity = static_cast<Pixel>(ToByte(alpha[i]));
                out.set(x, y, (opacity << 24) | (opacity ? ToPixel(colour[i]) : 0));
            }
        }
        return out;
    }
};

struct Projected {
    double x, y, depth;
};

}  // namespace

Surface MakeIconImage(int size) {
    Layer layer(size);
    const double s = size;
    const double radius = s * 0.34, cx = s * 0.44, cy = s * 0.47;
    const double tilt = 0.55, spin = 0.3;
    const int parallels = size >= 48 ? 9 : (size >= 32 ? 7 : 3);
    const int meridians = size >= 48 ? 10 : (size >= 32 ? 8 : 4);
    auto project = [&](double polar, double azimuth) {
        const double x = std::sin(polar) * std::cos(azimuth + spin);
        const double y = std::sin(polar) * std::sin(azimuth + spin);
        const double z = std::cos(polar);
        const double vy = y * std::cos(tilt) - z * std::sin(tilt);
        const double vz = y * std::sin(tilt) + z * std::cos(tilt);
        return Projected{cx + x * radius, cy - vz * radius, vy};
    };
    constexpr double kPi = 3.14159265358979323846;
    constexpr int kSteps = 64;
    const double width = std::max(1.0, s / 80.0);
    const Colour green{0, 1, 0}, cyan{0, 1, 1}, blue{0.2, 0.35, 1};
    // Each curve is split into its runs behind and in front of the ball; all back runs are
    // drawn dimmed first, then the front runs over them.
    struct Run {
        std::vector<std::pair<double, double>> points;
        Colour colour;
        double width;
        bool front;
    };
    std::vector<Run> runs;
    auto curve = [&](auto point, Colour c, double w) {
        Run run{{}, c, w, point(0.0).depth < 0};
        for (int k = 0; k <= kSteps; ++k) {
            const Projected p = point(k / double(kSteps));
            if ((p.depth < 0) != run.front && !run.points.empty()) {
                run.points.emplace_back(p.x, p.y);
                runs.push_back(run);
                run = Run{{}, c, w, p.depth < 0};
            }
            run.points.emplace_back(p.x, p.y);
        }
        runs.push_back(run);
    };
    for (int m = 0; m < meridians; ++m) {
        const double azimuth = 2 * kPi * m / meridians;
        curve([&](double t) { return project(t * kPi, azimuth); }, cyan, width);
    }
    for (int p = 1; p <= parallels; ++p) {
        const double polar = kPi * p / (parallels + 1);
        const bool equator = p == (parallels + 1) / 2;
        curve([&](double t) { return project(polar, t * 2 * kPi); }, equator ? blue : green,
              equator ? width * 1.7 : width);
    }
    for (bool front : {false, true}) {
        for (const Run& run : runs) {
            if (run.front == front)
                layer.Stroke(run.points, run.width, run.colour, front ? 1.0 : 0.35);
        }
    }
    // The orbiting ball, shaded from its top-left like the saver's sprite.
    const double bx = s * 0.78, by = s * 0.76, br = s * 0.15;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double dx = (x + 0.5 - bx) / br, dy = (y + 0.5 - by) / br;
            const double d = std::sqrt(dx * dx + dy * dy);
            const double coverage = std::clamp((1 - d) * br + 0.5, 0.0, 1.0);
            layer.Over(x, y, BallShade(dx, dy), coverage);
        }
    }
    return layer.ToSurface();
}

Surface MakePreviewStill() {
    constexpr int kWidth = 161, kHeight = 114;
    Surface still(kWidth, kHeight);
    StillWireBall view;
    view.radius = 48;
    view.spinInput = 27;
    view.tiltInput = 30;
    DrawStillWireBall(still, kWidth, kHeight, view);
    return still;
}

}  // namespace velnor::resources
