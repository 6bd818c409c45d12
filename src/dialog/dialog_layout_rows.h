// How the rows of the dialog's control table are written: a row's place and caption, then
// what the control does, added one fact at a time (`Row(...).Shows("shape").Key('A', ...)`).
// Private to dialog_layout.cpp.
#pragma once

#include <string_view>

#include "dialog/dialog_layout.h"

namespace velnor::layout_rows {

inline constexpr ColourRef kFieldGrey = 0xE0E0E0;  // RGB 224, 224, 224

struct LayoutRow : ControlSpec {
    // One fact set. Defined first: clang 14 evaluates the rows' constant expressions before
    // it would instantiate a member template defined after its callers.
    template <typename Field, typename Value>
    constexpr LayoutRow With(Field ControlSpec::*field, Value value) const {
        LayoutRow row = *this;
        row.*field = value;
        return row;
    }

    // A scroll bar's range and steps, and its value before the load.
    constexpr LayoutRow Range(int min, int max, int small, int large, int initial) const {
        LayoutRow row = *this;
        row.range = ScrollRange{static_cast<std::int16_t>(min), static_cast<std::int16_t>(max),
                                static_cast<std::int16_t>(small), static_cast<std::int16_t>(large)};
        row.initialValue = initial;
        return row;
    }
    constexpr LayoutRow Checked() const { return With(&ControlSpec::initialValue, 1); }
    constexpr LayoutRow Text(ColourRef colour) const {
        return With(&ControlSpec::textColour, colour);
    }
    constexpr LayoutRow Back(ColourRef colour) const {
        return With(&ControlSpec::backColour, colour);
    }
    constexpr LayoutRow Shows(std::string_view setting) const {
        return With(&ControlSpec::shows, setting);
    }
    constexpr LayoutRow Selects(std::string_view setting, int value) const {
        return Shows(setting).With(&ControlSpec::selects, value);
    }
    constexpr LayoutRow ActsOn(int control) const { return With(&ControlSpec::partner, control); }
    constexpr LayoutRow Previewed() const { return With(&ControlSpec::feedsPreview, true); }
    constexpr LayoutRow EnabledBy(std::string_view setting) const {
        return With(&ControlSpec::enabledBy, setting);
    }
    constexpr LayoutRow DisabledBy(std::string_view setting) const {
        return EnabledBy(setting).With(&ControlSpec::enabledWhileZero, true);
    }
    constexpr LayoutRow NamedBy(int label) const { return With(&ControlSpec::namedBy, label); }
    // A letter under the heading `group`, which also names the control.
    constexpr LayoutRow HeadedBy(int group, char letter) const {
        return NamedBy(group).Key(letter, group);
    }
    // `group` 0: a button, which its letter clicks.
    constexpr LayoutRow Key(char letter, int group = 0) const {
        return With(&ControlSpec::mnemonic, letter)
            .With(&ControlSpec::heading, group == 0 ? id : group);
    }
};

constexpr LayoutRow Row(int id, int parent, ControlKind kind, int left, int top, int width,
                        int height, std::string_view caption = {}) {
    LayoutRow row;
    row.id = id;
    row.parent = parent;
    row.kind = kind;
    row.left = left;
    row.top = top;
    row.width = width;
    row.height = height;
    row.caption = caption;
    if (kind == ControlKind::kValueField || kind == ControlKind::kPathField ||
        kind == ControlKind::kPictureBox) {
        row.backColour = kFieldGrey;
    }
    return row;
}

}  // namespace velnor::layout_rows
