// The compact background copy: grown by whole rectangles, restored row by row.
#include "engine/background_patch.h"

#include <algorithm>
#include <cstring>

#include "engine/frame.h"

namespace velnor {
namespace {

Rect Grown(const Rect& r, int margin) {
    const auto move = [](int value, int by) {
        return static_cast<int>(std::clamp(static_cast<long long>(value) + by,
                                           static_cast<long long>(INT32_MIN),
                                           static_cast<long long>(INT32_MAX)));
    };
    return Rect{move(r.left, -margin), move(r.top, -margin), move(r.right, margin),
                move(r.bottom, margin)};
}

}  // namespace

void BackgroundPatch::Cover(const Surface& background, const Rect& needed) {
    const Rect wanted = Intersect(needed, background.bounds());
    if (tooWide_ || wanted.empty() || Intersect(wanted, area_) == wanted) return;
    const Rect grown = Intersect(Unite(area_, Grown(wanted, kMargin)), background.bounds());
    if (grown.width() * 2 > background.width()) {
        Clear();
        tooWide_ = true;
        return;
    }
    area_ = grown;
    pixels_ = Surface(static_cast<int>(grown.width()), static_cast<int>(grown.height()));
    const auto bytes = static_cast<std::size_t>(grown.width()) * sizeof(Pixel);
    for (int y = grown.top; y < grown.bottom; ++y) {
        std::memcpy(pixels_.row(y - grown.top), background.row(y) + grown.left, bytes);
    }
}

void BackgroundPatch::Restore(Surface& target, const Surface& background, const Rect& area) const {
    if (area.empty() || Intersect(area, target.bounds()) != area ||
        Intersect(area, area_) != area) {
        RestoreBackground(target, background, area);
        return;
    }
    const auto bytes = static_cast<std::size_t>(area.width()) * sizeof(Pixel);
    for (int y = area.top; y < area.bottom; ++y) {
        std::memcpy(target.row(y) + area.left,
                    pixels_.row(y - area_.top) + (area.left - area_.left), bytes);
    }
}

void BackgroundPatch::Clear() {
    area_ = Rect{};
    pixels_ = Surface();
    tooWide_ = false;
}

}  // namespace velnor
