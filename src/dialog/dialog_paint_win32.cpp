// Painting of the dialog's owner-drawn children: textured panels, captions and value
// fields over the texture, option squares, the still picture and the picture box. All is
// painted from the model and the view's surfaces, so a repaint shows the current look.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "dialog/control_ids.h"
#include "dialog/dialog_window_win32.h"
#include "dialog/panel_texture.h"

namespace velnor {
namespace {

constexpr COLORREF kSelectedYellow = RGB(255, 255, 0);
constexpr COLORREF kUnselectedGrey = RGB(192, 192, 192);
constexpr COLORREF kNeverShownWhite = RGB(255, 255, 255);

void Fill(HDC dc, const RECT& area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

RECT ClientOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

// Underlines a top-aligned, left-aligned `caption` in the selected font. The line sits just
// below the baseline, but inside the box: the font's own underline would fall below the
// caption's box, which is only as tall as the characters, and never show.
void Underline(HDC dc, const std::wstring& caption, const RECT& box, COLORREF colour, int dpi) {
    TEXTMETRICW metrics{};
    SIZE extent{};
    if (!GetTextMetricsW(dc, &metrics) ||
        !GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent)) {
        return;
    }
    const int thickness = std::max(1, dpi / 96);
    const LONG top = std::min<LONG>(box.top + metrics.tmAscent + 1, box.bottom - thickness);
    Fill(dc, RECT{box.left, top, box.left + extent.cx, top + thickness}, colour);
}

// The part of a panel's texture at `at` in the panel, or the face colour before the
// texture is made.
void PaintTexture(HDC dc, const std::map<int, Surface>& panels, int panelId, POINT at,
                  const RECT& area) {
    const auto found = panels.find(panelId);
    if (found == panels.end() || found->second.empty()) {
        FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        DrawSurface(dc, 0, 0, found->second, at.x, at.y, area.right, area.bottom);
    }
}

}  // namespace

void SettingsDialog::PaintPanel(HWND panel, HDC dc) {
    const RECT client = ClientOf(panel);
    PaintTexture(dc, panelSurfaces_, IdOf(panel), POINT{0, 0}, client);
    if (IdOf(panel) != control_id::kPicC) {
        RECT edge = client;
        DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    }
}

void SettingsDialog::PaintLabel(HWND label, HDC dc) {
    const ControlSpec* layoutEntry = FindControl(IdOf(label));
    if (!layoutEntry) return;
    const RECT client = ClientOf(label);
    if (layoutEntry->backColour == kTransparent) {
        POINT at{0, 0};
        MapWindowPoints(label, GetParent(label), &at, 1);
        PaintTexture(dc, panelSurfaces_, IdOf(GetParent(label)), at, client);
    } else {
        Fill(dc, client, static_cast<COLORREF>(layoutEntry->backColour));
    }
    const bool field = layoutEntry->kind == ControlKind::kValueField ||
                       layoutEntry->kind == ControlKind::kPathField;
    RECT text = client;
    if (field) {
        RECT edge = client;
        DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
        InflateRect(&text, -3, 0);
    }
    HGDIOBJ oldFont = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    const COLORREF colour = IsWindowEnabled(label) ? static_cast<COLORREF>(layoutEntry->textColour)
                                                   : GetSysColor(COLOR_GRAYTEXT);
    SetTextColor(dc, colour);
    const UINT align = layoutEntry->kind == ControlKind::kValueField ? DT_RIGHT : DT_LEFT;
    const std::wstring caption = WindowText(label);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | align | (field ? DT_VCENTER : DT_TOP));
    if (layoutEntry->kind == ControlKind::kClickableCaption) {
        Underline(dc, caption, client, colour, dpi_);
    }
    SelectObject(dc, oldFont);
}

void SettingsDialog::PaintSquare(HWND square, HDC dc) {
    const RECT client = ClientOf(square);
    const std::optional<bool> selected = model_.SquareSelected(IdOf(square));
    if (!selected) {
        Fill(dc, client, kNeverShownWhite);  // a square no rule has shown yet
        return;
    }
    Fill(dc, client, *selected ? kSelectedYellow : kUnselectedGrey);
    DrawControlEdge(square, dc, *selected ? kEdgeSunken : kEdgeRaised);
}

LRESULT SettingsDialog::SquareCheck(HWND square) const {
    return model_.SquareSelected(IdOf(square)).value_or(false) ? BST_CHECKED : BST_UNCHECKED;
}

void SettingsDialog::PaintPreviewBox(HWND box, HDC dc) {
    const RECT client = ClientOf(box);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DrawSurface(dc, 0, 0, previewShown_, 0, 0, previewShown_.width(), previewShown_.height());
}

void SettingsDialog::PaintPictureBox(HWND box, HDC dc) {
    const RECT client = ClientOf(box);
    Fill(dc, client, RGB(224, 224, 224));
    DrawSurface(dc, 0, 0, thumbnail_, 0, 0, thumbnail_.width(), thumbnail_.height());
    DrawControlEdge(box, dc, kEdgeRaised);
}

// Draws off screen and shows the finished picture once; a redraw that cannot finish
// leaves the box showing the last complete picture.
void SettingsDialog::RedrawPreview() {
    HWND box = Control(control_id::kPicPrev);
    if (!box) return;
    RECT inner{}, outer{};
    GetClientRect(box, &inner);
    GetWindowRect(box, &outer);
    const PreviewBox area{inner.right, inner.bottom, outer.right - outer.left,
                          outer.bottom - outer.top, dpi_};
    if (!preview_.RedrawPreview(previewWork_, model_.Preview(), area)) return;
    std::swap(previewShown_, previewWork_);
    if (HDC dc = GetDC(box)) {
        PaintPreviewBox(box, dc);
        ReleaseDC(box, dc);
    }
    ValidateRect(box, nullptr);
}

void SettingsDialog::PaintPanelTexture(int panelId) {
    HWND panel = Control(panelId);
    if (!panel) return;
    const RECT client = ClientOf(panel);
    Surface surface(client.right, client.bottom, PixelFromColourRef(GetSysColor(COLOR_BTNFACE)));
    velnor::PaintPanelTexture(surface, texture_);
    auto& brush = panelBrushes_[panelId];
    if (brush) DeleteObject(brush);
    brush = MakeSurfaceBrush(surface);
    panelSurfaces_[panelId] = std::move(surface);
    RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace velnor
