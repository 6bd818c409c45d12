// Where the keyboard focus goes in the settings dialog: rules over the control table and
// the model's values (which square of a group, which control is enabled), so the Win32
// view only moves the focus and sets the default button where these say.
#pragma once

#include <optional>

#include "dialog/dialog_keys.h"
#include "dialog/dialog_model.h"

namespace velnor {

// The control that takes the focus for `id`: an option group's selected square (its first
// square while the model shows none selected), else `id` itself.
int FocusTarget(const DialogModel& model, int id);

// The first control that Tab visits and that is enabled now, where the focus goes when no
// control had it; 0 when there is none.
int FirstFocusStop(const DialogModel& model);

// What the Alt+letter key `letter` (either case) does now: the `target` it clicks or
// focuses (a group's selected square). Nothing for a letter that is no key, or whose
// control is disabled.
std::optional<Mnemonic> MnemonicAction(const DialogModel& model, char letter);

// The push button that Enter clicks while `focused` has the focus: that control when it is
// a push button, else "設定".
int DefaultButtonFor(int focused);

// The control that a mouse press on `id` focuses: the control a caption acts on, else `id`
// itself; 0 when that control takes no focus or is disabled.
int FocusOnPress(const DialogModel& model, int id);

}  // namespace velnor
