// Reads each bitmap control's picture (STM_GETIMAGE) as 32-bit top-down pixels and
// averages them over a grid of cells.
#include "page_picture_win32.h"

#include <cstdio>
#include <vector>

#include "driver_common_win32.h"

namespace velnor::e2e {
namespace {

// The bitmap's pixels as 0x00RRGGBB, rows top-down; empty when it cannot be read.
std::vector<DWORD> PixelsOf(HBITMAP bitmap, int& width, int& height) {
    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) {
        return {};
    }
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, bitmap, 0, height, pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (rows != height) pixels.clear();
    return pixels;
}

std::string CellsOf(const std::vector<DWORD>& pixels, int width, int height) {
    std::string out;
    for (int j = 0; j < kPictureRows; ++j) {
        for (int i = 0; i < kPictureColumns; ++i) {
            double sum[3] = {0, 0, 0};
            int count = 0;
            for (int y = j * height / kPictureRows; y < (j + 1) * height / kPictureRows; ++y) {
                for (int x = i * width / kPictureColumns; x < (i + 1) * width / kPictureColumns;
                     ++x) {
                    const DWORD p = pixels[static_cast<size_t>(y) * width + x];
                    for (int c = 0; c < 3; ++c) sum[c] += (p >> (16 - 8 * c)) & 0xFF;
                    ++count;
                }
            }
            char cell[16];
            std::snprintf(cell, sizeof cell, "%s%02X%02X%02X", out.empty() ? "" : ",",
                          count ? static_cast<int>(sum[0] / count + 0.5) : 0,
                          count ? static_cast<int>(sum[1] / count + 0.5) : 0,
                          count ? static_cast<int>(sum[2] / count + 0.5) : 0);
            out += cell;
        }
    }
    return out;
}

BOOL CALLBACK Collect(HWND control, LPARAM out) {
    auto& report = *reinterpret_cast<std::string*>(out);
    const bool isBitmap = _wcsicmp(ClassOf(control).c_str(), L"Static") == 0 &&
                          (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
    if (!isBitmap || !IsWindowVisible(control)) return TRUE;
    const auto bitmap =
        reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
    int width = 0, height = 0;
    const std::vector<DWORD> pixels =
        bitmap ? PixelsOf(bitmap, width, height) : std::vector<DWORD>{};
    char size[48];
    std::snprintf(size, sizeof size, "picture size=%dx%d cells=", width, height);
    report +=
        size + (pixels.empty() ? std::string("unreadable") : CellsOf(pixels, width, height)) + "\n";
    return TRUE;
}

}  // namespace

std::string PictureReport(HWND window) {
    std::string report;
    EnumChildWindows(window, Collect, reinterpret_cast<LPARAM>(&report));
    return report;
}

}  // namespace velnor::e2e
