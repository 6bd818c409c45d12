// Focus, tab order, option pairs, Alt+letter keys and names of the dialog's controls, read
// from the rows of the control table.
#include "dialog/dialog_keys.h"

#include <algorithm>
#include <string_view>

namespace velnor {
namespace {

using K = ControlKind;

std::string CaptionText(int id) {
    const ControlSpec* control = FindControl(id);
    if (!control) return {};
    std::string_view text = control->caption;
    constexpr std::string_view kHeadingLead = "・ ";
    if (text.starts_with(kHeadingLead)) text.remove_prefix(kHeadingLead.size());
    return std::string(text);
}

}  // namespace

bool TakesFocus(const ControlSpec& control) {
    switch (control.kind) {
        case K::kCheckBox:
        case K::kButton:
        case K::kSpin:
        case K::kHScrollBar:
        case K::kListBox:
        case K::kOptionSquare:
            return true;
        case K::kClickableCaption:
            return control.partner == 0;  // the link acts on its own
        default:
            return false;
    }
}

namespace {

// The controls of `parent` in the table's order, each panel's own ones where the panel is:
// the order in which the system walks the windows for Tab.
void AddTabStops(int parent, std::vector<int>& order) {
    for (const ControlSpec& control : DialogControls()) {
        if (control.parent != parent) continue;
        if (TakesFocus(control)) order.push_back(control.id);
        if (control.kind == K::kPanel) AddTabStops(control.id, order);
    }
}

}  // namespace

// The squares of a group show one setting, each standing for its own value; the table
// gives them in the order of their values.
std::vector<int> OptionGroup(int id) {
    const ControlSpec* square = FindControl(id);
    if (!square || square->kind != K::kOptionSquare || square->selects < 0) return {};
    std::vector<int> group;
    for (const ControlSpec& other : DialogControls()) {
        if (other.kind == K::kOptionSquare && other.selects >= 0 && other.shows == square->shows) {
            group.push_back(other.id);
        }
    }
    if (group.size() < 2) return {};
    return group;
}

int GroupNeighbour(int id, int step) {
    const std::vector<int> group = OptionGroup(id);
    if (group.empty()) return 0;
    const auto at = std::find(group.begin(), group.end(), id) - group.begin();
    const auto size = static_cast<std::ptrdiff_t>(group.size());
    return group[static_cast<std::size_t>(((at + step) % size + size) % size)];
}

int PairPartner(int id) {
    return GroupNeighbour(id, 1);
}

bool StartsPair(int id) {
    return PairPartner(id) != 0 && FindControl(id)->selects == 0;
}

KeyRole KeyRoleOf(const ControlSpec& control) {
    KeyRole role;
    const int partner = PairPartner(control.id);
    role.startsGroup = partner == 0 || control.selects == 0;
    role.tabStop = TakesFocus(control) && role.startsGroup;
    if (control.kind == K::kOptionSquare) {
        role.keys = partner ? ChildKeys::kRadioButton : ChildKeys::kButton;
    } else if (control.kind == K::kClickableCaption) {
        role.keys = TakesFocus(control) ? ChildKeys::kLink : ChildKeys::kStatic;
    } else if (control.kind == K::kLabel) {
        role.keys = ChildKeys::kStatic;
    }
    return role;
}

std::string AccessibleName(int id) {
    if (const ControlSpec* control = FindControl(id); control && control->namedBy != 0) {
        return CaptionText(control->namedBy);
    }
    for (const ControlSpec& control : DialogControls()) {
        if (control.kind == K::kClickableCaption && control.partner == id) {
            return CaptionText(control.id);
        }
    }
    return CaptionText(id);
}

std::string WindowTextOf(const ControlSpec& control) {
    return control.caption.empty() ? AccessibleName(control.id) : std::string(control.caption);
}

std::vector<int> TabOrder() {
    std::vector<int> order;
    AddTabStops(0, order);
    return order;
}

std::vector<Mnemonic> Mnemonics() {
    std::vector<Mnemonic> all;
    for (const ControlSpec& control : DialogControls()) {
        if (control.mnemonic == 0) continue;
        // A button's own letter clicks it; a heading's letter moves the focus.
        all.push_back(
            Mnemonic{control.mnemonic, control.heading, control.id, control.heading == control.id});
    }
    return all;
}

std::optional<Mnemonic> MnemonicOf(char letter) {
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    for (const Mnemonic& mnemonic : Mnemonics()) {
        if (mnemonic.letter == letter) return mnemonic;
    }
    return std::nullopt;
}

}  // namespace velnor
