// The saver's presentation: the change pending per window and the refresh schedule.
#include "saver/presentation_plan.h"

#include <array>

namespace velnor {
namespace {

long long Area(const Rect& r) {
    return r.width() * r.height();
}

// One call costs about as much as copying a few thousand pixels more, so two areas are
// joined when their common rectangle adds no more than that over presenting them apart.
constexpr long long kPixelsPerPresentation = 64 * 64;

std::int64_t FloorDivide(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

void PendingPresentation::Add(const ChangedRects& change) {
    lines_ = Unite(lines_, Intersect(change.lines(), whole_));
    sprite_ = Unite(sprite_, Intersect(change.sprite(), whole_));
}

bool PendingPresentation::PresentTo(FrameOutput& output) {
    std::array<Rect, 2> areas{};
    std::size_t count = 0;
    if (wholePending_) {
        areas[count++] = whole_;
    } else {
        const Rect joined = Unite(lines_, sprite_);
        if (Area(joined) <= Area(lines_) + Area(sprite_) + kPixelsPerPresentation) {
            if (!joined.empty()) areas[count++] = joined;
        } else {
            areas[count++] = lines_;
            areas[count++] = sprite_;
        }
    }
    if (count == 0) return true;
    const bool shown = output.Show(std::span<const Rect>(areas.data(), count));
    lines_ = sprite_ = Rect{};
    wholePending_ = !shown;
    return shown;
}

bool RefreshSchedule::PresentNow(std::int64_t now, std::int64_t nextFrameStart) {
    const std::int64_t period = timing_.periodMicroseconds;
    bool present = true;
    if (period > 0) {
        const std::int64_t nextRefresh =
            timing_.vblankMicroseconds +
            (FloorDivide(now - timing_.vblankMicroseconds, period) + 1) * period;
        present = nextFrameStart >= nextRefresh || now - lastPresented_ >= period;
    }
    if (present) lastPresented_ = now;
    return present;
}

}  // namespace velnor
