// The Linux picture decoder: gdk-pixbuf reads BMP, GIF and JPEG, and WMF through its
// metafile loader when that is installed. Used by the native tools and tests. The file is
// read whole, checked for completeness, and decoded from memory.
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <fstream>
#include <string_view>
#include <vector>

#include "engine/picture_checks.h"
#include "engine/picture_decoder.h"

namespace velnor {
namespace {

// Files beyond this are refused unread (a 100-megapixel 24-bit BMP is about 300 MB).
constexpr std::streamoff kMaxFileBytes = 512ll * 1024 * 1024;
// gdk-pixbuf's metafile loader renders at 72 pixels per inch.
constexpr int kMetafilePixelsPerInch = 72;

struct Unref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using LoaderPtr = std::unique_ptr<GdkPixbufLoader, Unref>;

std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    const std::streamoff size = in.tellg();
    if (size <= 0 || size > kMaxFileBytes) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return std::nullopt;
    return bytes;
}

// Transparent parts of a picture show `paper`: black for raster pictures (the colour of
// the empty background), white for metafiles (drawings made on white paper).
Surface SurfaceFromPixbuf(const GdkPixbuf* pixbuf, int paper) {
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
                r = (r * a + paper * (255 - a) + 127) / 255;
                g = (g * a + paper * (255 - a) + 127) / 255;
                b = (b * a + paper * (255 - a) + 127) / 255;
            }
            dst[x] = PixelFromRgb(r, g, b);
        }
    }
    return out;
}

bool HasUsableLayout(const GdkPixbuf* p) {
    return IsAcceptablePictureSize(gdk_pixbuf_get_width(p), gdk_pixbuf_get_height(p)) &&
           gdk_pixbuf_get_colorspace(p) == GDK_COLORSPACE_RGB &&
           gdk_pixbuf_get_bits_per_sample(p) == 8 &&
           gdk_pixbuf_get_n_channels(p) == (gdk_pixbuf_get_has_alpha(p) ? 4 : 3);
}

class GdkPixbufDecoder final : public PictureDecoder {
    // The size of the picture in `bytes`, read from `path`. The system's loaders see only
    // files whose headers lie within them: a header claiming gigabytes makes some of them
    // allocate that much just to report a size.
    static std::optional<PictureSize> ProbeRead(const std::string& path,
                                                const std::vector<std::uint8_t>& bytes) {
        if (!HeadersLieWithin(bytes)) return std::nullopt;
        // The metafile loader reports no size before it has rendered the whole picture (a
        // huge one crashes it): only the placeable header gives the size, and a metafile
        // without one is not shown.
        if (SniffPictureKind(bytes) == PictureKind::kMetafile) {
            return PlaceableMetafileSize(bytes, kMetafilePixelsPerInch);
        }
        int width = 0;
        int height = 0;
        if (gdk_pixbuf_get_file_info(path.c_str(), &width, &height) && width > 0 && height > 0) {
            return PictureSize{width, height};
        }
        return std::nullopt;
    }

  public:
    std::optional<PictureSize> Probe(const std::string& utf8Path) override {
        const auto bytes = ReadFile(utf8Path);
        if (!bytes) return std::nullopt;
        return ProbeRead(utf8Path, *bytes);
    }

    std::optional<Surface> Decode(const std::string& utf8Path) override {
        auto bytes = ReadFile(utf8Path);
        if (!bytes || !CompleteForDecoding(*bytes)) return std::nullopt;
        const std::optional<PictureSize> size = ProbeRead(utf8Path, *bytes);
        if (!size || !IsAcceptablePictureSize(size->width, size->height)) return std::nullopt;
        const bool metafile = SniffPictureKind(*bytes) == PictureKind::kMetafile;
        LoaderPtr loader(gdk_pixbuf_loader_new());
        GError* error = nullptr;
        const bool written =
            gdk_pixbuf_loader_write(loader.get(), bytes->data(), bytes->size(), &error);
        if (error) g_clear_error(&error);
        // Closing reports data that ended early (for example a GIF cut off in its frame).
        const bool closed = gdk_pixbuf_loader_close(loader.get(), &error);
        if (error) g_clear_error(&error);
        const GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader.get());
        if (!written || !closed || !pixbuf || !HasUsableLayout(pixbuf)) return std::nullopt;
        return SurfaceFromPixbuf(pixbuf, metafile ? 255 : 0);
    }
};

}  // namespace

std::unique_ptr<PictureDecoder> MakePictureDecoder() {
    return std::make_unique<GdkPixbufDecoder>();
}

}  // namespace velnor
