// Test driver of the installer's and uninstaller's pages: finds their window by a part of
// its title, measures whether each page's texts fit their controls, sums up its pictures,
// and goes from page to page as the buttons do. Commands, run in order:
//   wait <title part> <ms>    the top-level dialog whose title holds the text -> "found"
//   measure                   "fits|CLIPPED kind= need=<w>x<h> have=<w>x<h> text=" per text
//                             and "picture size=<w>x<h> cells=..." per bitmap control of
//                             the window and its page, then "measured <n>" (lines)
//   next <ms>                 the Next/Install/Uninstall button (ID 1), then a new page -> "page"
//   await-enabled <id> <ms>   the button <id> enabled -> "enabled"
//   check <ms>                waits for a page with one check box (the finish page) and
//                             ticks it as a click does -> "checked"
//   close <ms>                button ID 1, then the window gone -> "gone"
// plus the common sleep. Exit code 2 at the first step that fails.
#include <windows.h>

#include <cstdio>
#include <string>

#include "driver_common_win32.h"

namespace {

using velnor::e2e::ClassOf;
using velnor::e2e::ControlById;
using velnor::e2e::TextOf;
using velnor::e2e::Words;

// The window being driven and the page last seen in it.
struct Pages {
    HWND window = nullptr;
    HWND page = nullptr;
};

HWND CurrentPage(HWND window) {
    return FindWindowExW(window, nullptr, L"#32770", nullptr);
}

// Polls `done` every 100 ms for at most `ms`.
template <typename Done>
bool WaitFor(int ms, Done done) {
    for (int waited = 0;; waited += 100) {
        if (done()) return true;
        if (waited >= ms) return false;
        Sleep(100);
    }
}

HWND FindByTitlePart(const std::wstring& part) {
    struct Search {
        const std::wstring* part;
        HWND found;
    } search{&part, nullptr};
    EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            if (!IsWindowVisible(window) || ClassOf(window) != L"#32770") return TRUE;
            if (TextOf(window).find(*s->part) == std::wstring::npos) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The report that velnor_page_fit.dll sends back (WM_COPYDATA) to this window.
LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcW(window, message, wParam, lParam);
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    auto* report = reinterpret_cast<std::string*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (copy->cbData > 0) report->assign(static_cast<const char*>(copy->lpData), copy->cbData - 1);
    return TRUE;
}

// Measures in the installer's process: velnor_page_fit.dll's hook on the thread of the
// window, a request posted to the window, the report awaited for at most 10 s.
bool MeasureInItsProcess(HWND target, std::string& report) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dll(path, length);
    dll = dll.substr(0, dll.find_last_of(L'\\') + 1) + L"velnor_page_fit.dll";
    HMODULE module = LoadLibraryW(dll.c_str());
    const auto hook = module ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(
                                   GetProcAddress(module, "VelnorPageFitHook")))
                             : nullptr;
    if (!hook) return false;
    const WNDCLASSW reply_class{0,       ReplyProc, 0,       0,       GetModuleHandleW(nullptr),
                                nullptr, nullptr,   nullptr, nullptr, L"VelnorPageFitReply"};
    RegisterClassW(&reply_class);
    HWND reply = CreateWindowExW(0, reply_class.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                 nullptr, reply_class.hInstance, nullptr);
    SetWindowLongPtrW(reply, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&report));
    HHOOK installed =
        SetWindowsHookExW(WH_GETMESSAGE, hook, module, GetWindowThreadProcessId(target, nullptr));
    const bool answered = installed &&
                          PostMessageW(target, RegisterWindowMessageW(L"VelnorPageFitMeasure"),
                                       reinterpret_cast<WPARAM>(reply), 0) &&
                          WaitFor(10000, [&] {
                              MSG msg;
                              while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                                  DispatchMessageW(&msg);
                              return !report.empty();
                          });
    if (installed) UnhookWindowsHookEx(installed);
    DestroyWindow(reply);
    return answered;
}

bool Measure(const Pages& pages) {
    std::string report;
    if (!MeasureInItsProcess(pages.window, report)) {
        std::printf("no measurement\n");
        return false;
    }
    int count = 0;
    for (char c : report) count += c == '\n';
    std::printf("%smeasured %d\n", report.c_str(), count);
    return count > 0;
}

bool AwaitPage(Pages& pages, int ms) {
    const HWND before = pages.page;
    const bool changed = WaitFor(ms, [&] {
        const HWND page = CurrentPage(pages.window);
        return page && page != before && IsWindowVisible(page);
    });
    pages.page = CurrentPage(pages.window);
    if (changed) std::printf("page\n");
    return changed;
}

bool ClickNext(const Pages& pages) {
    HWND next = GetDlgItem(pages.window, IDOK);
    return next && IsWindowEnabled(next) && velnor::e2e::PostClick(pages.window, next);
}

// The page's one visible check box, or nullptr when it has none or several.
HWND OnlyCheckBox(HWND window) {
    struct Search {
        int count;
        HWND found;
    } search{0, nullptr};
    EnumChildWindows(
        window,
        [](HWND control, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
            if (ClassOf(control) == L"Button" && IsWindowVisible(control) &&
                (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX)) {
                ++s->count;
                s->found = control;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count == 1 ? search.found : nullptr;
}

bool Check(Pages& pages, int ms) {
    HWND box = nullptr;
    if (!WaitFor(ms, [&] { return (box = OnlyCheckBox(pages.window)) != nullptr; })) return false;
    pages.page = CurrentPage(pages.window);
    // The box is ticked and its page told, as a click on it does.
    SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    velnor::e2e::PostClick(GetParent(box), box);
    Sleep(200);
    const bool checked = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (checked) std::printf("checked\n");
    return checked;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Pages pages;
    const auto found = [&pages] {
        if (!pages.window || !IsWindow(pages.window)) std::printf("no window\n");
        return pages.window && IsWindow(pages.window);
    };
    const velnor::e2e::DriverCommand commands[] = {
        {L"wait", 2, false,
         [&](HWND, Words& words) {
             const std::wstring part = words.Take();
             const int ms = words.TakeInt();
             if (!WaitFor(ms, [&] { return (pages.window = FindByTitlePart(part)) != nullptr; })) {
                 return found();
             }
             pages.page = CurrentPage(pages.window);
             std::printf("found\n");
             return true;
         }},
        {L"measure", 0, false, [&](HWND, Words&) { return found() && Measure(pages); }},
        {L"next", 1, false,
         [&](HWND, Words& words) {
             const int ms = words.TakeInt();
             return found() && ClickNext(pages) && AwaitPage(pages, ms);
         }},
        {L"await-enabled", 2, false,
         [&](HWND, Words& words) {
             const int id = words.TakeInt();
             const int ms = words.TakeInt();
             if (!found()) return false;
             const bool enabled = WaitFor(ms, [&] {
                 HWND button = ControlById(pages.window, id);
                 return button && IsWindowEnabled(button);
             });
             if (enabled) std::printf("enabled\n");
             return enabled;
         }},
        {L"check", 1, false,
         [&](HWND, Words& words) { return found() && Check(pages, words.TakeInt()); }},
        {L"close", 1, false,
         [&](HWND, Words& words) {
             const int ms = words.TakeInt();
             if (!found() || !ClickNext(pages)) return false;
             const bool gone = WaitFor(ms, [&] { return !IsWindow(pages.window); });
             if (gone) std::printf("gone\n");
             return gone;
         }},
    };
    return velnor::e2e::RunCommands(argc, argv, commands);
}
