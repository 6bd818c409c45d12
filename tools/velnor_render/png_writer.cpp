// PNG output of rendered frames via gdk-pixbuf.
#include "png_writer.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <vector>

namespace velnor::render {

bool WritePng(const Surface& surface, const std::string& path, std::string& error) {
    const int width = surface.width(), height = surface.height();
    const int stride = width * 3;
    std::vector<guchar> rgb(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const Pixel* row = surface.row(y);
        guchar* out = rgb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride);
        for (int x = 0; x < width; ++x) {
            *out++ = static_cast<guchar>(row[x] >> 16);
            *out++ = static_cast<guchar>(row[x] >> 8);
            *out++ = static_cast<guchar>(row[x]);
        }
    }
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_data(rgb.data(), GDK_COLORSPACE_RGB, FALSE, 8, width,
                                                 height, stride, nullptr, nullptr);
    if (pixbuf == nullptr) {
        error = "cannot prepare the picture for " + path;
        return false;
    }
    GError* failure = nullptr;
    const gboolean saved = gdk_pixbuf_save(pixbuf, path.c_str(), "png", &failure, nullptr);
    g_object_unref(pixbuf);
    if (saved) return true;
    error =
        "cannot write " + path + (failure != nullptr ? ": " + std::string(failure->message) : "");
    if (failure != nullptr) g_error_free(failure);
    return false;
}

}  // namespace velnor::render
