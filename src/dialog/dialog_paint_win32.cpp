// Painting of the dialog's owner-drawn children (panels, captions, value fields, option
// squares, the still picture and the picture box) by carrying out the plan LookOf gives,
// from the model and the view's surfaces, so a repaint shows the current look.
#include <windows.h>

#include <utility>

#include "dialog/child_look.h"
#include "dialog/control_ids.h"
#include "dialog/dialog_window_win32.h"
#include "dialog/panel_texture.h"
#include "settings/wide_text_win32.h"
#include "ui/gdi_helpers_win32.h"
#include "ui/owner_drawn_child_win32.h"
#include "ui/surface_drawing_win32.h"

namespace velnor {
namespace {

// DrawEdge's kind of each ChildEdge but kNone.
constexpr UINT kEdgeKinds[] = {0, BDR_SUNKENOUTER, kEdgeRaised, kEdgeSunken};

// The part of a panel's texture at `at` in the panel, or the face colour before the
// texture is made.
void PaintTexture(HDC dc, const std::map<int, Surface>& panels, int panelId, POINT at,
                  const RECT& area) {
    const auto found = panels.find(panelId);
    if (found == panels.end() || found->second.empty()) {
        FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        DrawSurface(dc, Point{0, 0}, found->second,
                    Rect{at.x, at.y, at.x + area.right, at.y + area.bottom});
    }
}

// Draws `caption` as `look` places it, in the font selected into `dc`.
void PaintText(const std::wstring& caption, HDC dc, const ChildLook& look, const RECT& client,
               int dpi) {
    SetBkMode(dc, TRANSPARENT);
    const COLORREF colour =
        look.greyText ? GetSysColor(COLOR_GRAYTEXT) : static_cast<COLORREF>(look.textColour);
    SetTextColor(dc, colour);
    RECT text = client;
    InflateRect(&text, -look.textInset, 0);
    const int length = static_cast<int>(caption.size());
    DrawTextW(dc, caption.c_str(), length, &text,
              DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | (look.alignRight ? DT_RIGHT : DT_LEFT) |
                  (look.centreVertically ? DT_VCENTER : DT_TOP) |
                  (look.pathEllipsis ? DT_PATH_ELLIPSIS : 0));
    TEXTMETRICW metrics{};
    SIZE extent{};
    if (!look.underline || !GetTextMetricsW(dc, &metrics) ||
        !GetTextExtentPoint32W(dc, caption.c_str(), length, &extent)) {
        return;
    }
    const PixelBox line =
        UnderlineBox(client.left, client.top, client.bottom, metrics.tmAscent, extent.cx, dpi);
    FillWithColour(dc, RECT{line.left, line.top, line.left + line.width, line.top + line.height},
                   colour);
}

}  // namespace

void SettingsDialog::PaintChild(HWND child, HDC dc) {
    const ControlSpec* layoutEntry = FindControl(IdOf(child));
    if (!layoutEntry) return;
    const ChildLook look =
        LookOf(*layoutEntry, model().SquareSelected(layoutEntry->id),
               IsWindowEnabled(child) != FALSE, GetFocus() == child, model().folderMissing());
    const std::wstring text = WindowText(child) + WideFromUtf8(look.mark);
    const RECT client = ClientRectOf(child);
    if (look.background == ChildBackground::kColour) {
        FillWithColour(dc, client, static_cast<COLORREF>(look.backColour));
    } else if (look.background == ChildBackground::kOwnTexture) {
        PaintTexture(dc, panelSurfaces_, layoutEntry->id, POINT{0, 0}, client);
    } else {
        POINT at{0, 0};
        MapWindowPoints(child, GetParent(child), &at, 1);
        PaintTexture(dc, panelSurfaces_, IdOf(GetParent(child)), at, client);
    }
    if (look.picture != ChildPicture::kNone) {
        const Surface& shown = look.picture == ChildPicture::kPreview
                                   ? preview_.shown()
                                   : controller_.picture().thumbnail();
        DrawSurface(dc, Point{0, 0}, shown, shown.bounds());
    }
    if (look.edge != ChildEdge::kNone) {
        RECT edge = client;
        DrawEdge(dc, &edge, kEdgeKinds[static_cast<int>(look.edge)], BF_RECT);
    }
    if (look.showsText) {
        HGDIOBJ oldFont = SelectObject(dc, font_.get());
        PaintText(text, dc, look, client, dpi_);
        SelectObject(dc, oldFont);
    }
    if (look.focusRing) DrawFocusRing(child, dc);
}

// Draws off screen and shows the finished picture once; a redraw that cannot finish
// leaves the box showing the last complete picture.
void SettingsDialog::RedrawPreview() {
    HWND box = Control(control_id::kPreviewBox);
    if (!box) return;
    RECT inner{}, outer{};
    GetClientRect(box, &inner);
    GetWindowRect(box, &outer);
    const PreviewBox area{inner.right, inner.bottom, outer.right - outer.left,
                          outer.bottom - outer.top, dpi_};
    if (!preview_.Update(model().Preview(), area)) return;
    if (HDC dc = GetDC(box)) {
        PaintChild(box, dc);
        ReleaseDC(box, dc);
    }
    ValidateRect(box, nullptr);
}

// The thumbnail box takes the thumbnail's size and place at the window's DPI.
void SettingsDialog::PlaceThumbnail() {
    HWND box = Control(control_id::kThumbnailBox);
    const std::optional<PixelBox> place = controller_.picture().FitThumbnail(dpi_);
    if (!box || !place) return;
    SetWindowPos(box, nullptr, place->left, place->top, place->width, place->height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(box, nullptr, FALSE);
}

void SettingsDialog::PaintPanelTexture(int panelId) {
    HWND panel = Control(panelId);
    if (!panel) return;
    const RECT client = ClientRectOf(panel);
    Surface surface(client.right, client.bottom, PixelFromColourRef(GetSysColor(COLOR_BTNFACE)));
    velnor::PaintPanelTexture(surface, texture_);
    panelBrushes_[panelId].reset(MakeSurfaceBrush(surface));
    panelSurfaces_[panelId] = std::move(surface);
    RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace velnor
