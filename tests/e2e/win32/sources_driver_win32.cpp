// Test helper: drives the picture-source and colour controls of the settings dialog of
// another process, including the folder browser and the colour dialog that it opens.
//   velnor_sources_driver.exe <command>...   commands run in order:
//     post <name>            post WM_COMMAND BN_CLICKED (does not wait for modal dialogs)
//     browse <folder>        in the open folder browser select <folder> ("Z:\a\b"), OK
//     browse-cancel          press Cancel in the open folder browser
//     colour <row> <col>     in the open colour dialog click that basic colour, OK
//     colour-ok              press OK in the open colour dialog without picking a colour
//     colour-cancel          press Cancel in the open colour dialog
//     settled [ms]           wait until the folder browser or colour dialog has gone and
//                            the dialog has finished what it did after it -> "settled"
//     listed [ms]            wait until the listing has ended (no owned dialog, lbl_Kei
//                            equals the number of lines)          -> "listed <n>"
//     lines                  one "line=<text>" per line of List_1
//     select <index>         select a line of List_1 as a click does -> "selected"
//     show <name>            "name=<n> enabled= visible= rect=<x>,<y>,<w>,<h> screen=<x>,<y>
//                            text=", rect in its parent, screen = top-left on the screen
//     track <name> <value>   one step of a thumb drag: SB_THUMBTRACK, no end
//     release <name> <value> the end of a thumb drag: SB_THUMBPOSITION, then SB_ENDSCROLL
//     attrib <path> <value>  SetFileAttributesW                     -> "attrib <ok|failed>"
//     shellpath <path>       the folder browser's conversion of the shell item of <path>
//                            back to a path -> "shellpath <characters> <path as UTF-8>"
//     watch <lines> <ms>     once lbl_Kei has changed (the listing began), ask the dialog (WM_NULL)
//                            every 100 ms until List_1 holds <lines> lines -> "watched
//                            lines=<n> after=<ms> slowest=<ms> slowest_at=<ms>
//                            lines_then=<n> browser=<ms the browser took to go>"
//     tooltip                the dialog's visible tooltip -> "tooltip width=<px>" or
//                            "no tooltip"
//     message                the open owned message box -> "message icon=<0|1> text=<text>"
//     message-ok [ms]        press OK in it, waiting for it up to [ms] (20000)
//     sleep <ms>
// Scroll messages go as WM_VSCROLL or WM_HSCROLL by the bar's direction. Exit code 2 when
// a step fails.
#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "driver_common_win32.h"
#include "owned_dialogs_win32.h"
#include "settings/wide_text_win32.h"
#include "ui/system_dialogs_win32.h"

namespace {

using namespace velnor::e2e;

bool Listed(HWND dialog, int ms) {
    HWND list = ControlByName(dialog, L"List_1");
    HWND count = ControlByName(dialog, L"lbl_Kei");
    for (int waited = 0; waited <= ms; waited += 50) {
        DWORD_PTR lines = 0;
        SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_BLOCK, 5000, &lines);
        if (!OwnedDialog(dialog, 0) && TextOf(count) == std::to_wstring(lines)) {
            std::printf("listed %lu\n", static_cast<unsigned long>(lines));
            return true;
        }
        Sleep(50);
    }
    std::printf("still listing\n");
    return false;
}

void Lines(HWND dialog) {
    HWND list = ControlByName(dialog, L"List_1");
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t line[1024] = L"";
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < 1023) {
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
        }
        std::printf("line=%s\n", Utf8(line).c_str());
    }
}

bool Select(HWND dialog, int index) {
    HWND list = ControlByName(dialog, L"List_1");
    if (!list) return false;
    SendMessageW(list, LB_SETCURSEL, index, 0);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(list), SMTO_BLOCK, 20000, &ignored);
    std::printf("selected\n");
    return true;
}

