// Procedural sample pictures. Both are rendered in floating point with a fixed seed, so
// every run gives the same pixels.
#include "resource_maker/sample_pictures.h"

#include <vector>

#include "resource_maker/art_math.h"

namespace velnor::resources {
namespace {

struct Vec {
    double x = 0, y = 0, z = 0;
};
Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec operator*(Vec a, double k) {
    return {a.x * k, a.y * k, a.z * k};
}
double Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec Normalised(Vec a) {
    return a * (1.0 / std::sqrt(Dot(a, a)));
}

// A floating-point canvas with additive light.
struct Canvas {
    int width, height;
    std::vector<Colour> pixels;
    Canvas(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
    Colour& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    void Add(int x, int y, Colour c) {
        if (x >= 0 && y >= 0 && x < width && y < height) at(x, y) = at(x, y) + c;
    }
    Surface ToSurface() const {
        Surface out(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                out.set(x, y, ToPixel(pixels[static_cast<std::size_t>(y) * width + x]));
            }
        }
        return out;
    }
};

// A star: a soft Gaussian spot, with thin cross-shaped spikes for the brightest.
void AddStar(Canvas& canvas, double cx, double cy, double size, Colour colour, bool spikes) {
    const int reach = static_cast<int>(std::ceil(size * 4 + (spikes ? size * 14 : 0)));
    for (int y = static_cast<int>(cy) - reach; y <= static_cast<int>(cy) + reach; ++y) {
        for (int x = static_cast<int>(cx) - reach; x <= static_cast<int>(cx) + reach; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            double light = std::exp(-(dx * dx + dy * dy) / (2 * size * size));
            if (spikes) {
                const double along = std::exp(-std::min(std::abs(dx), std::abs(dy)) * 2.2);
                const double fade = std::exp(-std::max(std::abs(dx), std::abs(dy)) / (size * 5));
                light += 0.35 * along * fade;
            }
            canvas.Add(x, y, colour * light);
        }
    }
}

Colour StarTint(double t) {
    if (t < 0.3) return {0.75, 0.85, 1.0};
    if (t < 0.8) return {1.0, 1.0, 1.0};
    return {1.0, 0.88, 0.7};
}

void AddStarField(Canvas& canvas, Sequence& random, int faint, int medium, int bright) {
    for (int i = 0; i < faint + medium + bright; ++i) {
        const double x = random.Next() * canvas.width, y = random.Next() * canvas.height;
        const Colour tint = StarTint(random.Next());
        const double power = random.Next();
        if (i < faint) {
            AddStar(canvas, x, y, 0.45, tint * (0.15 + 0.85 * power * power * power), false);
        } else if (i < faint + medium) {
            AddStar(canvas, x, y, 0.6 + 0.3 * power, tint * (0.7 + 0.5 * power), false);
        } else {
            AddStar(canvas, x, y, 0.9 + 0.4 * power, tint * 1.6, true);
        }
    }
}

// ---- The planet ----

constexpr double kPi = 3.14159265358979323846;

struct Planet {
    Vec centre{196, 152, 0};
    double radius = 70;
    Vec axis = Normalised(
        {std::sin(-0.38) * std::cos(0.42), -std::cos(-0.38) * std::cos(0.42), std::sin(0.42)});
    Vec light = Normalised({-0.62, -0.38, 0.68});
    Vec east = Normalised({std::cos(-0.38), std::sin(-0.38), 0});  // roughly perpendicular
};

// Colour of the cloud bands at latitude s = sin(latitude), longitude `lon`.
Colour BandColour(double s, double lon) {
    const double turbulence = Fbm(lon * 3.0 + 11, s * 14.0, 7, 5) - 0.5;
    const double t = s + 0.045 * turbulence;
    const double bands = 0.5 + 0.5 * std::sin(t * 19.0 + 0.6 * std::sin(t * 7.0));
    const double fine = Fbm(lon * 1.5, t * 60.0, 3, 3);
    const Colour cream{0.95, 0.88, 0.74}, tan{0.80, 0.60, 0.40}, brown{0.52, 0.33, 0.21},
        rust{0.78, 0.44, 0.26}, pole{0.55, 0.58, 0.62};
    Colour c = Mix(cream, tan, bands);
    c = Mix(c, brown, SmoothStep(0.55, 0.9, fine) * 0.55);
    c = Mix(c, rust, SmoothStep(0.1, 0.0, std::abs(t + 0.22)) * 0.6);
    c = Mix(c, pole, SmoothStep(0.78, 0.97, std::abs(t)) * 0.8);
    // A great oval storm in the southern belt.
    const double sx = (lon - 0.55) / 0.32, sy = (t + 0.36) / 0.07;
    const double storm = std::exp(-(sx * sx + sy * sy));
    return Mix(c, Colour{0.86, 0.42, 0.30}, storm * 0.85);
}

// Density of the rings at `r` planet radii, 0 outside them.
double RingDensity(double r) {
    if (r < 1.32 || r > 2.25) return 0;
    double d = 0.55 + 0.25 * std::sin(r * 41.0) + 0.15 * std::sin(r * 97.0);
    d *= SmoothStep(1.32, 1.42, r) * SmoothStep(2.25, 2.12, r);
    d *= 1.0 - 0.9 * SmoothStep(0.035, 0.0, std::abs(r - 1.86));  // a dark gap
    return std::clamp(d, 0.0, 1.0);
}

bool InPlanetShadow(const Planet& p, Vec point) {
    const double along = Dot(point * -1.0, p.light);
    if (along > 0) return false;
    const Vec closest = point + p.light * -along;
    return Dot(closest, closest) < p.radius * p.radius;
}

Colour PlanetSurface(const Planet& p, Vec normal) {
    const double s = Dot(normal, p.axis);
    const Vec north = p.axis * s;
    const Vec flat = normal + north * -1.0;
    const double lon = std::atan2(Dot(flat, Vec{0, 0, 1}), Dot(flat, p.east));
    Colour c = BandColour(s, lon);
    const double diffuse = std::max(0.0, Dot(normal, p.light));
    double shade = 0.03 + 0.97 * std::pow(diffuse, 0.85) * (0.75 + 0.25 * std::pow(normal.z, 0.3));
    // The rings' shadow on the cloud tops.
    const Vec surface = normal * p.radius;
    const double toPlane = -Dot(surface, p.axis) / Dot(p.light, p.axis);
    if (toPlane > 0) {
        const Vec hit = surface + p.light * toPlane;
        shade *= 1.0 - 0.7 * RingDensity(std::sqrt(Dot(hit, hit)) / p.radius);
    }
    return c * shade;
}

// The picture seen through one sample point (x, y) in pixels; `stars` is what lies behind.
Colour PlanetSample(const Planet& p, double x, double y, Colour stars) {
    const double dx = x - p.centre.x, dy = y - p.centre.y;
    const double d2 = (dx * dx + dy * dy) / (p.radius * p.radius);
    // The ring point on this line of sight.
    const double z = -(dx * p.axis.x + dy * p.axis.y) / p.axis.z;
    const Vec ringPoint{dx, dy, z};
    const double ringR = std::sqrt(Dot(ringPoint, ringPoint)) / p.radius;
    const double density = RingDensity(ringR);
    Colour ring =
        Mix(Colour{0.78, 0.70, 0.58}, Colour{0.95, 0.90, 0.80}, 0.5 + 0.5 * std::sin(ringR * 23));
    const double ringLight = InPlanetShadow(p, ringPoint) ? 0.04 : 0.85;
    ring = ring * ringLight;
    Colour behind = stars;
    double planetZ = -1e9;
    if (d2 < 1) {
        const Vec normal{dx / p.radius, dy / p.radius, std::sqrt(1 - d2)};
        planetZ = normal.z * p.radius;
        behind = PlanetSurface(p, normal);
    } else {
        const double haze = SmoothStep(1.06, 1.0, std::sqrt(d2));
        const Vec n = Normalised({dx, dy, 0});
        behind =
            behind + Colour{0.35, 0.45, 0.6} * haze * 0.35 * std::max(0.0, Dot(n, p.light) + 0.3);
    }
    if (density > 0 && (d2 >= 1 || z > planetZ)) return Mix(behind, ring, density * 0.9);
    return behind;
}

}  // namespace

Surface MakePlanetPicture() {
    Canvas stars(400, 300);
    Sequence random(20240611);
    AddStarField(stars, random, 260, 18, 2);
    const Planet planet;
    Canvas out(400, 300);
    constexpr int kSamples = 3;
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            Colour sum;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    sum = sum + PlanetSample(planet, x + (sx + 0.5) / kSamples,
                                             y + (sy + 0.5) / kSamples, stars.at(x, y));
                }
            }
            out.at(x, y) = sum * (1.0 / (kSamples * kSamples));
        }
    }
    return out.ToSurface();
}

