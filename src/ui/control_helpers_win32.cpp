// Tooltips, list filling, Alt+letter keys and style bits of the system's controls.
#include "ui/control_helpers_win32.h"

#include <commctrl.h>

#include "settings/wide_text_win32.h"

namespace velnor {

HWND MakeTooltip(HWND owner, HWND tool, HINSTANCE instance) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    HWND tip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
    if (!tip) return nullptr;
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 4096);
    return tip;
}

void SetTooltipText(HWND tip, HWND owner, HWND tool, std::wstring text) {
    if (!tip) return;
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text.data();
    SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

constexpr ULONGLONG kServeSentMs = 50;

void FillListBox(HWND list, const std::vector<std::string>& lines) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    SendMessageW(list, LB_INITSTORAGE, lines.size(), lines.size() * 32);
    ULONGLONG lastServed = GetTickCount64();
    for (const std::string& line : lines) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(line).c_str()));
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

AcceleratorTable MakeAltLetterKeys(const std::vector<char>& letters) {
    std::vector<ACCEL> table;
    for (const char letter : letters) {
        table.push_back(
            ACCEL{FALT | FVIRTKEY, static_cast<WORD>(letter), static_cast<WORD>(letter)});
    }
    return AcceleratorTable(CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
}

void SetStyleFlag(HWND control, LONG_PTR flag, bool on) {
    if (!control) return;
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    const LONG_PTR wanted = on ? (style | flag) : (style & ~flag);
    if (wanted != style) SetWindowLongPtrW(control, GWL_STYLE, wanted);
}

void SetDefaultPushButton(HWND button, bool isDefault) {
    const LONG_PTR wanted = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) != wanted) {
        SendMessageW(button, BM_SETSTYLE, static_cast<WPARAM>(wanted), TRUE);
    }
}

}  // namespace velnor
