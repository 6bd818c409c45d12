// The running saver: windows per monitor, the frame loop, exit rules and picture timer.
#include "windows/saver_session_win32.h"

#include <optional>

#include "windows/frame_pacing.h"
#include "windows/monitor_plan.h"
#include "windows/resources_win32.h"

namespace velnor {
namespace {

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& r = info.rcMonitor;
        reinterpret_cast<std::vector<MonitorArea>*>(data)->push_back(MonitorArea{
            Rect{r.left, r.top, r.right, r.bottom}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
}

std::vector<SaverScreen> PlanForThisSystem() {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    const Rect primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return PlanSaverScreens(monitors, primary, static_cast<std::uint64_t>(now.QuadPart));
}

}  // namespace

SaverSession::SaverSession(HINSTANCE instance, const SaverSettings& settings, SaverStart start)
    : instance_(instance),
      settings_(settings),
      start_(start),
      exitRule_(start.movementEnds),
      pictureTimer_(settings.pictureInterval) {}

bool SaverSession::LoadWindows() {
    std::optional<Surface> sample;
    if (settings_.useSample == 1) sample = LoadSamplePicture(instance_, settings_.sampleChoice);
    for (const SaverScreen& screen : PlanForThisSystem()) {
        auto window = std::make_unique<SaverWindow>(*this, screen, settings_);
        if (window->Load(instance_, settings_, sample ? &*sample : nullptr)) {
            windows_.push_back(std::move(window));
        }
    }
    if (windows_.empty()) return false;
    // Timer1 runs only when the background comes from the folder.
    if (settings_.useSample != 1 && settings_.pictures.pictureCount > 0) {
        SetTimer(windows_.front()->window_, kPictureTimer, 1000, nullptr);
    }
    return true;
}

void SaverSession::Run() {
    if (!LoadWindows()) return;
    for (auto& window : windows_) window->Show();
    std::int64_t due = waiter_.NowMicroseconds();
    for (;;) {
        const std::int64_t frameStart = PacedFrameStart(due, waiter_.NowMicroseconds());
        for (auto& window : windows_) window->DrawFrame();
        PumpMessages();
        for (auto& window : windows_) window->TakePreparedPicture();
        due = NextFrameStart(frameStart, waiter_.NowMicroseconds(), settings_.frameDelayMs);
        waiter_.WaitUntil(due, [this] { PumpMessages(); });
        waiter_.CountFrame(waiter_.NowMicroseconds());
        for (auto& window : windows_) window->AdvanceTilt();
    }
}

void SaverSession::PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) End();
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void SaverSession::OnMouseMove(int x, int y) {
    if (exitRule_.OnMove(static_cast<float>(x), static_cast<float>(y))) End();
}

void SaverSession::OnButtonDown() {
    if (exitRule_.OnButtonDown()) End();
}

void SaverSession::OnPictureTimer() {
    if (!pictureTimer_.OnTick()) return;
    for (auto& window : windows_) window->RequestNextPicture();
}

void SaverSession::End() {
    if (start_.restoreCursor) start_.cursorCount = ShowCursor(start_.cursorCount != 0);
    ExitProcess(0);
}

}  // namespace velnor
