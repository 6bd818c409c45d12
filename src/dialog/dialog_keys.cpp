// Focus, tab order, option pairs, Alt+letter keys and names of the dialog's controls, from
// the layout table.
#include "dialog/dialog_keys.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "dialog/control_ids.h"

namespace velnor {
namespace {

using namespace control_id;
using K = ControlKind;

constexpr std::array<std::array<int, 2>, 3> kPairs = {{
    {kPicPer0, kPicPer1},
    {kPicSample0, kPicSample1},
    {kPicSize0, kPicSize1},
}};

// Controls named by a heading or label that is not their clickable caption.
constexpr std::array<std::array<int, 2>, 9> kNamedBy = {{
    {kAspV, kLblShapeHeading},
    {kDepthV, kLblDepthHeading},
    {kHRgb0, kLblRed},
    {kHRgb1, kLblGreen},
    {kHRgb2, kLblBlue},
    {kHsFast, kLblSpeedHeading},
    {kHScale, kLblSizeHeading},
    {kList1, kLblFileNameHeading},
    {kIntval, kLblIntervalHeading},
}};

// The captions of the dialog are fixed texts with no room for a "(&X)" added to them, so
// the letters are the dialog's own keys: English initials of what the control does.
constexpr std::array kMnemonics = {
    Mnemonic{'S', kCmdOk, kCmdOk, true},
    Mnemonic{'D', kCmdInit, kCmdInit, true},
    Mnemonic{'C', kCmdCan, kCmdCan, true},
    Mnemonic{'O', kFolder, kFolder, true},
    Mnemonic{'A', kLblShapeHeading, kAspV, false},
    Mnemonic{'P', kLblPerspectiveHeading, kPicPer0, false},
    Mnemonic{'E', kLblDepthHeading, kDepthV, false},
    Mnemonic{'R', kLblColourHeading, kHRgb0, false},
    Mnemonic{'L', kLblLineColourHeading, kCmdColor1, false},
    Mnemonic{'V', kLblSpeedHeading, kHsFast, false},
    Mnemonic{'B', kLblSizeHeading, kHScale, false},
    Mnemonic{'F', kLblFileNameHeading, kList1, false},
    Mnemonic{'K', kLblKindHeading, kPicKind0, false},
    Mnemonic{'I', kLblIntervalHeading, kIntval, false},
    Mnemonic{'Z', kLblPictureSizeHeading, kPicSize0, false},
};

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

int PairPartner(int id) {
    for (const auto& pair : kPairs) {
        if (pair[0] == id) return pair[1];
        if (pair[1] == id) return pair[0];
    }
    return 0;
}

bool StartsPair(int id) {
    return std::any_of(kPairs.begin(), kPairs.end(),
                       [id](const std::array<int, 2>& pair) { return pair[0] == id; });
}

std::string AccessibleName(int id) {
    for (const auto& [control, caption] : kNamedBy) {
        if (control == id) return CaptionText(caption);
    }
    for (const ControlSpec& control : DialogControls()) {
        if (control.kind == K::kClickableCaption && control.partner == id) {
            return CaptionText(control.id);
        }
    }
    return CaptionText(id);
}

std::vector<int> TabOrder() {
    std::vector<int> order;
    AddTabStops(0, order);
    return order;
}

std::span<const Mnemonic> Mnemonics() {
    return kMnemonics;
}

std::optional<Mnemonic> MnemonicOf(char letter) {
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    for (const Mnemonic& mnemonic : kMnemonics) {
        if (mnemonic.letter == letter) return mnemonic;
    }
    return std::nullopt;
}

}  // namespace velnor
