// Turns the layout table into windows at the dialog's DPI, moves and re-fonts them when
// the DPI changes, and shows in them what the controller asks. Standard controls where the
// layout has them; the owner-drawn classes of dialog_children_win32.cpp for panels,
// captions, squares and pictures.
#include <windows.h>

#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "dialog/caption_font_win32.h"
#include "dialog/child_look.h"
#include "dialog/control_ids.h"
#include "dialog/dialog_focus.h"
#include "dialog/dialog_window_win32.h"
#include "settings/wide_text_win32.h"
#include "ui/control_helpers_win32.h"
#include "ui/gdi_helpers_win32.h"
#include "ui/owner_drawn_child_win32.h"

namespace velnor {
namespace {

struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

// The window of each kind of control, in the order of ControlKind.
constexpr WindowKind kWindowKinds[] = {
    {kPanelClass, WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT},
    {kLabelClass, 0, 0},  // label, value field, path field, clickable caption
    {kLabelClass, 0, 0},
    {kLabelClass, 0, 0},
    {kLabelClass, 0, 0},
    {kSquareClass, 0, 0},
    {L"BUTTON", BS_CHECKBOX, 0},
    {L"BUTTON", BS_PUSHBUTTON, 0},
    {L"SCROLLBAR", SBS_VERT, 0},
    {L"SCROLLBAR", SBS_HORZ, 0},
    {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE},
    {kPreviewClass, 0, WS_EX_CLIENTEDGE},
    {kPictureClass, 0, 0},
};
static_assert(std::size(kWindowKinds) == static_cast<std::size_t>(ControlKind::kPictureBox) + 1);

// The group and Tab stop of KeyRoleOf; captions draw an "&" as it stands.
DWORD KeyboardStyle(const ControlSpec& control, const WindowKind& kind) {
    const KeyRole role = KeyRoleOf(control);
    return (role.startsGroup ? WS_GROUP : 0) | (role.tabStop ? WS_TABSTOP : 0) |
           (kind.className == kLabelClass ? SS_NOPREFIX : 0);
}

// The dialog's own classes (all named "Velnor...") paint their focus ring themselves.
bool IsSystemClass(const wchar_t* className) {
    return !std::wstring_view(className).starts_with(L"Velnor");
}

}  // namespace

bool SettingsDialog::CreateControls() {
    for (const ControlSpec& layoutEntry : DialogControls()) {
        HWND parent = layoutEntry.parent == 0 ? window_ : Control(layoutEntry.parent);
        const PixelBox box = ControlBox(layoutEntry, dpi_);
        const WindowKind& kind = kWindowKinds[static_cast<std::size_t>(layoutEntry.kind)];
        const std::wstring caption = WideFromUtf8(WindowTextOf(layoutEntry));
        HWND control = CreateWindowExW(
            kind.exStyle, kind.className, caption.c_str(),
            WS_CHILD | WS_VISIBLE | kind.style | KeyboardStyle(layoutEntry, kind), box.left,
            box.top, box.width, box.height, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(layoutEntry.id)), instance_, nullptr);
        if (!control) return false;
        controls_[layoutEntry.id] = control;
        const FocusCue cue = FocusCueOf(layoutEntry);
        if (cue != FocusCue::kNone && IsSystemClass(kind.className)) {
            // A check box shows only its box (its caption is a control of its own): its text
            // is its name for the accessibility layer, not painted.
            AddFocusCue(control, cue == FocusCue::kRing,
                        layoutEntry.kind == ControlKind::kCheckBox);
        }
        if (IsScrollBar(layoutEntry.kind)) {
            SetScrollRange(control, SB_CTL, layoutEntry.range.min, layoutEntry.range.max, FALSE);
        }
    }
    // The folder path shortens a long path in its middle; its tooltip shows the whole path.
    pathTip_ = MakeTooltip(window_, Control(control_id::kFolderPath), instance_);
    controller_.ShowControls();
    FitToDpi();
    return true;
}

// The font, the captions' sizes (fitted to their text in that font), the list's scroll
// extent and the panel textures at the dialog's DPI.
void SettingsDialog::FitToDpi() {
    font_.reset(MakeCaptionFont(dpi_));
    for (const ControlSpec& layoutEntry : DialogControls()) {
        HWND control = Control(layoutEntry.id);
        const PixelBox box = FittedCaptionBox(layoutEntry, dpi_, TextWidthOf(control, font_.get()));
        SetWindowPos(control, nullptr, box.left, box.top, box.width, box.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        if (layoutEntry.kind == ControlKind::kPanel) PaintPanelTexture(layoutEntry.id);
    }
    SendMessageW(Control(control_id::kPictureList), LB_SETHORIZONTALEXTENT, ListExtent(dpi_), 0);
}

HWND SettingsDialog::Control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

int SettingsDialog::IdOf(HWND control) const {
    const int id = GetDlgCtrlID(control);
    return Control(id) == control ? id : 0;
}

void SettingsDialog::ShowText(int id, const std::string& text) {
    const std::wstring wide = WideFromUtf8(text);
    if (WindowText(Control(id)) == wide) return;
    SetWindowTextW(Control(id), wide.c_str());
    if (id == control_id::kFolderPath) SetTooltipText(pathTip_, window_, Control(id), wide);
}

void SettingsDialog::ShowControl(int id, const ControlState& state) {
    HWND control = Control(id);
    if ((IsWindowEnabled(control) != FALSE) != state.enabled) EnableWindow(control, state.enabled);
    if (state.scrollValue && GetScrollPos(control, SB_CTL) != *state.scrollValue) {
        SetScrollPos(control, SB_CTL, *state.scrollValue, TRUE);
    }
    const WPARAM check = state.checked.value_or(false) ? BST_CHECKED : BST_UNCHECKED;
    if (state.checked && static_cast<WPARAM>(SendMessageW(control, BM_GETCHECK, 0, 0)) != check) {
        SendMessageW(control, BM_SETCHECK, check, 0);
    }
    if (state.tabStop) SetStyleFlag(control, WS_TABSTOP, *state.tabStop);
    if (state.repaint) InvalidateRect(control, nullptr, FALSE);
}

void SettingsDialog::ShowListLines(const std::vector<std::string>& lines,
                                   std::optional<std::size_t> selected) {
    FillListBox(Control(control_id::kPictureList), lines);
    if (selected) SendMessageW(Control(control_id::kPictureList), LB_SETCURSEL, *selected, 0);
}

void SettingsDialog::HideThumbnail(bool hidden) {
    ShowWindow(Control(control_id::kThumbnailBox), hidden ? SW_HIDE : SW_SHOW);
}

void SettingsDialog::Focus(int id) {
    if (GetFocus() != Control(id)) SetFocus(Control(id));
}

void SettingsDialog::Press(int id) {
    SendMessageW(Control(id), BM_CLICK, 0, 0);
}

void SettingsDialog::ShowDefaultButton(int id, bool isDefault) {
    SetDefaultPushButton(Control(id), isDefault);
}

}  // namespace velnor
