// The dialog's window: creation on the monitor under the mouse, the load, closing with the
// zoom back to where it opened, RunSettingsDialog's message loop, and what the view does
// for the controller: the busy cursor, serving messages and the system's dialogs.
// Names travel as UTF-8 inside and as UTF-16 through the wide APIs.
#include <windows.h>

#include <vector>

#include "dialog/dialog_keys.h"
#include "dialog/dialog_window_win32.h"
#include "dialog/settings_dialog_win32.h"
#include "resources/resource_ids.h"
#include "settings/wide_text_win32.h"
#include "ui/control_helpers_win32.h"
#include "ui/resources_win32.h"
#include "ui/system_dialogs_win32.h"

namespace velnor {
namespace {

// The window size whose client area is exactly the content at `dpi`.
SIZE OuterSize(HWND window, int dpi) {
    const PixelSize content = DialogContentSize(dpi);
    return OuterSizeForClient(window, content.width, content.height, dpi);
}

}  // namespace

SettingsDialog::SettingsDialog(HINSTANCE instance, const SettingsLocation& location)
    : instance_(instance),
      controller_(*this, location,
                  {MakePlatformFileSystem(), MakePlatformTextEncoding(), MakePictureDecoder}) {}

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
    CentreOn(window_, OuterSize(window_, dpi_), ScreenUnderMouse());
    // The Alt+letter keys: an accelerator table that the message loop translates.
    std::vector<char> letters;
    for (const Mnemonic& mnemonic : Mnemonics()) letters.push_back(mnemonic.letter);
    keys_ = MakeAltLetterKeys(letters);
    if (keys_) SetPropW(window_, kDialogKeysProperty, keys_.get());
    controller_.Load(settings);
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
    if (!IsChild(window_, GetFocus())) controller_.RestoreFocus();
    controller_.Shown();
    return true;
}

// Everything is made again at the new DPI, and the window takes the place the system
// suggests with the size its content needs.
void SettingsDialog::ApplyDpi(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    FitToDpi();
    RedrawPreview();
    PlaceThumbnail();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    const SIZE size = OuterSize(window_, dpi_);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsDialog::ShowBusy(bool busy) {
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

// False once the dialog is gone or the program is asked to end (the quit message is put
// back for the message loop).
bool SettingsDialog::ServeMessages() {
    return ServePendingMessages(window_) && window_ != nullptr;
}

std::optional<std::string> SettingsDialog::BrowseForFolder(std::string_view title) {
    return velnor::BrowseForFolder(window_, title);
}

std::optional<ColourRef> SettingsDialog::PickColour(ColourRef initial) {
    return velnor::PickColour(window_, initial);
}

void SettingsDialog::Tell(const Notice& notice) {
    constexpr UINT kIcons[] = {0, MB_ICONINFORMATION, MB_ICONWARNING};
    MessageBoxW(window_, WideFromUtf8(notice.text).c_str(), kDialogTitle,
                MB_OK | kIcons[static_cast<int>(notice.kind)]);
}

void SettingsDialog::OpenLink(const std::string& address) {
    OpenWithDefaultProgram(window_, address);
}

// The owner comes back before the dialog goes, so the system activates it.
void SettingsDialog::Close() {
    ZoomToPoint(window_, zoomOrigin_);
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
