// Turns the layout table into windows at the dialog's DPI, and moves and re-fonts them
// when the DPI changes. Standard controls where the layout has them; the owner-drawn
// classes of dialog_children_win32.h for panels, captions, squares and pictures.
#include <windows.h>

#include <algorithm>

#include "dialog/control_ids.h"
#include "dialog/dialog_children_win32.h"
#include "dialog/dialog_window_win32.h"
#include "settings/wide_text_win32.h"

namespace velnor {
namespace {

struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

WindowKind KindOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::kPanel:
            return {kPanelClass, WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT};
        case ControlKind::kLabel:
        case ControlKind::kValueField:
        case ControlKind::kPathField:
        case ControlKind::kClickableCaption:
            return {kLabelClass, 0, 0};
        case ControlKind::kOptionSquare:
            return {kSquareClass, 0, 0};
        case ControlKind::kCheckBox:
            return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
        case ControlKind::kButton:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::kSpin:
            return {L"SCROLLBAR", SBS_VERT | WS_TABSTOP, 0};
        case ControlKind::kHScrollBar:
            return {L"SCROLLBAR", SBS_HORZ | WS_TABSTOP, 0};
        case ControlKind::kListBox:
            return {L"LISTBOX",
                    LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::kPreview:
            return {kPreviewClass, 0, WS_EX_CLIENTEDGE};
        case ControlKind::kPictureBox:
            return {kPictureClass, 0, 0};
    }
    return {kLabelClass, 0, 0};
}

int CALLBACK FontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FontExists(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, FontFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// The captions' own face, else the first Japanese UI face the system has; with none of them
// the font mapper picks any face with the Shift-JIS character set.
const wchar_t* CaptionFace() {
    static constexpr const wchar_t* kFaces[] = {L"ＭＳ Ｐゴシック", L"MS PGothic",
                                                L"MS UI Gothic",    L"Meiryo UI",
                                                L"Yu Gothic UI",    L"ＭＳ ゴシック"};
    for (const wchar_t* face : kFaces) {
        if (FontExists(face)) return face;
    }
    return L"";
}

HFONT MakeCaptionFont(int dpi, bool underlined) {
    return CreateFontW(-CaptionFontHeight(dpi), 0, 0, 0, FW_NORMAL, FALSE, underlined, FALSE,
                       SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, CaptionFace());
}

bool IsCaption(ControlKind kind) {
    return kind == ControlKind::kLabel || kind == ControlKind::kClickableCaption;
}

// The right edge a caption may grow to: its panel's edge or the next control to its right
// on the same rows, whichever comes first.
int RoomToTheRight(const ControlSpec& layoutEntry, const PixelBox& box, int dpi) {
    const ControlSpec* parent = FindControl(layoutEntry.parent);
    int limit = parent ? ControlBox(*parent, dpi).width : box.left + box.width;
    for (const ControlSpec& other : DialogControls()) {
        if (other.parent != layoutEntry.parent || other.id == layoutEntry.id) continue;
        const PixelBox o = ControlBox(other, dpi);
        const bool sameRows = o.top < box.top + box.height && box.top < o.top + o.height;
        if (sameRows && o.left >= box.left + box.width) limit = std::min(limit, o.left);
    }
    return limit;
}

bool IsScrollBar(ControlKind kind) {
    return kind == ControlKind::kSpin || kind == ControlKind::kHScrollBar;
}

}  // namespace

void SettingsDialog::MakeFonts() {
    if (font_) DeleteObject(font_);
    if (underlinedFont_) DeleteObject(underlinedFont_);
    font_ = MakeCaptionFont(dpi_, false);
    underlinedFont_ = MakeCaptionFont(dpi_, true);
}

bool SettingsDialog::CreateControls() {
    MakeFonts();
    for (const ControlSpec& layoutEntry : DialogControls()) {
        HWND parent = layoutEntry.parent == 0 ? window_ : Control(layoutEntry.parent);
        const PixelBox box = ControlBox(layoutEntry, dpi_);
        WindowKind kind = KindOf(layoutEntry.kind);
        if (layoutEntry.id == control_id::kLblUrl) kind.style |= kActOnPress;
        const std::wstring caption = layoutEntry.kind == ControlKind::kCheckBox
                                         ? std::wstring{}
                                         : WideFromUtf8(layoutEntry.caption);
        HWND control = CreateWindowExW(
            kind.exStyle, kind.className, caption.c_str(), WS_CHILD | WS_VISIBLE | kind.style,
            box.left, box.top, box.width, box.height, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(layoutEntry.id)), instance_, nullptr);
        if (!control) return false;
        controls_[layoutEntry.id] = control;
        if (IsScrollBar(layoutEntry.kind)) {
            SetScrollRange(control, SB_CTL, layoutEntry.range.min, layoutEntry.range.max, FALSE);
            SetScrollPos(control, SB_CTL, layoutEntry.designValue, FALSE);
            scrollBars_[layoutEntry.id] =
                ScrollBarValue(layoutEntry.range, layoutEntry.designValue);
        } else if (layoutEntry.kind == ControlKind::kCheckBox) {
            SendMessageW(control, BM_SETCHECK,
                         layoutEntry.designValue ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    // Sizes captions to their text and sets every control's font; the panel textures
    // are painted by the load step, which always follows.
    PlaceControls();
    return true;
}

void SettingsDialog::ApplyDpi(int dpi) {
    dpi_ = dpi;
    MakeFonts();
    PlaceControls();
    SendMessageW(Control(control_id::kList1), LB_SETHORIZONTALEXTENT, ListExtent(dpi_), 0);
    MakePanelSurfaces();
    RedrawPreview();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SettingsDialog::MakePanelSurfaces() {
    for (const int id :
         {control_id::kPicC, control_id::kPicPanelLeft, control_id::kPicPanelRight}) {
        PaintPanelTexture(id);
    }
}

// Captions keep their design place but grow to fit their text in the font actually used
// (a substitute face can be wider than the captions' own), as far as there is room.
PixelBox SettingsDialog::FittedBox(const ControlSpec& layoutEntry) const {
    PixelBox box = ControlBox(layoutEntry, dpi_);
    HWND control = Control(layoutEntry.id);
    if (!IsCaption(layoutEntry.kind) || !control) return box;
    const std::wstring text = WindowText(control);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    const int wanted = static_cast<int>(extent.cx) + 2;
    if (wanted > box.width) {
        box.width = std::max(box.width,
                             std::min(wanted, RoomToTheRight(layoutEntry, box, dpi_) - box.left));
    }
    return box;
}

void SettingsDialog::PlaceControls() {
    for (const ControlSpec& layoutEntry : DialogControls()) {
        const PixelBox box = FittedBox(layoutEntry);
        HWND control = Control(layoutEntry.id);
        SetWindowPos(control, nullptr, box.left, box.top, box.width, box.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
}

HWND SettingsDialog::Control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

int SettingsDialog::IdOf(HWND control) const {
    const int id = GetDlgCtrlID(control);
    return Control(id) == control ? id : 0;
}

void SettingsDialog::SetText(int id, const std::string& utf8) {
    SetWindowTextW(Control(id), WideFromUtf8(utf8).c_str());
}

std::string SettingsDialog::Text(int id) const {
    return Utf8FromWide(WindowText(Control(id)));
}

}  // namespace velnor
