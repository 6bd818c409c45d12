// Test helper: plays the display-settings page that hosts a saver preview or opens its
// settings. It opens a window with a magenta preview pane, prints the pane's handle
// (decimal) on stdout and can describe the child window put into the pane, destroy the
// pane, or end, after a delay, so the end-to-end tests can watch the preview react.
//   velnor_test_host.exe [--pane WxH] [--report-after MS] [--destroy-pane-after MS]
//                        [--exit-after MS] [--no-pane 1]
// The report line: child class=<name> caption="<text>" size=<w>x<h> visible=<0|1>, or
// "no child". (Wine does not show a child window of another process on the screen, nor
// draw it for PrintWindow across processes, so the window tree is what can be checked.)
// With --no-pane 1 the host window's own handle is printed instead. Whenever the host
// window is disabled or enabled it prints "disabled owns=<classes of the windows it
// owns>" or "enabled", so a test can watch a dialog that a settings run ties to it.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>

namespace {

constexpr UINT_PTR kDestroyPaneTimer = 1;
constexpr UINT_PTR kExitTimer = 2;
constexpr UINT_PTR kReportTimer = 3;
constexpr COLORREF kPaneColour = RGB(255, 0, 255);

struct Options {
    int paneWidth = 152;
    int paneHeight = 112;
    UINT destroyPaneAfterMs = 0;
    UINT exitAfterMs = 0;
    UINT reportAfterMs = 0;
    bool noPane = false;
};

Options ParseOptions(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::wcscmp(argv[i], L"--pane") == 0) {
            std::swscanf(argv[i + 1], L"%dx%d", &options.paneWidth, &options.paneHeight);
        } else if (std::wcscmp(argv[i], L"--destroy-pane-after") == 0) {
            options.destroyPaneAfterMs = static_cast<UINT>(_wtoi(argv[i + 1]));
        } else if (std::wcscmp(argv[i], L"--report-after") == 0) {
            options.reportAfterMs = static_cast<UINT>(_wtoi(argv[i + 1]));
        } else if (std::wcscmp(argv[i], L"--exit-after") == 0) {
            options.exitAfterMs = static_cast<UINT>(_wtoi(argv[i + 1]));
        } else if (std::wcscmp(argv[i], L"--no-pane") == 0) {
            options.noPane = _wtoi(argv[i + 1]) != 0;
        }
    }
    return options;
}

HWND pane = nullptr;

// Adds the class name of each top-level window that `lParam` (the host) owns.
BOOL CALLBACK AddOwnedClass(HWND window, LPARAM lParam) {
    auto* owner = reinterpret_cast<std::pair<HWND, std::wstring>*>(lParam);
    if (GetWindow(window, GW_OWNER) != owner->first) return TRUE;
    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    if (!owner->second.empty()) owner->second += L",";
    owner->second += className;
    return TRUE;
}

void ReportEnabled(HWND host, bool enabled) {
    if (enabled) {
        std::printf("enabled\n");
    } else {
        std::pair<HWND, std::wstring> owned{host, L""};
        EnumWindows(AddOwnedClass, reinterpret_cast<LPARAM>(&owned));
        std::printf("disabled owns=%ls\n", owned.second.c_str());
    }
    std::fflush(stdout);
}

void ReportChild() {
    HWND child = pane ? GetWindow(pane, GW_CHILD) : nullptr;
    if (!child) {
        std::printf("no child\n");
        std::fflush(stdout);
        return;
    }
    wchar_t className[64] = L"", caption[64] = L"";
    GetClassNameW(child, className, 64);
    GetWindowTextW(child, caption, 64);
    RECT rect{};
    GetClientRect(child, &rect);
    std::printf("child class=%ls caption=\"%ls\" size=%ldx%ld visible=%d\n", className, caption,
                rect.right, rect.bottom, IsWindowVisible(child) ? 1 : 0);
    std::fflush(stdout);
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kDestroyPaneTimer) {
                KillTimer(window, kDestroyPaneTimer);
                if (pane) DestroyWindow(pane);
                pane = nullptr;
                std::printf("pane destroyed\n");
                std::fflush(stdout);
            } else if (wParam == kReportTimer) {
                KillTimer(window, kReportTimer);
                ReportChild();
            } else if (wParam == kExitTimer) {
                DestroyWindow(window);
            }
            return 0;
        case WM_ENABLE:
            ReportEnabled(window, wParam != 0);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool RegisterClasses(HINSTANCE instance) {
    WNDCLASSW host{};
    host.lpfnWndProc = HostProc;
    host.hInstance = instance;
    host.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    host.lpszClassName = L"VelnorTestHost";
    WNDCLASSW paneClass{};
    paneClass.lpfnWndProc = DefWindowProcW;
    paneClass.hInstance = instance;
    paneClass.hbrBackground = CreateSolidBrush(kPaneColour);
    paneClass.lpszClassName = L"VelnorTestPane";
    return RegisterClassW(&host) && RegisterClassW(&paneClass);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const Options options = ParseOptions(argc, argv);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterClasses(instance)) return 1;
    HWND host = CreateWindowExW(
        0, L"VelnorTestHost", L"Velnor Test Host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
        options.paneWidth + 40, options.paneHeight + 40, nullptr, nullptr, instance, nullptr);
    if (!options.noPane) {
        pane = CreateWindowExW(0, L"VelnorTestPane", L"Velnor Test Pane",
                               WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, options.paneWidth,
                               options.paneHeight, host, nullptr, instance, nullptr);
    }
    if (!host || (!pane && !options.noPane)) return 1;
    HWND printed = options.noPane ? host : pane;
    std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(printed)));
    std::fflush(stdout);
    if (options.destroyPaneAfterMs)
        SetTimer(host, kDestroyPaneTimer, options.destroyPaneAfterMs, nullptr);
    if (options.reportAfterMs) SetTimer(host, kReportTimer, options.reportAfterMs, nullptr);
    if (options.exitAfterMs) SetTimer(host, kExitTimer, options.exitAfterMs, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
