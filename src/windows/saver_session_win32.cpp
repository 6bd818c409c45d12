// The running saver: windows per monitor, the frame loop, exit rules and picture timer.
#include "windows/saver_session_win32.h"

#include <dwmapi.h>

#include <cstring>
#include <optional>

#include "windows/frame_pacing.h"
#include "windows/monitor_plan.h"
#include "windows/resources_win32.h"
#include "windows/window_helpers_win32.h"

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

// GUID_CONSOLE_DISPLAY_STATE: the console display is off, on or dimmed.
constexpr GUID kConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

// The composition's refresh while desktop composition is on; no rate otherwise (then
// every frame is presented).
RefreshTiming QueryRefreshTiming(const FrameWaiter& clock) {
    BOOL composing = FALSE;
    if (FAILED(DwmIsCompositionEnabled(&composing)) || !composing) return {};
    DWM_TIMING_INFO info{};
    info.cbSize = sizeof info;
    if (FAILED(DwmGetCompositionTimingInfo(nullptr, &info)) || info.qpcRefreshPeriod == 0) {
        return {};
    }
    return {clock.MicrosecondsFromTicks(static_cast<std::int64_t>(info.qpcRefreshPeriod)),
            clock.MicrosecondsFromTicks(static_cast<std::int64_t>(info.qpcVBlank))};
}

bool EnvironmentIsSet(const wchar_t* name) {
    return GetEnvironmentVariableW(name, nullptr, 0) > 0;
}

}  // namespace

SaverSession::SaverSession(HINSTANCE instance, const SaverSettings& settings, SaverStart start)
    : instance_(instance),
      settings_(settings),
      start_(start),
      pictureTimer_(settings.pictureInterval),
      acceptsTestDisplayState_(EnvironmentIsSet(L"VELNOR_TEST_DISPLAY_STATE")) {}

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
    // The system answers at once with the present state, and on every change after.
    RegisterPowerSettingNotification(windows_.front()->window_, &kConsoleDisplayState,
                                     DEVICE_NOTIFY_WINDOW_HANDLE);
    // Frames on time start this far apart: the floor plus the speed setting's pause.
    const std::int64_t onTimePeriod = NextFrameStart(0, 0, settings_.frameDelayMs);
    std::int64_t due = waiter_.NowMicroseconds();
    for (;;) {
        if (!display_.visible()) {
            // Nobody sees the screen: no frames, no motion; only the exit rules and the
            // display state wake the saver.
            waiter_.WaitForMessages([this] { PumpMessages(); });
            due = waiter_.NowMicroseconds();
            continue;
        }
        DrawFrame(PacedFrameStart(due, waiter_.NowMicroseconds()), due);
        waiter_.WaitUntil(due, onTimePeriod, [this] { PumpMessages(); });
        for (auto& window : windows_) {
            window->TakePreparedPicture();
            window->AdvanceTilt();
        }
    }
}

void SaverSession::DrawFrame(std::int64_t frameStart, std::int64_t& due) {
    for (auto& window : windows_) window->ComposeFrame();
    const std::int64_t now = waiter_.NowMicroseconds();
    due = NextFrameStart(frameStart, now, settings_.frameDelayMs);
    if (now - refreshQueried_ >= 1'000'000) RefreshTimingNow();
    FramePresentations presented;
    if (refreshSchedule_.PresentNow(now, due)) {
        for (auto& window : windows_) {
            presented.whole += window->wholePending() ? 1 : 0;
            presented.areas += window->PresentPending() ? 1 : 0;
        }
    }
    waiter_.CountFrame(frameStart, presented);
}

void SaverSession::RefreshTimingNow() {
    refreshSchedule_.SetTiming(QueryRefreshTiming(waiter_));
    refreshQueried_ = waiter_.NowMicroseconds();
}

void SaverSession::PumpMessages() {
    MSG message;
    // PM_NOYIELD: the frame loop waits on its own; under Wine a yield is a system call.
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) {
        if (message.message == WM_QUIT) End();
        DeliverMessage(nullptr, message);
    }
}

void SaverSession::OnMouseMove(int x, int y) {
    if (exitRule_.OnMove(static_cast<float>(x), static_cast<float>(y))) End();
}

void SaverSession::OnButtonDown() {
    End();  // any button
}

void SaverSession::OnPictureTimer() {
    // While the display is off the slide show pauses with the motion: no picture is
    // taken, so none is decoded ahead.
    if (!display_.visible() || !pictureTimer_.OnTick()) return;
    for (auto& window : windows_) window->RequestNextPicture();
}

void SaverSession::OnPowerSetting(const POWERBROADCAST_SETTING& setting) {
    if (!IsEqualGUID(setting.PowerSetting, kConsoleDisplayState) ||
        setting.DataLength < sizeof(DWORD)) {
        return;
    }
    DWORD state = 0;
    std::memcpy(&state, setting.Data, sizeof state);
    if (display_.OnDisplayState(state)) {
        for (auto& window : windows_) window->PresentWholeNext();
        RefreshTimingNow();  // the display may have come back in another mode
    }
}

void SaverSession::End() {
    start_.cursorCount = ShowCursor(start_.cursorCount != 0);
    ExitProcess(0);
}

}  // namespace velnor
