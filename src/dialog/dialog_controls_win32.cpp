// Turns the layout table into windows at the dialog's DPI, and moves and re-fonts them
// when the DPI changes. Standard controls where the layout has them; the owner-drawn
// classes of dialog_children_win32.cpp for panels, captions, squares and pictures.
#include <windows.h>

#include <commctrl.h>

#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "dialog/caption_font_win32.h"
#include "dialog/child_look.h"
#include "dialog/control_ids.h"
#include "dialog/dialog_keys.h"
#include "dialog/dialog_window_win32.h"
#include "settings/wide_text_win32.h"
#include "windows/gdi_helpers_win32.h"
#include "windows/owner_drawn_child_win32.h"

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

// Every control starts a group of its own but the second square of an option pair, which
// is in its first square's group (the arrows move between the two); the controls that take
// the focus are tab stops (a pair at its selected square, moved as the model shows it);
// captions draw an "&" as it stands.
DWORD KeyboardStyle(const ControlSpec& control) {
    DWORD style = 0;
    const bool pairSecond = PairPartner(control.id) != 0 && !StartsPair(control.id);
    if (!pairSecond) style |= WS_GROUP;
    if (TakesFocus(control) && !pairSecond) style |= WS_TABSTOP;
    switch (control.kind) {
        case ControlKind::kLabel:
        case ControlKind::kValueField:
        case ControlKind::kPathField:
        case ControlKind::kClickableCaption:
            style |= SS_NOPREFIX;
            break;
        default:
            break;
    }
    return style;
}

// A control's window text: its caption, or for a control without one the caption that
// names it, so the accessibility layer reads a name for every control.
std::wstring WindowTextOf(const ControlSpec& control) {
    if (!control.caption.empty()) return WideFromUtf8(control.caption);
    return WideFromUtf8(AccessibleName(control.id));
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
        const std::wstring caption = WindowTextOf(layoutEntry);
        HWND control = CreateWindowExW(
            kind.exStyle, kind.className, caption.c_str(),
            WS_CHILD | WS_VISIBLE | kind.style | KeyboardStyle(layoutEntry), box.left, box.top,
            box.width, box.height, parent,
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
    MakePathTip();
    ShowControls();
    FitToDpi();
    return true;
}

// Folder_Path shortens a long path in its middle; its tooltip shows the whole path.
void SettingsDialog::MakePathTip() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    pathTip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
    if (!pathTip_) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(Control(control_id::kFolderPath));
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(pathTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(pathTip_, TTM_SETMAXTIPWIDTH, 0, 4096);
}

void SettingsDialog::UpdatePathTip() {
    if (!pathTip_) return;
    std::wstring text = WideFromUtf8(model_.Text(control_id::kFolderPath));
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(Control(control_id::kFolderPath));
    tool.lpszText = text.data();
    SendMessageW(pathTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
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
    }
    SendMessageW(Control(control_id::kList1), LB_SETHORIZONTALEXTENT, ListExtent(dpi_), 0);
    for (const int id :
         {control_id::kPicC, control_id::kPicPanelLeft, control_id::kPicPanelRight}) {
        PaintPanelTexture(id);
    }
}

void SettingsDialog::ApplyDpi(int dpi) {
    dpi_ = dpi;
    FitToDpi();
    RedrawPreview();
    ShowThumbnail();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HWND SettingsDialog::Control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

int SettingsDialog::IdOf(HWND control) const {
    const int id = GetDlgCtrlID(control);
    return Control(id) == control ? id : 0;
}

// Shows the model's values: texts, scroll positions, check marks, enabled states, and
// the option squares, which paint themselves from the model.
void SettingsDialog::ShowControls() {
    for (const auto& [id, text] : model_.texts()) {
        const std::wstring wide = WideFromUtf8(text);
        if (WindowText(Control(id)) == wide) continue;
        SetWindowTextW(Control(id), wide.c_str());
        if (id == control_id::kFolderPath) UpdatePathTip();
    }
    // The mark of a folder that is not there can change while the path stays.
    InvalidateRect(Control(control_id::kFolderPath), nullptr, FALSE);
    for (const ControlSpec& layoutEntry : DialogControls()) {
        HWND control = Control(layoutEntry.id);
        const bool enabled = model_.Enabled(layoutEntry.id);
        if ((IsWindowEnabled(control) != FALSE) != enabled) EnableWindow(control, enabled);
        if (IsScrollBar(layoutEntry.kind)) {
            const int value = model_.ScrollValue(layoutEntry.id);
            if (GetScrollPos(control, SB_CTL) != value) SetScrollPos(control, SB_CTL, value, TRUE);
        } else if (layoutEntry.kind == ControlKind::kCheckBox) {
            const WPARAM check = model_.CheckValue(layoutEntry.id) ? BST_CHECKED : BST_UNCHECKED;
            if (static_cast<WPARAM>(SendMessageW(control, BM_GETCHECK, 0, 0)) != check) {
                SendMessageW(control, BM_SETCHECK, check, 0);
            }
        } else if (layoutEntry.kind == ControlKind::kOptionSquare) {
            InvalidateRect(control, nullptr, FALSE);
            if (PairPartner(layoutEntry.id)) {
                SetTabStop(layoutEntry.id, SelectedOfPair(control) == control);
            }
        }
    }
}

constexpr ULONGLONG kServeSentMs = 50;

// Filled with drawing switched off and drawn once at the end: a visible list redrawn for
// every line takes minutes for a folder of thousands of pictures.
void SettingsDialog::ShowList() {
    HWND list = Control(control_id::kList1);
    const std::vector<std::string>& lines = model_.listLines();
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    SendMessageW(list, LB_INITSTORAGE, lines.size(), lines.size() * 32);
    ULONGLONG lastServed = GetTickCount64();
    for (const std::string& line : lines) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(line).c_str()));
        // Messages sent by other programs and the system are answered while a long list
        // fills; input waits in the queue, so nothing changes the lines meanwhile.
        if (GetTickCount64() - lastServed >= kServeSentMs) {
            MSG ignored;
            PeekMessageW(&ignored, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            lastServed = GetTickCount64();
            if (!IsWindow(list)) return;
        }
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

}  // namespace velnor
