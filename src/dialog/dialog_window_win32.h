// The settings dialog Velnor_P as a Win32 view: its windows, fonts, cursors and panel
// textures, the pictures it paints (the still picture, the thumbnail) and the system
// dialogs it opens. Messages become calls of DialogController; the controller asks the
// view through DialogView to show what the model holds.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "dialog/dialog_controller.h"
#include "dialog/dialog_preview.h"
#include "dialog/dialog_view.h"
#include "engine/surface.h"
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

class SettingsDialog final : public DialogView {
  public:
    SettingsDialog(HINSTANCE instance, const SettingsLocation& location);

    // Creates the window and its controls, loads `settings` and shows the window; false if
    // the window could not be made. A non-null `owner` owns the dialog and stays disabled
    // until the dialog closes.
    bool Create(const SaverSettings& settings, HWND owner = nullptr);

    LRESULT handle_message(UINT message, WPARAM wParam, LPARAM lParam);
    // Messages that panels pass on: commands, scrolling, colours and cursors of children.
    bool RouteChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Paints an owner-drawn child as LookOf plans it (dialog_paint_win32.cpp).
    void PaintChild(HWND child, HDC dc);
    const DialogModel& model() const { return controller_.model(); }
    // A mouse press on an owner-drawn child that clicks.
    void Pressed(int id) { controller_.Pressed(id); }

    HWND window_ = nullptr;  // set by the window wrapper

  private:
    // Controls (dialog_controls_win32.cpp).
    bool CreateControls();
    void FitToDpi();
    HWND Control(int id) const;
    int IdOf(HWND control) const;
    void ShowText(int id, const std::string& text) override;
    void ShowControl(int id, const ControlState& state) override;
    void ShowListLines(const std::vector<std::string>& lines,
                       std::optional<std::size_t> selected) override;
    void HideThumbnail(bool hidden) override;
    void Focus(int id) override;
    void Press(int id) override;
    void ShowDefaultButton(int id, bool isDefault) override;

    // Painting: the still picture, the thumbnail's place and the panel textures
    // (dialog_paint_win32.cpp).
    void RedrawPreview() override;
    void PlaceThumbnail() override;
    void PaintPanelTexture(int panelId);

    // Messages (dialog_events_win32.cpp).
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void OnScroll(HWND bar, WPARAM wParam);
    bool OnSetCursor(HWND child);

    // The DPI, waiting, the system's dialogs and closing (dialog_window_win32.cpp).
    void ApplyDpi(int dpi, const RECT& suggested);
    void ShowBusy(bool busy) override;
    std::uint64_t NowMs() const override { return GetTickCount64(); }
    bool ServeMessages() override;
    std::optional<std::string> BrowseForFolder(std::string_view title) override;
    std::optional<ColourRef> PickColour(ColourRef initial) override;
    void Tell(const Notice& notice) override;
    void OpenLink(const std::string& address) override;
    void Close() override;

    HINSTANCE instance_;
    HWND owner_ = nullptr;  // disabled while the dialog is open
    DialogController controller_;
    int dpi_ = 96;

    std::map<int, HWND> controls_;
    DialogPreview preview_;
    Surface texture_;                                // the panels' texture tile, 832 x 20
    std::map<int, Surface> panelSurfaces_;           // textured background of each panel
    std::map<int, GdiObject<HBRUSH>> panelBrushes_;  // the same as a pattern brush for children

    GdiObject<HFONT> font_;
    AcceleratorTable keys_;
    HWND pathTip_ = nullptr;  // the full folder path over its field
    ZoomOrigin zoomOrigin_;
};

}  // namespace velnor
