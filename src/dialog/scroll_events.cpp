// The scroll-bar value and its Scroll and Change events.
#include "dialog/scroll_events.h"

#include <algorithm>

namespace velnor {

ScrollBarValue::ScrollBarValue(const ScrollRange& range, int initialValue,
                               std::optional<int> valueBeforeDrag)
    : range_(range), value_(initialValue), valueBeforeDrag_(valueBeforeDrag) {}

std::optional<ScrollAction> ScrollActionFromCode(int code) {
    if (code < 0 || code > static_cast<int>(ScrollAction::kEndScroll)) return std::nullopt;
    return static_cast<ScrollAction>(code);
}

int ScrollBarValue::Clamp(int value) const {
    return std::clamp<int>(value, range_.min, range_.max);
}

SetByCode ScrollBarValue::Set(int wanted) {
    if (wanted < range_.min || wanted > range_.max) return SetByCode::kRefused;
    if (wanted == value_) return SetByCode::kUnchanged;
    value_ = wanted;
    return SetByCode::kChanged;
}

// The drag's steps have already moved the value; the Change compares the final value with
// the one the drag started from, so a drag that ends where it began changes nothing.
ScrollEvents ScrollBarValue::EndDrag(int position) {
    const int before = valueBeforeDrag_.value_or(value_);
    valueBeforeDrag_.reset();
    value_ = Clamp(position);
    return ScrollEvents{false, value_ != before};
}

ScrollEvents ScrollBarValue::Apply(ScrollAction action, int position) {
    int wanted = value_;
    switch (action) {
        case ScrollAction::kLineUp:
            wanted = value_ - range_.smallChange;
            break;
        case ScrollAction::kLineDown:
            wanted = value_ + range_.smallChange;
            break;
        case ScrollAction::kPageUp:
            wanted = value_ - range_.largeChange;
            break;
        case ScrollAction::kPageDown:
            wanted = value_ + range_.largeChange;
            break;
        case ScrollAction::kTop:
            wanted = range_.min;
            break;
        case ScrollAction::kBottom:
            wanted = range_.max;
            break;
        case ScrollAction::kThumbTrack: {
            if (!valueBeforeDrag_) valueBeforeDrag_ = value_;
            const int step = Clamp(position);
            const bool moved = step != value_;
            value_ = step;
            return ScrollEvents{moved, false};
        }
        case ScrollAction::kThumbPosition:
        case ScrollAction::kEndScroll:
            // kEndScroll also ends a drag whose release position never came, and picks up
            // a position put on the bar from outside.
            return EndDrag(position);
    }
    const int limited = Clamp(wanted);
    const bool changed = limited != value_;
    value_ = limited;
    return ScrollEvents{false, changed};
}

}  // namespace velnor
