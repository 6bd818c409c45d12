// Keyboard use and names of the settings dialog's controls: which controls take the focus
// and in which order Tab visits them, the option pairs that act as radio groups, the
// Alt+letter keys, and the name each control carries for the accessibility layer.
// Portable data and rules; the Win32 view turns them into styles, texts and key handling.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dialog/dialog_layout.h"
#include "ui/click_rule.h"

namespace velnor {

// Whether `control` can hold the keyboard focus (while it is enabled): buttons, check boxes,
// scroll bars, the list, the option squares and the homepage link. The other captions act
// on the control beside them and take no focus themselves.
bool TakesFocus(const ControlSpec& control);

// The controls that take the focus, in the order Tab visits them: the window's children in
// the table's order, each panel's controls in its place. That reads the panels and the
// bottom row by their top-left corners and each panel by rows.
std::vector<int> TabOrder();

// How `control` takes part in the dialog's keyboard: the keys an owner-drawn control takes
// (option squares are buttons, a pair's squares radio buttons; the link takes Enter too;
// captions are static text), whether it starts a group (every control but the second
// square of a pair, which is in its first square's group) and whether Tab stops at it (a
// control that takes the focus; a pair at its first square, moved as the model shows it).
struct KeyRole {
    ChildKeys keys = ChildKeys::kNone;
    bool startsGroup = true;
    bool tabStop = false;
};
KeyRole KeyRoleOf(const ControlSpec& control);

// The squares of `id`'s option group (the squares that select the values 0, 1, ... of one
// setting: perspective off/on, sample 1/2, picture size own/fitted/whole) in the order of
// their values; empty for a square of no group. A group is one radio group: Tab stops at
// its selected square, the arrows move within it.
std::vector<int> OptionGroup(int id);
// The square `step` places after `id` in its group, wrapping round (-1: the one before);
// 0 for a square of no group.
int GroupNeighbour(int id, int step);
// The next square of the group (of a pair, the other one), or 0.
int PairPartner(int id);
// Whether `id` is the first square of an option pair (the one that starts its group).
bool StartsPair(int id);

// The caption that names `id` for the accessibility layer (its window text): the clickable
// caption that acts on it, the heading or colour label of its group, or its own caption;
// a heading's "・ " lead is left out. Empty for value fields, panels and pictures.
std::string AccessibleName(int id);
// The window text `control` is made with: its caption as written (a heading with its lead),
// or for a control without one its AccessibleName, so the accessibility layer reads a name
// for every control.
std::string WindowTextOf(const ControlSpec& control);

// An Alt+letter key: `letter` (upper case) clicks a button, or moves the focus to the first
// control of a group whose heading `caption` is.
struct Mnemonic {
    char letter = 0;
    int caption = 0;  // the button itself, or the heading of the group
    int target = 0;   // the control that is clicked or gets the focus
    bool clicks = false;
};

std::vector<Mnemonic> Mnemonics();
std::optional<Mnemonic> MnemonicOf(char letter);

}  // namespace velnor
