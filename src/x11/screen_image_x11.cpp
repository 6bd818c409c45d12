// The frame's image on the X server: shared memory when attachable, else plain XImage.
#include "x11/screen_image_x11.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <bit>
#include <cstdlib>
#include <cstring>

namespace velnor {
namespace {

bool g_attachFailed = false;

int NoteAttachError(Display*, XErrorEvent*) {
    g_attachFailed = true;
    return 0;
}

// An 8-bit channel placed in the bits of `mask`.
unsigned long PlaceChannel(unsigned int channel, unsigned long mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const unsigned long scaled = bits >= 8 ? channel << (bits - 8) : channel >> (8 - bits);
    return (scaled << shift) & mask;
}

}  // namespace

ScreenImage::~ScreenImage() {
    if (!image_) return;
    if (shared_) {
        // No round trip: the segment was marked for removal when it was attached, so it
        // stays whole until the server has detached it too, and images still queued for
        // the server read it safely.
        XShmDetach(display_, &segment_);
        shmdt(segment_.shmaddr);
        image_->data = nullptr;
    }
    XDestroyImage(image_);  // frees the data of a plain image
}

bool ScreenImage::Create(Display* display, Visual* visual, int depth, int width, int height,
                         bool allowShared) {
    display_ = display;
    if (allowShared && XShmQueryExtension(display) && CreateShared(visual, depth, width, height)) {
        shared_ = true;
    } else {
        const int pad = 32;
        image_ = XCreateImage(display, visual, static_cast<unsigned int>(depth), ZPixmap, 0,
                              nullptr, static_cast<unsigned int>(width),
                              static_cast<unsigned int>(height), pad, 0);
        if (!image_) return false;
        image_->data = static_cast<char*>(
            std::calloc(static_cast<std::size_t>(image_->bytes_per_line), height));
        if (!image_->data) {
            XDestroyImage(image_);
            image_ = nullptr;
            return false;
        }
    }
    directLayout_ =
        image_->bits_per_pixel == 32 && image_->red_mask == 0xFF0000 &&
        image_->green_mask == 0xFF00 && image_->blue_mask == 0xFF &&
        image_->byte_order == (std::endian::native == std::endian::little ? LSBFirst : MSBFirst);
    return true;
}

bool ScreenImage::CreateShared(Visual* visual, int depth, int width, int height) {
    image_ = XShmCreateImage(display_, visual, static_cast<unsigned int>(depth), ZPixmap, nullptr,
                             &segment_, static_cast<unsigned int>(width),
                             static_cast<unsigned int>(height));
    if (!image_) return false;
    const std::size_t bytes = static_cast<std::size_t>(image_->bytes_per_line) * height;
    segment_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (segment_.shmid >= 0) {
        segment_.shmaddr = static_cast<char*>(shmat(segment_.shmid, nullptr, 0));
        if (segment_.shmaddr != reinterpret_cast<char*>(-1)) {
            image_->data = segment_.shmaddr;
            segment_.readOnly = False;
            g_attachFailed = false;
            XErrorHandler previous = XSetErrorHandler(NoteAttachError);
            const bool attached = XShmAttach(display_, &segment_) != 0;
            XSync(display_, False);
            XSetErrorHandler(previous);
            // Marked for removal now: the segment goes away with its last user, also when
            // the program is killed.
            shmctl(segment_.shmid, IPC_RMID, nullptr);
            if (attached && !g_attachFailed) return true;
            shmdt(segment_.shmaddr);
        } else {
            shmctl(segment_.shmid, IPC_RMID, nullptr);
        }
    }
    image_->data = nullptr;
    XDestroyImage(image_);
    image_ = nullptr;
    return false;
}

void ScreenImage::CopyPixels(const Surface& frame, const Rect& area) {
    const auto width = static_cast<std::size_t>(area.width());
    for (int y = area.top; y < area.bottom; ++y) {
        const Pixel* source = frame.row(y) + area.left;
        if (directLayout_) {
            char* target = image_->data + static_cast<std::ptrdiff_t>(y) * image_->bytes_per_line +
                           static_cast<std::ptrdiff_t>(area.left) * 4;
            std::memcpy(target, source, width * sizeof(Pixel));
            continue;
        }
        for (std::size_t x = 0; x < width; ++x) {
            const Pixel p = source[x];
            const unsigned long value = PlaceChannel((p >> 16) & 0xFF, image_->red_mask) |
                                        PlaceChannel((p >> 8) & 0xFF, image_->green_mask) |
                                        PlaceChannel(p & 0xFF, image_->blue_mask);
            XPutPixel(image_, area.left + static_cast<int>(x), y, value);
        }
    }
}

void ScreenImage::Put(Window window, GC gc, const Surface& frame, const Rect& area, int originX,
                      int originY) {
    if (!image_) return;
    const Rect clipped =
        Intersect(area, Intersect(frame.bounds(), Rect{0, 0, image_->width, image_->height}));
    if (clipped.empty()) return;
    CopyPixels(frame, clipped);
    const auto w = static_cast<unsigned int>(clipped.width());
    const auto h = static_cast<unsigned int>(clipped.height());
    if (shared_) {
        XShmPutImage(display_, window, gc, image_, clipped.left, clipped.top,
                     originX + clipped.left, originY + clipped.top, w, h, False);
    } else {
        XPutImage(display_, window, gc, image_, clipped.left, clipped.top, originX + clipped.left,
                  originY + clipped.top, w, h);
    }
}

}  // namespace velnor