bool Show(HWND dialog, const std::wstring& name) {
    HWND control = ControlByName(dialog, name);
    if (!control) return false;
    RECT rect{};
    GetWindowRect(control, &rect);
    const POINT screen{rect.left, rect.top};
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    std::printf("name=%s enabled=%d visible=%d rect=%ld,%ld,%ld,%ld screen=%ld,%ld text=\"%s\"\n",
                Utf8(name).c_str(), IsWindowEnabled(control) ? 1 : 0,
                IsWindowVisible(control) ? 1 : 0, rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top, screen.x, screen.y, Utf8(TextOf(control)).c_str());
    return true;
}

bool Settled(HWND dialog, int ms) {
    for (int waited = 0; waited <= ms; waited += 50) {
        if (!OwnedDialog(dialog, 0)) {
            // Answered only once the handler that opened the box has returned.
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_BLOCK, 20000, &ignored);
            std::printf("settled\n");
            return true;
        }
        Sleep(50);
    }
    std::printf("still open\n");
    return false;
}

// How long the dialog takes to answer while it lists a folder, until the list is filled.
bool Watch(HWND dialog, int lines, int ms) {
    HWND list = ControlByName(dialog, L"List_1");
    // From when the listing shows its first count: what the system's folder browser does
    // before it returns the folder (it reads the folder too) is not the dialog's.
    HWND counter = ControlByName(dialog, L"lbl_Kei");
    const std::wstring before = TextOf(counter);
    const ULONGLONG pressed = GetTickCount64();
    while (TextOf(counter) == before && GetTickCount64() - pressed < 30000) Sleep(10);
    const ULONGLONG start = GetTickCount64();
    ULONGLONG slowest = 0, slowestAt = 0;
    DWORD_PTR count = 0, linesThen = 0;
    while (GetTickCount64() - start <= static_cast<ULONGLONG>(ms)) {
        const ULONGLONG asked = GetTickCount64();
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_BLOCK, 30000, &ignored);
        const ULONGLONG took = GetTickCount64() - asked;
        SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_BLOCK, 30000, &count);
        if (took > slowest) {
            slowest = took;
            slowestAt = asked - start;
            linesThen = count;
        }
        if (count == static_cast<DWORD_PTR>(lines)) break;
        Sleep(100);
    }
    std::printf(
        "watched lines=%lu after=%llu slowest=%llu slowest_at=%llu lines_then=%lu browser=%llu\n",
        static_cast<unsigned long>(count), GetTickCount64() - start, slowest, slowestAt,
        static_cast<unsigned long>(linesThen), start - pressed);
    return count == static_cast<DWORD_PTR>(lines);
}

// The width of the tooltip the dialog shows (its text is in the dialog's process).
bool Tooltip(HWND dialog) {
    const HWND tooltip = OwnedWindow(dialog, L"tooltips_class32");
    if (!tooltip) {
        std::printf("no tooltip\n");
        return false;
    }
    RECT rect{};
    GetWindowRect(tooltip, &rect);
    std::printf("tooltip width=%ld\n", rect.right - rect.left);
    return true;
}

// The text and icon of the message box the dialog shows.
bool Message(HWND dialog) {
    HWND box = OwnedDialog(dialog, 20000);
    if (!box) {
        std::printf("no message\n");
        return false;
    }
    bool icon = false;
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[32] = L"";
        GetClassNameW(child, className, 32);
        if (lstrcmpiW(className, L"Static") != 0) continue;
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            icon = true;
        } else if (!TextOf(child).empty()) {
            text = TextOf(child);
        }
    }
    for (wchar_t& c : text) {
        if (c == L'\n' || c == L'\r') c = L' ';
    }
    std::printf("message icon=%d text=%s\n", icon ? 1 : 0, Utf8(text).c_str());
    return true;
}

bool Cancel(HWND dialog) {
    const bool ok = PressInOwned(dialog, IDCANCEL);
    std::printf("cancelled\n");
    return ok;
}

