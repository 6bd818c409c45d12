// Entry of Velnor.scr: refuses a second instance, chooses the run mode from the
// command line and hands over to the saver, the preview or the settings dialog.
// Each process serves one mode and ends with it.
#include <windows.h>

#include "dialog/settings_dialog_win32.h"
#include "settings/file_system.h"
#include "settings/load_settings.h"
#include "settings/saver_settings.h"
#include "settings/settings_location.h"
#include "settings/wide_text_win32.h"
#include "startup/command_line.h"
#include "windows/preview_window_win32.h"
#include "windows/saver_session_win32.h"

namespace {

// The saver window or the settings dialog of another process is open. The wide functions
// match the titles whatever the system's code page is.
bool AnotherInstanceIsOpen() {
    return FindWindowW(nullptr, velnor::kSaverTitle) != nullptr ||
           FindWindowW(nullptr, velnor::kDialogTitle) != nullptr;
}

// Window handles have 32 significant bits; widened to 64 bits they are sign-extended, as
// the system itself does when a handle crosses from a 32-bit to a 64-bit process.
HWND HostWindowOf(const velnor::Dispatch& dispatch) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<LONG>(dispatch.hostWindow)));
}

// The window the dialog belongs to (/c:HWND from the screen-saver settings page): the
// top-level window of a handle that names an existing window, otherwise none.
HWND DialogOwnerOf(const velnor::Dispatch& dispatch) {
    HWND given = HostWindowOf(dispatch);
    if (given == nullptr || !IsWindow(given)) return nullptr;
    return GetAncestor(given, GA_ROOT);
}

// The saver's start: the cursor is hidden until the saver ends.
velnor::SaverStart StartSaver() {
    velnor::SaverStart start;
    start.cursorCount = ShowCursor(FALSE);
    return start;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using velnor::RunMode;
    if (AnotherInstanceIsOpen()) return 0;
    const velnor::Dispatch dispatch =
        velnor::DispatchFor(velnor::ArgumentTextOf(velnor::Utf8FromWide(GetCommandLineW())));
    if (dispatch.runMode == RunMode::preview) {
        return velnor::RunPreview(instance, HostWindowOf(dispatch));
    }

    // The settings record lives for the whole process; it is read once, here.
    velnor::SaverSettings settings;
    const velnor::SettingsLocation location = velnor::PlatformSettingsLocation();
    velnor::LoadSettings(settings, velnor::SettingsFileToRead(location),
                         *velnor::MakePlatformFileSystem(), *velnor::MakePlatformTextEncoding());

    if (dispatch.runMode == RunMode::configure) {
        velnor::RunSettingsDialog(instance, settings, location, DialogOwnerOf(dispatch));
        return 0;
    }
    if (dispatch.runMode != RunMode::saver) return 0;
    velnor::SaverSession session(instance, settings, StartSaver());
    session.Run();  // returns only when no saver window could be made
    return 0;
}
