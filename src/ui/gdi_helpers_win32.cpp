// The shared GDI helpers. Each selects what it needs into a device context and puts the
// context back as it found it.
#include "ui/gdi_helpers_win32.h"

#include <algorithm>

#include "settings/wide_text_win32.h"
#include "ui/window_helpers_win32.h"

namespace velnor {
namespace {

int CALLBACK AddFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM faces) {
    reinterpret_cast<std::vector<std::string>*>(faces)->push_back(Utf8FromWide(font->lfFaceName));
    return 1;
}

}  // namespace

void PaintDoubleBuffered(HWND window, const std::function<void(HDC)>& paint) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    const RECT client = ClientRectOf(window);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    if (memory && bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        paint(memory);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
    } else {
        paint(dc);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    EndPaint(window, &ps);
}

void FillWithColour(HDC dc, const RECT& area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

LRESULT ParentPatternBackground(HDC dc, HWND child, HBRUSH parentPattern) {
    POINT at{0, 0};
    MapWindowPoints(child, GetParent(child), &at, 1);
    SetBkMode(dc, TRANSPARENT);
    SetBrushOrgEx(dc, -at.x, -at.y, nullptr);
    return reinterpret_cast<LRESULT>(parentPattern);
}

RECT ClientRectOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

int TextWidthOf(HWND window, HFONT font) {
    const std::wstring text = WindowText(window);
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return static_cast<int>(extent.cx);
}

std::vector<std::string> InstalledFaces(BYTE charset) {
    LOGFONTW wanted{};
    wanted.lfCharSet = charset;
    std::vector<std::string> faces;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, AddFace, reinterpret_cast<LPARAM>(&faces), 0);
    ReleaseDC(nullptr, screen);
    return faces;
}

bool FaceHasGlyphs(std::string_view face, BYTE charset, int pixelHeight,
                   std::wstring_view characters) {
    LOGFONTW wanted{};
    wanted.lfHeight = -pixelHeight;
    wanted.lfCharSet = charset;
    lstrcpynW(wanted.lfFaceName, WideFromUtf8(face).c_str(), LF_FACESIZE);
    HDC screen = GetDC(nullptr);
    HFONT font = CreateFontIndirectW(&wanted);
    HGDIOBJ old = SelectObject(screen, font);
    std::vector<WORD> glyphs(characters.size());
    const auto count = static_cast<int>(characters.size());
    const bool all = GetGlyphIndicesW(screen, characters.data(), count, glyphs.data(),
                                      GGI_MARK_NONEXISTING_GLYPHS) == static_cast<DWORD>(count) &&
                     std::find(glyphs.begin(), glyphs.end(), WORD{0xFFFF}) == glyphs.end();
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return all;
}

HFONT MakeFont(const std::optional<std::string>& face, BYTE charset, int pixelHeight) {
    LOGFONTW fallback{};
    if (!face) GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof fallback, &fallback);
    return CreateFontW(-pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       face ? charset : fallback.lfCharSet, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       face ? WideFromUtf8(*face).c_str() : fallback.lfFaceName);
}

}  // namespace velnor
