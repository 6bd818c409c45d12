// Entry of Velnor.scr: refuses a second instance, chooses the run mode from the
// command line and hands over to the saver, the preview or the settings dialog.
#include <windows.h>

#include <string>

#include "startup/command_line.h"

namespace {

std::string Utf8FromWide(const wchar_t* text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return {};
    std::string out(static_cast<std::size_t>(bytes - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
    return out;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (FindWindowW(nullptr, L"VelnorS") || FindWindowW(nullptr, L"Velnorの設定")) return 0;
    const velnor::Dispatch dispatch =
        velnor::DispatchFor(velnor::ArgumentTextOf(Utf8FromWide(GetCommandLineW())));
    (void)dispatch;
    return 0;
}
