// The settings dialog Velnor_P as one object: its windows, the values its controls hold,
// the preview's data and the looks (fonts, cursors, panel textures). The handlers live in
// per-feature files (load, buttons, preview, option squares, value changes, events); this
// header is what they share.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "dialog/dialog_layout.h"
#include "dialog/dialog_preview.h"
#include "dialog/dialog_writes.h"
#include "dialog/scroll_events.h"
#include "dialog/settings_dialog_win32.h"
#include "engine/picture_decoder.h"
#include "engine/surface.h"
#include "settings/file_system.h"
#include "settings/saver_settings.h"
#include "settings/settings_location.h"
#include "startup/window_helpers_win32.h"

namespace velnor {

class SettingsDialog {
  public:
    SettingsDialog(HINSTANCE instance, SaverSettings& settings, const SettingsLocation& location);
    ~SettingsDialog();
    SettingsDialog(const SettingsDialog&) = delete;
    SettingsDialog& operator=(const SettingsDialog&) = delete;

    // Creates the window and its controls and runs the load step; false if the window
    // could not be made. The window is shown at the end of the load. A non-null `owner`
    // owns the dialog and stays disabled until the dialog closes.
    bool Create(HWND owner = nullptr);
    HWND window() const { return window_; }

    // Window procedure entry points (dialog_events_win32.cpp).
    LRESULT handle_message(UINT message, WPARAM wParam, LPARAM lParam);
    // Messages that panels pass on: commands, scrolling, colours and cursors of children.
    bool RouteChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Painting of the owner-drawn children (dialog_paint_win32.cpp).
    void PaintPanel(HWND panel, HDC dc);
    void PaintLabel(HWND label, HDC dc);
    void PaintSquare(HWND square, HDC dc);
    void PaintPreviewBox(HWND box, HDC dc);
    void PaintPictureBox(HWND box, HDC dc);

    HWND window_ = nullptr;  // set by the window wrapper

  private:
    // Controls (dialog_controls_win32.cpp).
    bool CreateControls();
    void ApplyDpi(int dpi);
    void MakeFonts();
    PixelBox FittedBox(const ControlSpec& layoutEntry) const;
    void PlaceControls();
    void MakePanelSurfaces();
    HWND Control(int id) const;
    int IdOf(HWND control) const;
    void SetText(int id, const std::string& utf8);
    std::string Text(int id) const;

    // Load step (dialog_load_win32.cpp).
    void FormLoad();
    void CentreOnMonitorUnderMouse();
    void FillListFromPictures();
    void ShowListCount();  // lbl_Kei shows how many lines List_1 holds
    void GiveHandCursors();

    // Buttons (dialog_buttons_win32.cpp).
    void CmdOkClick();
    void CmdInitClick();
    void CmdCanClick();
    void FormUnload();
    void WriteOrWarn(const std::vector<IniEntry>& entries);

    // Preview (dialog_preview_win32.cpp).
    void RedrawPreview();
    void PaintPreviewBall(std::int16_t red, std::int16_t green, std::int16_t blue);
    void PaintPanelTexture(int panelId);

    // Option squares and check boxes (option_squares_win32.cpp).
    void ShowSquare(int id, bool selected);
    void PicPerClick(int index);
    void PicSizeClick(int index);
    void PicSample12Click(int index);
    void PicKindClick(int index);
    void ChkSampleClick();
    void LblSampleClick();
    void LblRdmClick(int index);
    void SetSampleMode(bool useSample);
    bool SetCheckValue(int id, int value);
    int CheckValue(int id) const;
    bool HandleClick(int id);

    // Picture sources (picture_sources_win32.cpp).
    void FolderClick();
    bool PumpWhileListing();
    void List1Click();
    void ShowThumbnail();
    void SetBusyCursor(bool busy);

    // Line colours and the homepage link (colour_motion_win32.cpp).
    void CmdColorClick(int index);
    void LblUrlMouseDown();

    // Scroll bars (value_changes_win32.cpp).
    bool SetScrollValue(int id, int value);
    void OnScroll(HWND bar, WPARAM wParam);
    void ScrollEvent(int id);
    void ChangeEvent(int id);
    void AspVChange();
    void DepthVChange();
    void HRgbChange(int index);
    void IntvalChange();
    int ScrollValue(int id) const;

    HINSTANCE instance_;
    HWND owner_ = nullptr;  // disabled while the dialog is open
    std::unique_ptr<FileSystem> fileSystem_;
    SaverSettings& settings_;
    SettingsLocation location_;
    int dpi_ = 96;
    bool unloading_ = false;
    bool pictureBoxEdge_ = false;              // Pic_K has had its raised edge drawn
    bool listing_ = false;                     // a folder listing is running (and pumping messages)
    bool busyCursor_ = false;                  // the hourglass shows over the whole dialog
    std::vector<std::string> dialogFiles_;     // full paths of the last folder listing
    std::unique_ptr<PictureDecoder> decoder_;  // made on the first preview
    Surface pictureHolder_;                    // Pic_F: the last picture previewed
    Surface thumbnail_;                        // what Pic_K shows of it

    std::map<int, HWND> controls_;
    std::map<int, ScrollBarValue> scrollBars_;  // what each scroll bar holds, as the user sees it
    std::map<int, bool> squareSelected_;        // option squares shown selected
    std::set<int> handControls_;                // controls that show the pointing hand
    std::array<ColourRef, 3> lineColourSwatch_{};  // lbl_Color(1..2) background colours

    DialogPreview preview_;
    Surface previewShown_;                  // the last complete picture of Pic_Prev
    Surface previewWork_;                   // the picture being drawn
    Surface texture_;                       // Pic_Mbl, 832 x 20
    std::map<int, Surface> panelSurfaces_;  // textured background of each panel
    std::map<int, HBRUSH> panelBrushes_;    // the same as a pattern brush for child controls

    HFONT font_ = nullptr;
    HFONT underlinedFont_ = nullptr;
    HCURSOR handCursor_ = nullptr;
    HCURSOR linkCursor_ = nullptr;
    ZoomOrigin zoomOrigin_;
};

}  // namespace velnor
