// velnor_page_fit.dll: loaded into the installer's process by velnor_pages_driver.exe's
// message hook, where the controls' font handles are valid. On the driver's request (a
// posted message whose wParam is the driver's window) it measures the texts of the window
// the message went to, sums up its pictures and sends the report back as WM_COPYDATA.
#include <windows.h>

#include <string>

#include "page_fit_win32.h"
#include "page_picture_win32.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK
    VelnorPageFitHook(int code, WPARAM removed, LPARAM message) {
    const auto* msg = reinterpret_cast<const MSG*>(message);
    static const UINT request = RegisterWindowMessageW(L"VelnorPageFitMeasure");
    if (code == HC_ACTION && removed == PM_REMOVE && msg->message == request) {
        const std::string report = velnor::e2e::Report(velnor::e2e::MeasureTexts(msg->hwnd)) +
                                   velnor::e2e::PictureReport(msg->hwnd);
        COPYDATASTRUCT copy{0, static_cast<DWORD>(report.size() + 1),
                            const_cast<char*>(report.c_str())};
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(reinterpret_cast<HWND>(msg->wParam), WM_COPYDATA,
                            reinterpret_cast<WPARAM>(msg->hwnd), reinterpret_cast<LPARAM>(&copy),
                            SMTO_BLOCK, 10000, &ignored);
    }
    return CallNextHookEx(nullptr, code, removed, message);
}
