// Measures the texts of a dialog of this process against their controls, each in the
// control's own font (WM_GETFONT) selected into a screen DC.
#include "page_fit_win32.h"

#include <algorithm>
#include <cstdio>

#include "driver_common_win32.h"

namespace velnor::e2e {
namespace {

// The text as drawn: "&x" underlines x, "&&" is one "&".
std::wstring WithoutPrefixes(const std::wstring& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

// Room a button keeps around its text: push buttons draw inside their edges and focus
// frame; check and radio boxes put the box and a gap before the text.
int Margin(HDC dc, const std::wstring& kind) {
    if (kind == L"button") return 2 * (GetSystemMetrics(SM_CXEDGE) + 1);
    if (kind == L"check") {
        SIZE zero{};
        GetTextExtentPoint32W(dc, L"0", 1, &zero);
        return MulDiv(13, GetDeviceCaps(dc, LOGPIXELSX), 96) + zero.cx / 2;
    }
    return 0;
}

// What kind of text a control draws ("" for none worth measuring), and whether it wraps
// its text onto further lines.
std::wstring KindOf(HWND control, bool& wraps) {
    const std::wstring name = ClassOf(control);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    wraps = false;
    if (_wcsicmp(name.c_str(), L"Button") == 0) {
        const LONG type = style & BS_TYPEMASK;
        wraps = (style & BS_MULTILINE) != 0;
        if (type == BS_GROUPBOX) return L"group";
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) return L"button";
        if (type == BS_OWNERDRAW) return L"";
        return L"check";
    }
    if (_wcsicmp(name.c_str(), L"Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        if (type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE) return L"line";
        wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
        return wraps ? L"label" : L"";
    }
    return L"";
}

TextFit Measure(HWND control, const std::wstring& kind, bool wraps, const std::wstring& text) {
    TextFit fit{control, kind, {}, {}, false};
    RECT client{};
    GetClientRect(control, &client);
    fit.have = {client.right, client.bottom};
    HDC dc = GetDC(nullptr);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    const int margin = Margin(dc, kind);
    const bool noPrefix = kind == L"line" || kind == L"label"
                              ? (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX) != 0
                              : false;
    if (wraps) {
        RECT need{0, 0, std::max(0L, client.right - margin), 0};
        DrawTextW(dc, text.c_str(), -1, &need,
                  DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | (noPrefix ? DT_NOPREFIX : 0));
        fit.need = {need.right + margin, need.bottom};
    } else {
        const std::wstring shown = noPrefix ? text : WithoutPrefixes(text);
        GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &fit.need);
        fit.need.cx += margin;
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    // A group box's or a push button's frame holds one line of its own height.
    const bool heightCounts = kind == L"label" || kind == L"line" || kind == L"check";
    fit.fits = fit.need.cx <= fit.have.cx && (!heightCounts || fit.need.cy <= fit.have.cy);
    return fit;
}

BOOL CALLBACK Collect(HWND control, LPARAM out) {
    auto& fits = *reinterpret_cast<std::vector<TextFit>*>(out);
    bool wraps = false;
    const std::wstring kind = KindOf(control, wraps);
    const std::wstring text = TextOf(control);
    if (!kind.empty() && !text.empty() && IsWindowVisible(control)) {
        fits.push_back(Measure(control, kind, wraps, text));
    }
    return TRUE;
}

}  // namespace

std::vector<TextFit> MeasureTexts(HWND window) {
    std::vector<TextFit> fits;
    EnumChildWindows(window, Collect, reinterpret_cast<LPARAM>(&fits));
    return fits;
}

std::string Report(const std::vector<TextFit>& fits) {
    std::string out;
    for (const TextFit& fit : fits) {
        char sizes[128];
        std::snprintf(sizes, sizeof sizes, " need=%ldx%ld have=%ldx%ld text=\"", fit.need.cx,
                      fit.need.cy, fit.have.cx, fit.have.cy);
        out += (fit.fits ? "fits kind=" : "CLIPPED kind=") + Utf8(fit.kind) + sizes +
               Utf8(TextOf(fit.control)) + "\"\n";
    }
    return out;
}

}  // namespace velnor::e2e
