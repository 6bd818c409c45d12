// The same frame drawn with cairo, the library a developer would otherwise reach for: the
// background painted onto an ARGB32 image, the 860 segments stroked as aliased one-pixel
// lines (one path per colour), and the sprite painted through an alpha mask of its disc.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cstring>

#include "bench_scene.h"
#include "bench_sizes.h"

namespace velnor::bench {
namespace {

// A cairo image surface holding a copy of `source`, with full alpha.
cairo_surface_t* ImageOf(const Surface& source) {
    cairo_surface_t* image =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, source.width(), source.height());
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int y = 0; y < source.height(); ++y) {
        auto* row =
            reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < source.width(); ++x) row[x] = 0xFF000000u | source.at(x, y);
    }
    cairo_surface_mark_dirty(image);
    return image;
}

// An A8 mask that is opaque where the sprite's mask is black (inside the disc).
cairo_surface_t* DiscMaskOf(const Surface& mask) {
    cairo_surface_t* image =
        cairo_image_surface_create(CAIRO_FORMAT_A8, mask.width(), mask.height());
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) data[y * stride + x] = mask.at(x, y) == 0 ? 255 : 0;
    }
    cairo_surface_mark_dirty(image);
    return image;
}

void SetColour(cairo_t* cr, Pixel colour) {
    cairo_set_source_rgb(cr, ((colour >> 16) & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0,
                         (colour & 0xFF) / 255.0);
}

// Strokes the segments of one colour family as one path through pixel centres.
void StrokeFamily(cairo_t* cr, const BenchScene& scene, const MeshPoints& mesh, Pixel colour,
                  int family) {
    int index = 0;
    ForEachSegment(scene, mesh, [&](Point from, Point to, Pixel) {
        const int segmentFamily = index < 420 ? 0 : index < 840 ? 1 : 2;
        ++index;
        if (segmentFamily != family) return;
        cairo_move_to(cr, from.x + 0.5, from.y + 0.5);
        cairo_line_to(cr, to.x + 0.5, to.y + 0.5);
    });
    SetColour(cr, colour);
    cairo_stroke(cr);
}

// With `clear` false the background paint is left out, to time the drawing alone.
void CairoFrame(benchmark::State& state, int width, int height, bool clear) {
    const BenchScene scene = MakeBenchScene(width, height);
    cairo_surface_t* background = ImageOf(scene.background);
    cairo_surface_t* sprite = ImageOf(scene.sprite);
    cairo_surface_t* disc = DiscMaskOf(scene.mask);
    cairo_surface_t* frame = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(frame);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(cr, 1.0);
    std::size_t f = 0;
    for (auto _ : state) {
        const MeshPoints& mesh = scene.meshes[f % scene.meshes.size()];
        const Point place = scene.spritePlaces[f % scene.spritePlaces.size()];
        ++f;
        if (clear) {
            cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
            cairo_set_source_surface(cr, background, 0, 0);
            cairo_paint(cr);
        }
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        StrokeFamily(cr, scene, mesh, scene.parallelColour, 0);
        StrokeFamily(cr, scene, mesh, scene.meridianColour, 1);
        StrokeFamily(cr, scene, mesh, scene.equatorColour, 2);
        cairo_set_source_surface(cr, sprite, place.x, place.y);
        cairo_mask_surface(cr, disc, place.x, place.y);
        cairo_surface_flush(frame);
        benchmark::ClobberMemory();
    }
    cairo_destroy(cr);
    cairo_surface_destroy(frame);
    cairo_surface_destroy(disc);
    cairo_surface_destroy(sprite);
    cairo_surface_destroy(background);
}

const bool registered = [] {
    for (const ScreenSize& size : kScreenSizes) {
        RegisterSized("CairoFullFrame", size,
                      [](benchmark::State& state, int w, int h) { CairoFrame(state, w, h, true); });
        RegisterSized("CairoDrawOnly", size, [](benchmark::State& state, int w, int h) {
            CairoFrame(state, w, h, false);
        });
    }
    return true;
}();

}  // namespace
}  // namespace velnor::bench
