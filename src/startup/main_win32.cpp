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
    return FindWindowW(nullptr, L"VelnorS") != nullptr ||
           FindWindowW(nullptr, velnor::kDialogTitle) != nullptr;
}

HWND HostWindowOf(const velnor::Dispatch& dispatch) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(dispatch.hostWindow));
}

// The saver's start: the cursor is hidden only with the mode letter "S"; without any
// argument text mouse movement does not end it.
velnor::SaverStart StartSaver(const velnor::Dispatch& dispatch) {
    velnor::SaverStart start;
    start.movementEnds = !dispatch.argumentText.empty();
    if (dispatch.runMode == velnor::RunMode::saver) {
        start.restoreCursor = true;
        start.cursorCount = ShowCursor(FALSE);
    }
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
        // A handle after the letter (/c:5678) is ignored: the dialog has no owner.
        velnor::RunSettingsDialog(instance, settings, location);
        return 0;
    }
    if (dispatch.runMode != RunMode::saver && dispatch.runMode != RunMode::saverWithoutSwitch) {
        return 0;
    }
    velnor::SaverSession session(instance, settings, StartSaver(dispatch));
    session.Run();  // returns only when no saver window could be made
    return 0;
}