// A step (SB_THUMBTRACK) or the end (SB_THUMBPOSITION and SB_ENDSCROLL) of a thumb drag
// to <value>, as the bar reports them while the mouse holds its thumb.
bool Drag(HWND dialog, Words& words, WORD code, const char* done) {
    HWND bar = ControlByName(dialog, words.Take());
    const int value = words.TakeInt();
    if (!bar) return false;
    SendScroll(bar, code, value);
    if (code == SB_THUMBPOSITION) SendScroll(bar, SB_ENDSCROLL, 0);
    std::printf("%s\n", done);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const DriverCommand commands[] = {
        {L"attrib", 2, false,
         [](HWND, Words& words) {
             const std::wstring path = words.Take();
             const bool ok =
                 SetFileAttributesW(path.c_str(), static_cast<DWORD>(words.TakeInt())) != 0;
             std::printf("attrib %s\n", ok ? "ok" : "failed");
             return ok;
         }},
        {L"shellpath", 1, false,
         [](HWND, Words& words) {
             PIDLIST_ABSOLUTE item = nullptr;
             if (FAILED(SHParseDisplayName(words.Take().c_str(), nullptr, &item, 0, nullptr))) {
                 std::printf("shellpath none\n");
                 return false;
             }
             const std::optional<std::wstring> path = velnor::FileSystemPathOf(item);
             CoTaskMemFree(item);
             const std::wstring shown = path.value_or(L"");
             std::printf("shellpath %zu %s\n", shown.size(), velnor::Utf8FromWide(shown).c_str());
             return path.has_value();
         }},
        {L"browse", 1, true,
         [](HWND dialog, Words& words) { return Browse(dialog, words.Take()); }},
        {L"browse-cancel", 0, true, [](HWND dialog, Words&) { return Cancel(dialog); }},
        {L"colour-cancel", 0, true, [](HWND dialog, Words&) { return Cancel(dialog); }},
        {L"colour-ok", 0, true,
         [](HWND dialog, Words&) {
             const bool ok = PressInOwned(dialog, IDOK);
             std::printf("pressed ok\n");
             return ok;
         }},
        {L"colour", 2, true,
         [](HWND dialog, Words& words) {
             const int row = words.TakeInt();
             return ChooseColour(dialog, row, words.TakeInt());
         }},
        {L"settled", 0, true,
         [](HWND dialog, Words& words) { return Settled(dialog, words.TakeNumberOr(20000)); }},
        {L"listed", 0, true,
         [](HWND dialog, Words& words) { return Listed(dialog, words.TakeNumberOr(20000)); }},
        {L"lines", 0, true,
         [](HWND dialog, Words&) {
             Lines(dialog);
             return true;
         }},
        {L"select", 1, true,
         [](HWND dialog, Words& words) { return Select(dialog, words.TakeInt()); }},
        {L"track", 2, true,
         [](HWND dialog, Words& words) { return Drag(dialog, words, SB_THUMBTRACK, "tracked"); }},
        {L"release", 2, true,
         [](HWND dialog, Words& words) {
             return Drag(dialog, words, SB_THUMBPOSITION, "released");
         }},
        {L"show", 1, true, [](HWND dialog, Words& words) { return Show(dialog, words.Take()); }},
        {L"watch", 2, true,
         [](HWND dialog, Words& words) {
             const int lines = words.TakeInt();
             return Watch(dialog, lines, words.TakeInt());
         }},
        {L"message", 0, true, [](HWND dialog, Words&) { return Message(dialog); }},
        {L"tooltip", 0, true, [](HWND dialog, Words&) { return Tooltip(dialog); }},
        {L"message-ok", 0, true,
         [](HWND dialog, Words& words) {
             HWND box = OwnedDialog(dialog, words.TakeNumberOr(20000));
             if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
             std::printf(box ? "pressed ok\n" : "no message\n");
             return box != nullptr;
         }},
    };
    return RunCommands(argc, argv, commands);
}
