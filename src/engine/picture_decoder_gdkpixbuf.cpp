// The Linux picture decoder: gdk-pixbuf reads BMP, GIF and JPEG, and WMF through its
// metafile loader when that is installed. Used by the native tools and tests.
#include <gdk-pixbuf/gdk-pixbuf.h>

#include "engine/picture_decoder.h"

namespace velnor {
namespace {

struct PixbufUnref {
    void operator()(GdkPixbuf* pixbuf) const { g_object_unref(pixbuf); }
};
using PixbufPtr = std::unique_ptr<GdkPixbuf, PixbufUnref>;

// Transparent parts of a picture show black, the colour of the empty background.
Surface SurfaceFromPixbuf(const GdkPixbuf* pixbuf) {
    const int width = gdk_pixbuf_get_width(pixbuf);
    const int height = gdk_pixbuf_get_height(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const guint8* bytes = gdk_pixbuf_read_pixels(pixbuf);
    Surface out(width, height);
    for (int y = 0; y < height; ++y) {
        const guint8* src = bytes + static_cast<std::ptrdiff_t>(y) * stride;
        Pixel* dst = out.row(y);
        for (int x = 0; x < width; ++x, src += channels) {
            int r = src[0], g = src[1], b = src[2];
            if (alpha) {
                const int a = src[3];
                r = (r * a + 127) / 255;
                g = (g * a + 127) / 255;
                b = (b * a + 127) / 255;
            }
            dst[x] = PixelFromRgb(r, g, b);
        }
    }
    return out;
}

class GdkPixbufDecoder final : public PictureDecoder {
  public:
    std::optional<PictureSize> Probe(const std::string& utf8Path) override {
        int width = 0;
        int height = 0;
        if (!gdk_pixbuf_get_file_info(utf8Path.c_str(), &width, &height)) return std::nullopt;
        if (width <= 0 || height <= 0) return std::nullopt;
        return PictureSize{width, height};
    }

    std::optional<Surface> Decode(const std::string& utf8Path) override {
        const std::optional<PictureSize> size = Probe(utf8Path);
        if (!size || !IsAcceptablePictureSize(size->width, size->height)) return std::nullopt;
        GError* error = nullptr;
        PixbufPtr pixbuf(gdk_pixbuf_new_from_file(utf8Path.c_str(), &error));
        if (error) g_error_free(error);
        if (!pixbuf) return std::nullopt;
        const GdkPixbuf* p = pixbuf.get();
        // The header may have lied; check what was actually decoded, and the layout.
        if (!IsAcceptablePictureSize(gdk_pixbuf_get_width(p), gdk_pixbuf_get_height(p)) ||
            gdk_pixbuf_get_colorspace(p) != GDK_COLORSPACE_RGB ||
            gdk_pixbuf_get_bits_per_sample(p) != 8 ||
            gdk_pixbuf_get_n_channels(p) != (gdk_pixbuf_get_has_alpha(p) ? 4 : 3)) {
            return std::nullopt;
        }
        return SurfaceFromPixbuf(p);
    }
};

}  // namespace

std::unique_ptr<PictureDecoder> MakePictureDecoder() {
    return std::make_unique<GdkPixbufDecoder>();
}

}  // namespace velnor
