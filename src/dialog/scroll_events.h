// What a scroll bar of the dialog holds and which of its events run: a value set by code
// (refused outside the range, silent when equal), arrows and trough that change it at
// once, and a thumb drag whose steps are Scroll events and whose end is one Change event
// when the value then differs from the value before the drag. Portable.
#pragma once

#include <optional>

#include "dialog/dialog_layout.h"

namespace velnor {

enum class ScrollAction {
    kLineUp,
    kLineDown,
    kPageUp,
    kPageDown,
    kTop,
    kBottom,
    kThumbTrack,     // one step of a thumb drag
    kThumbPosition,  // the thumb released at a position
    kEndScroll,      // the end of any scroll; carries the bar's position as it is now
};

struct ScrollEvents {
    bool scroll = false;  // a Scroll event runs (a drag step moved the value)
    bool change = false;  // a Change event runs
};

enum class SetByCode { kRefused, kUnchanged, kChanged };

class ScrollBarValue {
  public:
    ScrollBarValue() = default;
    ScrollBarValue(const ScrollRange& range, int designValue);

    int value() const { return value_; }

    // As code sets the value: outside the range the bar keeps its value.
    SetByCode Set(int wanted);

    // A scroll message with `position` (the thumb's for the thumb actions, the bar's own
    // for kEndScroll; ignored otherwise). The value is limited to the range.
    ScrollEvents Apply(ScrollAction action, int position);

  private:
    ScrollEvents EndDrag(int position);
    int Clamp(int value) const;

    ScrollRange range_{};
    int value_ = 0;
    std::optional<int> valueBeforeDrag_;
};

}  // namespace velnor
