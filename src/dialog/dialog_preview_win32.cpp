// The preview box and the panel textures on screen: RedrawPreview draws off screen with
// the portable preview and shows the finished picture once; a redraw that cannot finish
// leaves the box showing the last complete picture.
#include <windows.h>

#include <utility>

#include "dialog/control_ids.h"
#include "dialog/dialog_children_win32.h"
#include "dialog/dialog_window_win32.h"
#include "dialog/panel_texture.h"

namespace velnor {

using namespace control_id;

void SettingsDialog::RedrawPreview() {
    HWND box = Control(kPicPrev);
    if (!box) return;
    RECT inner{}, outer{};
    GetClientRect(box, &inner);
    GetWindowRect(box, &outer);
    const PreviewBox area{inner.right, inner.bottom, outer.right - outer.left,
                          outer.bottom - outer.top, dpi_};
    PreviewInputs inputs;
    inputs.aspValue = ScrollValue(kAspV);
    inputs.depthValue = ScrollValue(kDepthV);
    inputs.scaleValue = ScrollValue(kHScale);
    inputs.perspectiveOn = settings_.perspectiveOn;
    inputs.parallelColour = lineColourSwatch_[1];
    inputs.meridianColour = lineColourSwatch_[2];
    if (!preview_.RedrawPreview(previewWork_, inputs, area)) return;
    std::swap(previewShown_, previewWork_);
    HDC dc = GetDC(box);
    if (dc) {
        PaintPreviewBox(box, dc);
        ReleaseDC(box, dc);
    }
    ValidateRect(box, nullptr);
}

void SettingsDialog::PaintPreviewBall(std::int16_t red, std::int16_t green, std::int16_t blue) {
    preview_.PaintPreviewBall(red, green, blue);
}

void SettingsDialog::PaintPanelTexture(int panelId) {
    HWND panel = Control(panelId);
    if (!panel) return;
    RECT client{};
    GetClientRect(panel, &client);
    Surface surface(client.right, client.bottom, PixelFromColourRef(GetSysColor(COLOR_BTNFACE)));
    velnor::PaintPanelTexture(surface, texture_);
    auto& brush = panelBrushes_[panelId];
    if (brush) DeleteObject(brush);
    brush = MakeSurfaceBrush(surface);
    panelSurfaces_[panelId] = std::move(surface);
    RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace velnor
