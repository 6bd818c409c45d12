// Entry of the configure mode: the settings dialog "Velnorの設定" (Velnor_P).
// The program's entry calls RunSettingsDialog after LoadSettings has filled the record;
// it returns once the dialog is gone (any button or the close box), and the entry then
// ends the process. Only the dialog's "設定" and "初期設定" buttons write the settings.
#pragma once

#include <windows.h>

namespace velnor {

// The dialog's title; the program's entry also looks for it to refuse a second instance.
inline constexpr wchar_t kDialogTitle[] = L"Velnorの設定";

struct SaverSettings;
struct SettingsLocation;

// Shows the dialog modally and pumps its messages until it closes. With an `owner` (a
// top-level window, from /c:HWND) the dialog belongs to it and the owner is disabled
// while the dialog is open. `settings` is what the dialog shows when it opens (it edits
// a copy of its own); `location` says where the settings file is read from and written
// to (with the per-user fallback). Must be called on the process's only user-interface
// thread.
void RunSettingsDialog(HINSTANCE instance, SaverSettings& settings,
                       const SettingsLocation& location, HWND owner = nullptr);

}  // namespace velnor