// ---- The nebula ----

Surface MakeNebulaPicture() {
    Canvas out(512, 384);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            const double u = x / 150.0, v = y / 150.0;
            // Domain warping gives the clouds their wisps.
            const double wx = Fbm(u + 3.1, v + 1.7, 21, 5), wy = Fbm(u - 2.4, v + 5.3, 22, 5);
            const double glow = Fbm(u + 2.2 * wx, v + 2.2 * wy, 23, 6);
            const double cool = Fbm(u * 1.3 - 1.5 * wy, v * 1.3 + 1.5 * wx, 24, 6);
            const double dust = Fbm(u * 2.1 + wx, v * 2.1 - wy, 25, 6);
            // Keep the nebula in a band running from lower left to upper right.
            const double across = (x * 0.55 + y * 0.83 - 330) / 120.0;
            const double band = std::exp(-across * across);
            Colour c = Colour{0.02, 0.015, 0.04};
            const double emission = std::pow(SmoothStep(0.3, 0.68, glow), 1.3) * band;
            c = c + Colour{1.0, 0.22, 0.42} * (emission * 1.3);
            c = c + Colour{0.20, 0.45, 0.95} *
                        (SmoothStep(0.52, 0.84, cool) * (0.3 + 0.7 * band) * 0.55);
            c = c +
                Colour{1.0, 0.8, 0.55} * (std::pow(SmoothStep(0.55, 0.8, glow), 3.0) * band * 0.7);
            c = c * (1.0 - 0.85 * SmoothStep(0.5, 0.7, dust) * band);
            out.at(x, y) = c;
        }
    }
    Sequence random(19980402);
    AddStarField(out, random, 900, 45, 6);
    return out.ToSurface();
}

}  // namespace velnor::resources
