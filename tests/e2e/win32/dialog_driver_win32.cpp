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

namespace {

constexpr wchar_t kTitle[] = L"Velnorの設定";

std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes > 0 ? bytes - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, out.data(), bytes, nullptr, nullptr);
    return out;
}

HWND Dialog() {
    return FindWindowW(nullptr, kTitle);
}

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    if (GetDlgCtrlID(window) != search->id) return TRUE;
    search->found = window;
    return FALSE;
}

HWND ControlById(HWND dialog, int id) {
    Search search{id, nullptr};
    EnumChildWindows(dialog, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000,
                        nullptr);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

// name=<n> enabled=<0|1> rect=<x>,<y>,<w>,<h> text="<t>" and, by kind, pos=, check=,
// selected= (option squares) or count= (list box). Rectangles are in the dialog's client
// coordinates.
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
    } else if (_wcsicmp(kind.c_str(), L"Button") == 0) {
        std::printf(" check=%ld", static_cast<long>(SendMessageW(control, BM_GETCHECK, 0, 0)));
    } else if (_wcsicmp(kind.c_str(), L"ListBox") == 0) {
        std::printf(" count=%ld", static_cast<long>(SendMessageW(control, LB_GETCOUNT, 0, 0)));
    } else if (kind == L"VelnorSquare") {
        std::printf(" selected=%ld", static_cast<long>(GetWindowLongPtrW(control, GWLP_USERDATA)));
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

HWND Named(HWND dialog, const wchar_t* name) {
    const int id = velnor::control_id::ByName(Utf8(name));
    HWND control = id ? ControlById(dialog, id) : nullptr;
    if (!control) std::printf("no control %s\n", Utf8(name).c_str());
    return control;
}

bool Click(HWND dialog, HWND control) {
    DWORD_PTR ignored = 0;
    if (_wcsicmp(ClassOf(control).c_str(), L"Button") == 0 &&
        (GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
        SendMessageTimeoutW(control, BM_CLICK, 0, 0, SMTO_BLOCK, 10000, &ignored);
    } else {
        SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                            reinterpret_cast<LPARAM>(control), SMTO_BLOCK, 10000, &ignored);
    }
    std::printf("clicked\n");
    return true;
}

bool Scroll(HWND control, WORD code, int value) {
    const bool vertical = (GetWindowLongPtrW(control, GWL_STYLE) & SBS_VERT) != 0;
    DWORD_PTR ignored = 0;
    if (code == SB_THUMBPOSITION) SendMessageW(control, SBM_SETPOS, value, TRUE);
    SendMessageTimeoutW(GetParent(control), vertical ? WM_VSCROLL : WM_HSCROLL,
                        MAKEWPARAM(code, static_cast<WORD>(value)),
                        reinterpret_cast<LPARAM>(control), SMTO_BLOCK, 10000, &ignored);
    std::printf("scrolled pos=%d\n", GetScrollPos(control, SB_CTL));
    return true;
}

bool WaitFor(bool present, int ms) {
    for (int waited = 0;; waited += 50) {
        HWND dialog = Dialog();
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
    std::wstring text;
    EnumChildWindows(search.found, AppendStaticText, reinterpret_cast<LPARAM>(&text));
    for (wchar_t& c : text) {
        if (c == L'\n' || c == L'\r') c = L' ';
    }
    std::printf("message: %s\n", Utf8(text).c_str());
    PostMessageW(search.found, WM_COMMAND, IDOK, 0);
    return true;
}

bool IsNumber(const wchar_t* text) {
    return text && *text && std::wcsspn(text, L"-0123456789") == std::wcslen(text);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring command = argv[i];
        const wchar_t* next = i + 1 < argc ? argv[i + 1] : nullptr;
        bool ok = true;
        if (command == L"wait" || command == L"gone") {
            const int ms = IsNumber(next) ? _wtoi(argv[++i]) : 20000;
            const bool present = command == L"wait";
            ok = WaitFor(present, ms);
            std::printf("%s\n",
                        ok ? (present ? "found" : "gone") : (present ? "not found" : "still open"));
        } else if (command == L"sleep" && next) {
            Sleep(static_cast<DWORD>(_wtoi(argv[++i])));
        } else if (HWND dialog = Dialog(); !dialog) {
            std::printf("no dialog\n");
            ok = false;
        } else if (command == L"read") {
            ok = Read(dialog);
        } else if (command == L"close") {
            PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            std::printf("closing\n");
        } else if (command == L"click" && next) {
            HWND control = Named(dialog, argv[++i]);
            ok = control && Click(dialog, control);
        } else if (command == L"post" && next) {
            HWND control = Named(dialog, argv[++i]);
            if (control) {
                PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                             reinterpret_cast<LPARAM>(control));
                std::printf("posted\n");
            }
            ok = control != nullptr;
        } else if (command == L"message") {
            ok = AnswerMessage(dialog, IsNumber(next) ? _wtoi(argv[++i]) : 10000);
        } else if (command == L"scroll" && next && i + 2 < argc) {
            HWND control = Named(dialog, argv[++i]);
            const int value = _wtoi(argv[++i]);
            ok = control && Scroll(control, SB_THUMBPOSITION, value);
        } else if (command == L"arrow" && next && i + 2 < argc) {
            HWND control = Named(dialog, argv[++i]);
            const bool up = std::wcscmp(argv[++i], L"up") == 0;
            ok = control && Scroll(control, up ? SB_LINEUP : SB_LINEDOWN, 0);
        } else {
            std::printf("unknown command %s\n", Utf8(command).c_str());
            ok = false;
        }
        std::fflush(stdout);
        if (!ok) return 2;
    }
    return 0;
}
