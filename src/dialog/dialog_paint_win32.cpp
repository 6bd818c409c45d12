// Painting of the dialog's owner-drawn children: textured panels, captions and value
// fields over the texture, option squares, the preview and the picture box. Everything
// is painted from the dialog's state, so a repaint always shows the current look.
#include <windows.h>

#include "dialog/control_ids.h"
#include "dialog/dialog_children_win32.h"
#include "dialog/dialog_window_win32.h"

namespace velnor {
namespace {

constexpr COLORREF kSelectedYellow = RGB(255, 255, 0);
constexpr COLORREF kUnselectedGrey = RGB(192, 192, 192);
constexpr COLORREF kDesignWhite = RGB(255, 255, 255);

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

}  // namespace

void SettingsDialog::PaintPanel(HWND panel, HDC dc) {
    const RECT client = ClientOf(panel);
    const auto found = panelSurfaces_.find(IdOf(panel));
    if (found == panelSurfaces_.end() || found->second.empty()) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        DrawSurface(dc, 0, 0, found->second, 0, 0, client.right, client.bottom);
    }
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
        HWND parent = GetParent(label);
        POINT at{0, 0};
        MapWindowPoints(label, parent, &at, 1);
        const auto found = panelSurfaces_.find(IdOf(parent));
        if (found != panelSurfaces_.end() && !found->second.empty()) {
            DrawSurface(dc, 0, 0, found->second, at.x, at.y, client.right, client.bottom);
        } else {
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        }
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
    const bool clickable = layoutEntry->kind == ControlKind::kClickableCaption;
    HGDIOBJ oldFont = SelectObject(dc, clickable ? underlinedFont_ : font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(label) ? static_cast<COLORREF>(layoutEntry->textColour)
                                            : GetSysColor(COLOR_GRAYTEXT));
    const UINT align = layoutEntry->kind == ControlKind::kValueField ? DT_RIGHT : DT_LEFT;
    const std::wstring caption = WindowText(label);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | align | (field ? DT_VCENTER : DT_TOP));
    SelectObject(dc, oldFont);
}

void SettingsDialog::PaintSquare(HWND square, HDC dc) {
    const RECT client = ClientOf(square);
    const auto found = squareSelected_.find(IdOf(square));
    if (found == squareSelected_.end()) {
        Fill(dc, client, kDesignWhite);
        return;
    }
    Fill(dc, client, found->second ? kSelectedYellow : kUnselectedGrey);
    DrawControlEdge(square, dc, found->second ? kEdgeSunken : kEdgeRaised);
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
    if (pictureBoxEdge_) DrawControlEdge(box, dc, kEdgeRaised);
}

}  // namespace velnor
