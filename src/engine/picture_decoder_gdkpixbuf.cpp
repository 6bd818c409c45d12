// The Linux picture decoder: gdk-pixbuf reads BMP, GIF, JPEG and PNG, and WMF through its
// metafile loader when that is installed. Used by the native program, tools and tests.
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <vector>

#include "engine/picture_decoder.h"
#include "engine/picture_format.h"
#include "engine/picture_reading.h"
#include "settings/file_io.h"

namespace velnor {
namespace {

// Files beyond this are refused unread (a 100-megapixel 24-bit BMP is about 300 MB).
constexpr std::uint64_t kMaxFileBytes = 512ull * 1024 * 1024;
// How much nicer than the program a background decoding thread runs.
constexpr int kBackgroundNiceness = 10;
// gdk-pixbuf's metafile loader renders at 72 pixels per inch.
constexpr int kMetafilePixelsPerInch = 72;

struct Unref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using LoaderPtr = std::unique_ptr<GdkPixbufLoader, Unref>;

// The source index under the centre of each of `to` destination pixels spanning `from`
// source pixels: floor((2i + 1) * from / (2 * to)), the colour-on-colour stretch's rule.
std::vector<int> CentreMap(int to, int from) {
    std::vector<int> map(static_cast<std::size_t>(to));
    for (int i = 0; i < to; ++i) {
        map[static_cast<std::size_t>(i)] = static_cast<int>((2LL * i + 1) * from / (2LL * to));
    }
    return map;
}

// The `part` of the pixbuf as a `size` surface (shrunk colour on colour when smaller: the
// same pixels the composition's stretch would pick). Transparent parts show `paper`:
// black for raster pictures (the colour of the empty background), white for metafiles
// (drawings made on white paper).
Surface SurfaceFromPixbuf(const GdkPixbuf* pixbuf, int paper, PictureBox part, PictureSize size) {
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const guint8* bytes = gdk_pixbuf_read_pixels(pixbuf);
    std::vector<int> columns = CentreMap(size.width, part.width);
    std::vector<int> rows = CentreMap(size.height, part.height);
    for (int& column : columns) column += part.left;
    for (int& row : rows) row += part.top;
    Surface out(size.width, size.height);
    for (int y = 0; y < size.height; ++y) {
        const guint8* line = bytes + static_cast<std::ptrdiff_t>(rows[y]) * stride;
        Pixel* dst = out.row(y);
        for (int x = 0; x < size.width; ++x) {
            const guint8* src = line + static_cast<std::ptrdiff_t>(columns[x]) * channels;
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

// Runs the loader of the plan's kind over its bytes at the plan's decode size.
std::optional<Surface> Load(PictureToDecode& plan) {
    // The loader of the file's format by name, so that no other loader ever sees the bytes.
    const PictureFormat* format = PictureFormatOf(plan.header.kind);
    if (!format) return std::nullopt;
    GError* error = nullptr;
    LoaderPtr loader(gdk_pixbuf_loader_new_with_type(format->name, &error));
    if (error) g_clear_error(&error);
    if (!loader) return std::nullopt;
    const PictureSize size = plan.decodeSize;
    if (size != plan.header.stored) {
        // JPEGs then decode at the reduced scale; metafiles play at this size.
        gdk_pixbuf_loader_set_size(loader.get(), size.width, size.height);
    }
    const bool written =
        gdk_pixbuf_loader_write(loader.get(), plan.bytes.data(), plan.bytes.size(), &error);
    if (error) g_clear_error(&error);
    plan.bytes = {};  // the file's bytes are not needed beside the pixels
    // Closing reports data that ended early (for example a GIF cut off in its frame).
    const bool closed = gdk_pixbuf_loader_close(loader.get(), &error);
    if (error) g_clear_error(&error);
    const GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader.get());
    if (!written || !closed || !pixbuf || !HasUsableLayout(pixbuf)) return std::nullopt;
    if (gdk_pixbuf_get_width(pixbuf) != size.width ||
        gdk_pixbuf_get_height(pixbuf) != size.height) {
        return std::nullopt;  // not what the header said
    }
    const int paper = plan.header.kind == PictureKind::kMetafile ? 255 : 0;
    const PictureBox whole{0, 0, size.width, size.height};
    if (!plan.keepPart.empty()) {
        const PictureBox& part = plan.keepPart;
        if (part.left < 0 || part.top < 0 || part.left + part.width > size.width ||
            part.top + part.height > size.height) {
            return std::nullopt;
        }
        return SurfaceFromPixbuf(pixbuf, paper, part, {part.width, part.height});
    }
    return SurfaceFromPixbuf(pixbuf, paper, whole, plan.shrinkTo.width > 0 ? plan.shrinkTo : size);
}

// Files are read whole (a regular file only, opened without waiting), checked and planned
// by the portable steps, then decoded from memory by the loader of their kind.
class GdkPixbufDecoder final : public PlatformPictureDecoder {
  public:
    std::optional<PictureSize> Probe(const std::string& utf8Path) override {
        const auto bytes = ReadRegularFile(utf8Path, kMaxFileBytes);
        if (!bytes) return std::nullopt;
        const auto header = ReadPictureHeader(*bytes, kMetafilePixelsPerInch);
        // A metafile without a placeable header reports no size before it has been
        // rendered whole: it is not shown.
        if (!header || header->stored.width == 0) return std::nullopt;
        return header->Upright();
    }

  private:
    std::optional<DecodedPicture> DecodeFile(const std::string& utf8Path,
                                             const DrawnSizeRule& drawn) override {
        auto bytes = ReadRegularFile(utf8Path, kMaxFileBytes);
        if (!bytes) return std::nullopt;
        auto plan = PlanDecoding(std::move(*bytes), kMetafilePixelsPerInch, drawn);
        if (!plan || plan->header.stored.width == 0) return std::nullopt;
        std::optional<Surface> pixels = Load(*plan);
        if (!pixels) return std::nullopt;
        return FinishDecoding(std::move(*pixels), *plan);
    }
};

}  // namespace

std::unique_ptr<PictureDecoder> MakePictureDecoder() {
    return std::make_unique<GdkPixbufDecoder>();
}

std::unique_ptr<PictureDecoder> MakeBackgroundPictureDecoder() {
    // On Linux a thread has a niceness of its own, addressed by its thread id. Raising it
    // needs no privilege; a failure leaves the thread as it was.
    const auto thread = static_cast<id_t>(gettid());
    errno = 0;
    const int niceness = getpriority(PRIO_PROCESS, thread);
    if (errno == 0) setpriority(PRIO_PROCESS, thread, std::min(niceness + kBackgroundNiceness, 19));
    return MakePictureDecoder();
}

}  // namespace velnor
