// RunSettingsDialog: makes the dialog and serves its messages until it is gone.
#include "dialog/settings_dialog_win32.h"

#include "dialog/dialog_window_win32.h"

namespace velnor {

void RunSettingsDialog(HINSTANCE instance, SaverSettings& settings,
                       const SettingsLocation& location, HWND owner) {
    SettingsDialog dialog(instance, settings, location);
    if (!dialog.Create(owner)) return;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab moves between the controls, Escape cancels.
        if (dialog.window() && IsDialogMessageW(dialog.window(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace velnor
