// The dialog's window: creation on the monitor under the mouse, the load (the model fills
// the controls between the view's own first and last steps), the saving buttons, closing
// with the zoom back to where it opened, and RunSettingsDialog's message loop.
#include <windows.h>

#include "dialog/control_ids.h"
#include "dialog/dialog_window_win32.h"
#include "dialog/settings_dialog_win32.h"
#include "resources/resource_ids.h"
#include "settings/wide_text_win32.h"
#include "ui/control_helpers_win32.h"
#include "ui/resources_win32.h"
#include "ui/system_dialogs_win32.h"

namespace velnor {

// The window size whose client area is exactly the content at the dialog's DPI.
SIZE SettingsDialog::OuterSize() const {
    const PixelSize content = DialogContentSize(dpi_);
    return OuterSizeForClient(window_, content.width, content.height, dpi_);
}

SettingsDialog::SettingsDialog(HINSTANCE instance, const SettingsLocation& location)
    : instance_(instance),
      fileSystem_(MakePlatformFileSystem()),
      textEncoding_(MakePlatformTextEncoding()),
      location_(location),
      model_(
          *fileSystem_, [this](unsigned changes) { OnModelChange(changes); },
          DateReading{PictureDate, [this] { return ServeWhileReadingDates(); }}) {
    // A save killed in an earlier run may have left its temporary files.
    RemoveLeftoversOfEarlierSaves(location_);
}

// A folder stored in short (8.3) form by an earlier version is shown by its real name.
void SettingsDialog::ShowLongFolderName(const std::string& stored) {
    if (stored.find('~') == std::string::npos) return;  // every short name has one
    if (const std::optional<std::wstring> longPath = LongPathOf(WideFromUtf8(stored))) {
        model_.ShowLoadedFolderAs(Utf8FromWide(*longPath));
    }
}

bool SettingsDialog::Create(const SaverSettings& settings, HWND owner) {
    if (!RegisterDialogClasses(instance_)) return false;
    if (auto texture = LoadBitmapSurface(instance_, IDB_PANEL_TEXTURE)) texture_ = *texture;
    // Made on the monitor under the mouse, so the controls get that monitor's DPI; the
    // dialog is centred on that whole screen, not on the part a task bar leaves free.
    const RECT screen = ScreenUnderMouse();
    CreateWindowExW(WS_EX_CONTROLPARENT, kDialogClass, kDialogTitle,
                    WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, screen.left,
                    screen.top, 100, 100, owner, nullptr, instance_, this);
    if (!window_) return false;
    HICON icon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_VELNOR));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    dpi_ = DpiOf(window_);
    if (!CreateControls()) {
        DestroyWindow(window_);
        return false;
    }
    CentreOn(window_, OuterSize(), ScreenUnderMouse());
    MakeKeys();
    model_.Load(settings);
    ShowLongFolderName(settings.pictureFolder);
    owner_ = owner;
    if (owner_) EnableWindow(owner_, FALSE);
    // Zoom open from the mouse, which the closing zoom returns to.
    zoomOrigin_ = ZoomOriginFromCursor();
    ZoomFromPoint(window_, zoomOrigin_);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
    // Activation gives the first control the focus; where the window was not activated
    // (another program is in front) it gets it all the same.
    if (!IsChild(window_, GetFocus())) RestoreFocus();
    Tell(model_.NoticeAfter(FolderChoice::kListed));  // more pictures than the list holds
    model_.ShowLoadedListInOrder();
    return true;
}

void SettingsDialog::OnModelChange(unsigned changes) {
    if (changes & kListChanged) {
        FillListBox(Control(control_id::kPictureList), model_.listLines());
        if (const std::optional<std::size_t> line = model_.selectedLine()) {
            SendMessageW(Control(control_id::kPictureList), LB_SETCURSEL, *line, 0);
        }
    }
    if (changes & kControlsChanged) ShowControls();
    if (changes & kPreviewChanged) RedrawPreview();
}

// "設定" and "初期設定" write what the model gives; a user whose settings could not be
// saved anywhere is told so, and the dialog then closes as after a save.
void SettingsDialog::Save(int buttonId) {
    if (!WriteSettingsEntries(model_.EntriesToWrite(buttonId), location_, *textEncoding_)) {
        Tell(Notice{std::string(kSaveFailedText), NoticeKind::kWarning});
    }
    CloseDialog();
}

void SettingsDialog::CloseDialog() {
    if (unloading_) return;
    unloading_ = true;
    ZoomToPoint(window_, zoomOrigin_);
    // The owner comes back before the dialog goes, so the system activates it.
    if (owner_) EnableWindow(owner_, TRUE);
    DestroyWindow(window_);
}

void RunSettingsDialog(HINSTANCE instance, SaverSettings& settings,
                       const SettingsLocation& location, HWND owner) {
    SettingsDialog dialog(instance, location);
    // Tab and the arrows move between the controls, Enter saves, Escape cancels.
    if (dialog.Create(settings, owner)) RunMessageLoop(dialog.window_);
}

}  // namespace velnor
