// Test helper: what the settings dialog "Velnorの設定" of another process offers the
// keyboard and the accessibility layer.
//   velnor_keys_driver.exe <command>...   commands run in order:
//     children           one line per child window, in the system's order:
//                        child name=<layout name> class=<c> style=<hex> code=<WM_GETDLGCODE hex>
//                        state=<BM_GETSTATE hex, buttons and squares; else -> text="<t>"
//     focus              focus=<layout name of the focused control | none>
//     watch <n> <ms>     prints focus=<name> now and after each change of the focus, until
//                        n lines are printed or ms have passed
//     redraw             the whole dialog painted again                          -> "redrawn"
// Exit code 2 when a step fails.
#include <windows.h>

#include <cstdio>
#include <string>

#include "dialog/control_ids.h"
#include "driver_common_win32.h"

namespace {

using namespace velnor::e2e;

std::string NameOf(HWND window) {
    if (!window) return "none";
    const std::string_view name = velnor::control_id::NameOf(GetDlgCtrlID(window));
    return name.empty() ? "window" : std::string(name);
}

LRESULT Ask(HWND window, UINT message) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, message, 0, 0, SMTO_BLOCK, 5000, &answer);
    return static_cast<LRESULT>(answer);
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    const std::wstring kind = ClassOf(child);
    const bool button = _wcsicmp(kind.c_str(), L"Button") == 0 || kind == L"VelnorSquare";
    std::printf("child name=%s class=%s style=%08lx code=%04lx state=", NameOf(child).c_str(),
                Utf8(kind).c_str(), static_cast<unsigned long>(GetWindowLongW(child, GWL_STYLE)),
                static_cast<unsigned long>(Ask(child, WM_GETDLGCODE)));
    if (button) {
        std::printf("%04lx", static_cast<unsigned long>(Ask(child, BM_GETSTATE)));
    } else {
        std::printf("-");
    }
    std::printf(" text=\"%s\"\n", Utf8(TextOf(child)).c_str());
    return TRUE;
}

HWND FocusOf(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

bool Watch(HWND dialog, int lines, int ms) {
    HWND shown = FocusOf(dialog);
    std::printf("focus=%s\n", NameOf(shown).c_str());
    int printed = 1;
    const DWORD start = GetTickCount();
    while (printed < lines && static_cast<int>(GetTickCount() - start) < ms && IsWindow(dialog)) {
        Sleep(5);
        HWND now = FocusOf(dialog);
        if (now == shown) continue;
        shown = now;
        std::printf("focus=%s\n", NameOf(now).c_str());
        std::fflush(stdout);
        ++printed;
    }
    return printed == lines;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const DriverCommand commands[] = {
        {L"children", 0, true,
         [](HWND dialog, Words&) {
             EnumChildWindows(dialog, PrintChild, 0);
             return true;
         }},
        {L"focus", 0, true,
         [](HWND dialog, Words&) {
             std::printf("focus=%s\n", NameOf(FocusOf(dialog)).c_str());
             return true;
         }},
        {L"redraw", 0, true,
         [](HWND dialog, Words&) {
             RedrawWindow(dialog, nullptr, nullptr,
                          RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
             Sleep(200);
             std::printf("redrawn\n");
             return true;
         }},
        {L"watch", 2, true,
         [](HWND dialog, Words& words) {
             const int lines = words.TakeInt();
             return Watch(dialog, lines, words.TakeInt());
         }},
    };
    return RunCommands(argc, argv, commands);
}
