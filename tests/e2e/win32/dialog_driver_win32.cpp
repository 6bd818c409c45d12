// Test helper: drives the settings dialog "Velnorの設定" of another process with window
// messages, the way a user's clicks reach it, and prints what the controls show.
//   velnor_dialog_driver.exe <command>...   commands run in order:
//     wait [ms]              wait for the dialog to be visible      -> "found" | "not found"
//     read                   the window's place, then one line per control (PrintControl)
//     click <name>           WM_COMMAND BN_CLICKED (check boxes: BM_CLICK)    -> "clicked"
//     post <name>            the same click posted, without waiting for its handler
//     message [ms]           wait for a message box of the dialog's process, print its
//                            text, press its OK                -> "message: <text>" | "no message"
//     scroll <name> <value>  SBM_SETPOS, then WM_HSCROLL/WM_VSCROLL SB_THUMBPOSITION
//     arrow <name> up|down   WM_VSCROLL/WM_HSCROLL SB_LINEUP / SB_LINEDOWN
//     close                  the close box (WM_SYSCOMMAND SC_CLOSE)
//     gone [ms]              wait for the dialog to go              -> "gone" | "still open"
//     sleep <ms>
// Controls are named as in the layout ("cmd_OK", "H_RGB(1)"); their IDs come from the
// dialog's own control_ids.h. Exit code 2 when a step fails.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "dialog/control_ids.h"
#include "driver_common_win32.h"

namespace {

using namespace velnor::e2e;

// name=<n> enabled=<0|1> rect=<x>,<y>,<w>,<h> text="<t>" and, by kind, pos=, check=,
// selected= (option squares) or count= and current= (list box; -1: no line selected). Rectangles
// are in the dialog's client coordinates.
void PrintControl(HWND dialog, const char* name, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    std::printf("name=%s enabled=%d rect=%ld,%ld,%ld,%ld text=\"%s\"", name,
                IsWindowEnabled(control) ? 1 : 0, rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top, Utf8(TextOf(control)).c_str());
    const std::wstring kind = ClassOf(control);
    if (_wcsicmp(kind.c_str(), L"ScrollBar") == 0) {
        std::printf(" pos=%d", GetScrollPos(control, SB_CTL));
    } else if (_wcsicmp(kind.c_str(), L"Button") == 0 || kind == L"VelnorSquare") {
        // Option squares answer BM_GETCHECK like check boxes.
        const LRESULT check = SendMessageW(control, BM_GETCHECK, 0, 0);
        std::printf(kind == L"VelnorSquare" ? " selected=%ld" : " check=%ld",
                    static_cast<long>(check));
    } else if (_wcsicmp(kind.c_str(), L"ListBox") == 0) {
        std::printf(" count=%ld current=%ld",
                    static_cast<long>(SendMessageW(control, LB_GETCOUNT, 0, 0)),
                    static_cast<long>(SendMessageW(control, LB_GETCURSEL, 0, 0)));
    }
    std::printf("\n");
}

bool Read(HWND dialog) {
    RECT window{}, client{};
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    std::printf("window rect=%ld,%ld,%ld,%ld client=%ld,%ld origin=%ld,%ld\n", window.left,
                window.top, window.right - window.left, window.bottom - window.top, client.right,
                client.bottom, origin.x, origin.y);
#define VELNOR_PRINT(constant, id, name) \
    if (HWND c = ControlById(dialog, id)) PrintControl(dialog, name, c);
    VELNOR_CONTROL_LIST(VELNOR_PRINT)
#undef VELNOR_PRINT
    return true;
}

bool Click(HWND dialog, HWND control) {
    DWORD_PTR ignored = 0;
    const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    if (_wcsicmp(ClassOf(control).c_str(), L"Button") == 0 &&
        (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX)) {
        SendMessageTimeoutW(control, BM_CLICK, 0, 0, SMTO_BLOCK, 10000, &ignored);
    } else {
        SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                            reinterpret_cast<LPARAM>(control), SMTO_BLOCK, 10000, &ignored);
    }
    std::printf("clicked\n");
    return true;
}

bool Scroll(HWND control, WORD code, int value) {
    if (code == SB_THUMBPOSITION) SendMessageW(control, SBM_SETPOS, value, TRUE);
    SendScroll(control, code, value);
    std::printf("scrolled pos=%d\n", GetScrollPos(control, SB_CTL));
    return true;
}

bool WaitFor(bool present, int ms) {
    for (int waited = 0;; waited += 50) {
        HWND dialog = FindDialog();
        const bool shown = dialog && IsWindowVisible(dialog);
        if (shown == present) return true;
        if (waited >= ms) return false;
        Sleep(50);
    }
}

struct MessageSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK MatchMessageBox(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<MessageSearch*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || ClassOf(window) != L"#32770") return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK AppendStaticText(HWND child, LPARAM lParam) {
    if (_wcsicmp(ClassOf(child).c_str(), L"Static") == 0) {
        *reinterpret_cast<std::wstring*>(lParam) += TextOf(child);
    }
    return TRUE;
}

bool AnswerMessage(HWND dialog, int ms) {
    MessageSearch search{0, nullptr};
    GetWindowThreadProcessId(dialog, &search.process);
    for (int waited = 0; !search.found && waited <= ms; waited += 50) {
        EnumWindows(MatchMessageBox, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(50);
    }
    if (!search.found) {
        std::printf("no message\n");
        return false;
    }
    // The box can be found before its text is set: wait for the text as well.
    std::wstring text;
    for (int waited = 0; text.empty() && waited <= ms; waited += 50) {
        EnumChildWindows(search.found, AppendStaticText, reinterpret_cast<LPARAM>(&text));
        if (text.empty()) Sleep(50);
    }
    for (wchar_t& c : text) {
        if (c == L'\n' || c == L'\r') c = L' ';
    }
    std::printf("message: %s\n", Utf8(text).c_str());
    PostMessageW(search.found, WM_COMMAND, IDOK, 0);
    return true;
}

bool Wait(bool present, Words& words) {
    const bool ok = WaitFor(present, words.TakeNumberOr(20000));
    std::printf("%s\n", ok ? (present ? "found" : "gone") : (present ? "not found" : "still open"));
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const DriverCommand commands[] = {
        {L"wait", 0, false, [](HWND, Words& words) { return Wait(true, words); }},
        {L"gone", 0, false, [](HWND, Words& words) { return Wait(false, words); }},
        {L"read", 0, true, [](HWND dialog, Words&) { return Read(dialog); }},
        {L"close", 0, true,
         [](HWND dialog, Words&) {
             PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
             std::printf("closing\n");
             return true;
         }},
        {L"click", 1, true,
         [](HWND dialog, Words& words) {
             HWND control = ControlByName(dialog, words.Take());
             return control && Click(dialog, control);
         }},
        {L"message", 0, true,
         [](HWND dialog, Words& words) {
             return AnswerMessage(dialog, words.TakeNumberOr(10000));
         }},
        {L"scroll", 2, true,
         [](HWND dialog, Words& words) {
             HWND control = ControlByName(dialog, words.Take());
             const int value = words.TakeInt();
             return control && Scroll(control, SB_THUMBPOSITION, value);
         }},
        {L"arrow", 2, true,
         [](HWND dialog, Words& words) {
             HWND control = ControlByName(dialog, words.Take());
             const bool up = words.Take() == L"up";
             return control && Scroll(control, up ? SB_LINEUP : SB_LINEDOWN, 0);
         }},
    };
    return RunCommands(argc, argv, commands);
}
