// What a scroll bar of the dialog holds and which of its events run: a value set by code
// (refused outside the range, silent when equal), arrows and trough that change it at
// once, and a thumb drag whose steps are Scroll events and whose end is one Change event
// when the value then differs from the value before the drag. Portable.
#pragma once

#include <optional>

#include "dialog/dialog_layout.h"

namespace velnor {

// The numbers are the system's scroll-bar codes (SB_LINEUP ... SB_ENDSCROLL), so the view
// passes a message's code through ScrollActionFromCode unchanged.
enum class ScrollAction {
    kLineUp = 0,
    kLineDown = 1,
    kPageUp = 2,
    kPageDown = 3,
    kThumbPosition = 4,  // the thumb released at a position
    kThumbTrack = 5,     // one step of a thumb drag
    kTop = 6,
    kBottom = 7,
    kEndScroll = 8,  // the end of any scroll; carries the bar's position as it is now
};

// The action of a scroll message's code; nothing for codes no bar sends.
std::optional<ScrollAction> ScrollActionFromCode(int code);

struct ScrollEvents {
    bool scroll = false;  // a Scroll event runs (a drag step moved the value)
    bool change = false;  // a Change event runs
};

enum class SetByCode { kRefused, kUnchanged, kChanged };

class ScrollBarValue {
  public:
    ScrollBarValue() = default;
    // `valueBeforeDrag`: the value a thumb drag that is still going on started from.
    ScrollBarValue(const ScrollRange& range, int initialValue,
                   std::optional<int> valueBeforeDrag = std::nullopt);

    int value() const { return value_; }
    std::optional<int> valueBeforeDrag() const { return valueBeforeDrag_; }

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
