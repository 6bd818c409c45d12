// The settings dialog Velnor_P as a Win32 view of DialogModel: its windows, fonts,
// cursors and panel textures, the pictures it shows (the still picture, the thumbnail),
// and the system dialogs it opens. Input goes to the model; after each change the model
// reports, the view shows the model's values again.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "dialog/dialog_layout.h"
#include "dialog/dialog_model.h"
#include "dialog/dialog_preview.h"
#include "dialog/thumbnail.h"
#include "engine/surface.h"
#include "settings/file_system.h"
#include "settings/saver_settings.h"
#include "settings/settings_location.h"
#include "ui/control_helpers_win32.h"
#include "ui/gdi_helpers_win32.h"
#include "ui/window_helpers_win32.h"

namespace velnor {

// Window classes of the dialog and its owner-drawn children (dialog_children_win32.cpp).
inline constexpr wchar_t kDialogClass[] = L"VelnorSettingsDialog";
inline constexpr wchar_t kPanelClass[] = L"VelnorPanel";
inline constexpr wchar_t kLabelClass[] = L"VelnorLabel";
inline constexpr wchar_t kSquareClass[] = L"VelnorSquare";
inline constexpr wchar_t kPreviewClass[] = L"VelnorPreviewBox";
inline constexpr wchar_t kPictureClass[] = L"VelnorPictureBox";

// Registers every class once per process; false if one could not be registered.
bool RegisterDialogClasses(HINSTANCE instance);

class SettingsDialog {
  public:
    SettingsDialog(HINSTANCE instance, const SettingsLocation& location);
    SettingsDialog(const SettingsDialog&) = delete;
    SettingsDialog& operator=(const SettingsDialog&) = delete;

    // Creates the window and its controls, loads the model from `settings` and shows the
    // window; false if the window could not be made. A non-null `owner` owns the dialog
    // and stays disabled until the dialog closes.
    bool Create(const SaverSettings& settings, HWND owner = nullptr);

    LRESULT handle_message(UINT message, WPARAM wParam, LPARAM lParam);
    // Messages that panels pass on: commands, scrolling, colours and cursors of children.
    bool RouteChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Paints an owner-drawn child as LookOf plans it (dialog_paint_win32.cpp).
    void PaintChild(HWND child, HDC dc);
    // BM_GETCHECK of an option square: whether the model shows it selected.
    LRESULT SquareCheck(HWND square) const;
    const DialogModel& model() const { return model_; }

    HWND window_ = nullptr;  // set by the window wrapper

  private:
    // Controls (dialog_controls_win32.cpp).
    bool CreateControls();
    void FitToDpi();
    void ApplyDpi(int dpi);
    HWND Control(int id) const;
    int IdOf(HWND control) const;
    void ShowControls();

    // Window, load and the saving buttons (dialog_window_win32.cpp).
    SIZE OuterSize() const;
    void OnModelChange(unsigned changes);
    void Save(int buttonId);
    void CloseDialog();

    // Keyboard: the focus, the default button and the Alt+letter keys
    // (dialog_keys_win32.cpp).
    void MakeKeys();
    void OnMnemonic(char letter);
    void OnChildFocus(HWND child, bool gained);
    void SetDefaultButton(int id);
    void RestoreFocus();

    // Clicks and scrolling (dialog_events_win32.cpp).
    void HandleClick(int id);
    void OnScroll(HWND bar, WPARAM wParam);

    // The still picture and the panel textures (dialog_paint_win32.cpp).
    void RedrawPreview();
    void PaintPanelTexture(int panelId);

    // Picture sources, colours and the link (picture_sources_win32.cpp).
    void FolderClick();
    void ShowLongFolderName(const std::string& stored);
    bool PumpWhileListing();
    bool ServeWhileReadingDates();
    void ShowListingCount();
    void Tell(const std::optional<Notice>& notice) const;
    void ShowSelectedPicture();
    void ShowThumbnail();
    void SetBusyCursor(bool busy);
    void ColourClick(int target);
    void OpenHomepage();

    HINSTANCE instance_;
    HWND owner_ = nullptr;  // disabled while the dialog is open
    std::unique_ptr<FileSystem> fileSystem_;
    std::unique_ptr<TextEncoding> textEncoding_;
    SettingsLocation location_;
    DialogModel model_;
    int dpi_ = 96;
    bool unloading_ = false;
    bool busyCursor_ = false;                       // the hourglass shows over the whole dialog
    ListingPace datePace_{0};                       // how often reading dates serves messages
    PreviewedPicture picture_{MakePictureDecoder};  // the picture read and its thumbnail

    std::map<int, HWND> controls_;
    DialogPreview preview_;
    Surface texture_;                                // the panels' texture tile, 832 x 20
    std::map<int, Surface> panelSurfaces_;           // textured background of each panel
    std::map<int, GdiObject<HBRUSH>> panelBrushes_;  // the same as a pattern brush for children

    GdiObject<HFONT> font_;
    AcceleratorTable keys_;
    HWND lastFocus_ = nullptr;  // the control that gets the focus back on activation
    HWND pathTip_ = nullptr;    // the full folder path over its field
    ZoomOrigin zoomOrigin_;
};

}  // namespace velnor
