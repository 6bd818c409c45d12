// Entry of Velnor.scr: refuses a second instance, chooses the run mode from the
// command line and hands over to the saver, the preview or the settings dialog.
// Each process serves one mode and ends with it.
#include <windows.h>

#include <string>

#include "startup/command_line.h"
#include "windows/preview_window_win32.h"

namespace {

std::string Utf8FromWide(const wchar_t* text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return {};
    std::string out(static_cast<std::size_t>(bytes - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
    return out;
}

// The saver window or the settings dialog of another process is open.
bool AnotherInstanceIsOpen() {
    return FindWindowW(nullptr, L"VelnorS") != nullptr ||
           FindWindowW(nullptr, L"Velnorの設定") != nullptr;
}

HWND HostWindowOf(const velnor::Dispatch& dispatch) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(dispatch.hostWindow));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (AnotherInstanceIsOpen()) return 0;
    const velnor::Dispatch dispatch =
        velnor::DispatchFor(velnor::ArgumentTextOf(Utf8FromWide(GetCommandLineW())));
    if (dispatch.runMode == velnor::RunMode::preview) {
        return velnor::RunPreview(instance, HostWindowOf(dispatch));
    }
    return 0;
}
