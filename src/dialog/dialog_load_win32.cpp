// The dialog's creation and its load step (Form_Load): size and centre, fill every
// control from the settings in the fixed order (setting a control runs its change
// handler), give the interactive controls the pointing hand, and zoom open.
#include <windows.h>

#include <string>

#include "dialog/control_ids.h"
#include "dialog/dialog_children_win32.h"
#include "dialog/dialog_window_win32.h"
#include "dialog/folder_listing.h"
#include "resources/resource_ids.h"
#include "settings/wide_text_win32.h"
#include "windows/resources_win32.h"

namespace velnor {
namespace {

using namespace control_id;

int DpiOf(HWND window) {
    const UINT dpi = GetDpiForWindow(window);
    if (dpi != 0) return static_cast<int>(dpi);
    HDC screen = GetDC(nullptr);
    const int fallback = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return fallback > 0 ? fallback : 96;
}

// The whole screen of the monitor under the mouse (the dialog is centred on the screen,
// not on the part that a task bar leaves free).
RECT ScreenUnderMouse() {
    POINT cursor{};
    GetCursorPos(&cursor);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &info)) {
        return info.rcMonitor;
    }
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace

SettingsDialog::SettingsDialog(HINSTANCE instance, SaverSettings& settings,
                               const SettingsLocation& location)
    : instance_(instance),
      fileSystem_(MakePlatformFileSystem()),
      settings_(settings),
      location_(location) {}

SettingsDialog::~SettingsDialog() {
    for (auto& [id, brush] : panelBrushes_) {
        if (brush) DeleteObject(brush);
    }
    if (font_) DeleteObject(font_);
    if (underlinedFont_) DeleteObject(underlinedFont_);
}

bool SettingsDialog::Create() {
    if (!RegisterDialogClasses(instance_)) return false;
    handCursor_ = LoadCursorW(instance_, MAKEINTRESOURCEW(IDCUR_HAND));
    linkCursor_ = LoadCursorW(instance_, MAKEINTRESOURCEW(IDCUR_LINK_HAND));
    if (auto texture = LoadBitmapSurface(instance_, IDB_PANEL_TEXTURE)) texture_ = *texture;
    // Made on the monitor under the mouse, so the controls get that monitor's DPI.
    const RECT screen = ScreenUnderMouse();
    CreateWindowExW(WS_EX_CONTROLPARENT, kDialogClass, kDialogTitle,
                    WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, screen.left,
                    screen.top, 100, 100, nullptr, nullptr, instance_, this);
    if (!window_) return false;
    HICON icon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_VELNOR));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    dpi_ = DpiOf(window_);
    if (!CreateControls()) {
        DestroyWindow(window_);
        return false;
    }
    FormLoad();
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
    return true;
}

void SettingsDialog::CentreOnMonitorUnderMouse() {
    const PixelSize size = DialogOuterSize(dpi_);
    const RECT screen = ScreenUnderMouse();
    const int left = screen.left + (screen.right - screen.left - size.width) / 2;
    const int top = screen.top + (screen.bottom - screen.top - size.height) / 2;
    SetWindowPos(window_, nullptr, left, top, size.width, size.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsDialog::FillListFromPictures() {
    HWND list = Control(kList1);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    if (settings_.pictures.pictureCount == 0) return;
    const auto& paths = settings_.pictures.picturePaths;
    for (int i = 1; i <= settings_.pictures.pictureCount && i < static_cast<int>(paths.size());
         ++i) {
        const bool exists = fileSystem_->AttributesOf(paths[i]).has_value();
        const std::wstring line = exists ? WideFromUtf8(FileNamePart(paths[i])) : std::wstring{};
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    ShowListCount();
}

void SettingsDialog::ShowListCount() {
    SetText(kLblKei, std::to_string(SendMessageW(Control(kList1), LB_GETCOUNT, 0, 0)));
}

void SettingsDialog::GiveHandCursors() {
    handControls_ = {kAspV, kChkRdm0, kLblRdm0, kHRgb0, kChkRdm1, kLblRdm1, kHRgb1, kCmdColor1,
                     kChkRdm2, kLblRdm2, kHRgb2, kCmdColor2, kDepthV, kPicPer0, kLblPer0,
                     kPicSample0, kLblSample0, kPicPer1, kLblPer1, kPicSample1, kLblSample1,
                     kHsFast, kCmdCan, kChkSample, kLblSample, kHScale, kList1, kPicKind0,
                     kLblKind0, kPicKind1, kLblKind1, kPicKind2, kLblKind2, kPicKind3, kLblKind3,
                     kFolder, kIntval, kPicSize0, kLblSize0, kPicSize1, kLblSize1,
                     // These three carry their own cursor images.
                     kCmdOk, kCmdInit, kLblUrl};
}

void SettingsDialog::FormLoad() {
    const SaverSettings& s = settings_;
    CentreOnMonitorUnderMouse();                                                 // 1, 2
    SendMessageW(Control(kList1), LB_SETHORIZONTALEXTENT, ListExtent(dpi_), 0);  // 3
    MakePanelSurfaces();                                                         // 4
    pictureBoxEdge_ = true;                                                      // 5
    InvalidateRect(Control(kPicK), nullptr, FALSE);
    SetText(kFolderPath, s.pictureFolder);                                          // 6
    FillListFromPictures();                                                         // 7
    SetText(kLblPreSize, "");                                                       // 8
    for (int i = 0; i < 4; ++i) ShowSquare(kPicKind0 + i, s.pictureKinds[i] == 1);  // 9
    SetText(kLblAsp, std::to_string(s.aspectTenths));                               // 10
    SetScrollValue(kAspV, -s.aspectTenths);
    PicPerClick(s.perspectiveOn);                            // 11
    SetText(kLblDepth, std::to_string(s.perspectiveDepth));  // 12
    SetScrollValue(kDepthV, -s.perspectiveDepth);
    for (int i = 0; i < 3; ++i) {  // 13
        SetScrollValue(kHRgb0 + i, s.ballColour[i]);
        SetCheckValue(kChkRdm0 + i, s.randomFlags[i]);
        if (i != 0) lineColourSwatch_[i] = s.lineColours[i];
    }
    SetScrollValue(kHsFast, s.frameDelayMs);     // 14
    PicSizeClick(s.pictureSize);                 // 15
    SetScrollValue(kIntval, s.pictureInterval);  // 16
    SetText(kLblIntval, std::to_string(s.pictureInterval));
    SetCheckValue(kChkSample, s.useSample);      // 17
    PicSample12Click(s.sampleChoice);            // 18
    SetScrollValue(kHScale, s.scale);            // 19
    SetSampleMode(CheckValue(kChkSample) == 1);  // 20
    RedrawPreview();                             // 21
    GiveHandCursors();                           // 22
    zoomOrigin_ = ZoomOriginFromCursor();        // 23
    ZoomFromPoint(window_, zoomOrigin_);         // 24
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));  // 25
}

}  // namespace velnor
