// The running saver on Windows: windows per monitor, the event wait and the exit rules.
#include "windows/saver_session_win32.h"

#include <dwmapi.h>

#include <cstring>

#include "saver/frame_pacing.h"
#include "saver/monitor_plan.h"
#include "saver/saver_loop.h"
#include "saver/saver_scene.h"
#include "settings/picture_source.h"
#include "ui/resources_win32.h"
#include "ui/window_helpers_win32.h"
#include "windows/saver_window_win32.h"

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

// GUID_CONSOLE_DISPLAY_STATE: the console display is off, on or dimmed.
constexpr GUID kConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

// A session's window as the output of its scene: the session owns the window, the scene
// this (the loop drops its scenes before it asks for new windows).
class WindowOutput final : public FrameOutput {
  public:
    explicit WindowOutput(SaverWindow& window) : window_(window) {}
    bool Show(std::span<const Rect> areas) override { return window_.Show(areas); }

  private:
    SaverWindow& window_;
};

bool EnvironmentIsSet(const wchar_t* name) {
    return GetEnvironmentVariableW(name, nullptr, 0) > 0;
}

}  // namespace

SaverSession::SaverSession(HINSTANCE instance, const SaverSettings& settings, SaverStart start)
    : instance_(instance),
      settings_(settings),
      start_(start),
      onTimePeriod_(NextFrameStart(0, 0, settings.frameDelayMs)),
      acceptsTestDisplayState_(EnvironmentIsSet(L"VELNOR_TEST_DISPLAY_STATE")) {}

void SaverSession::Run() {
    std::optional<Surface> sample;
    if (settings_.useSample == 1) sample = LoadSamplePicture(instance_, settings_.sampleChoice);
    SaverLoopSetup setup;
    setup.settings = &settings_;
    setup.sample = sample ? &*sample : nullptr;
    setup.makeDecoder = MakeBackgroundPictureDecoder;
    setup.makePictureSource = MakePlatformPictureSource;
    setup.frameStatistics = FrameStatisticsPathFromEnvironment();
    SaverLoop loop(*this, setup);
    if (loop.Run() == SaverLoop::kNothingToDrawOn) {
        windows_.clear();  // before the scenes whose frames they show
        return;
    }
    End();
}

// Scenes placed anew (a new size) get new windows; the old scenes are gone by now.
ScenePlan SaverSession::PlaceScenes() {
    windows_.clear();
    shown_ = false;
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    const Rect primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return ScenePlan{PlanSaverScreens(monitors, primary, static_cast<std::uint64_t>(now.QuadPart)),
                     std::nullopt};
}

std::unique_ptr<FrameOutput> SaverSession::MakeOutput(const SaverScene& scene) {
    auto window = std::make_unique<SaverWindow>(*this, scene.screen());
    if (!window->Load(instance_, scene.frame())) return nullptr;
    windows_.push_back(std::move(window));
    return std::make_unique<WindowOutput>(*windows_.back());
}

void SaverSession::ScenesReady() {
    if (shown_ || windows_.empty()) return;
    shown_ = true;
    for (const auto& window : windows_) window->ShowOnTop();
    // The system answers at once with the present state, and on every change after.
    RegisterPowerSettingNotification(windows_.front()->window_, &kConsoleDisplayState,
                                     DEVICE_NOTIFY_WINDOW_HANDLE);
}

std::optional<SaverEvent> SaverSession::WaitUntil(std::int64_t deadline) {
    const auto pump = [this] { return PumpMessages(); };
    if (events_.empty()) {
        if (deadline == kNoDeadline) {
            // Nothing is drawn: only messages wake the saver.
            while (events_.empty()) waiter_.WaitForMessages(pump);
        } else if (deadline <= waiter_.NowMicroseconds()) {
            PumpMessages();
        } else {
            waiter_.WaitUntil(deadline, onTimePeriod_, pump);
        }
    }
    if (events_.empty()) return std::nullopt;
    const SaverEvent event = events_.front();
    events_.pop_front();
    return event;
}

bool SaverSession::PumpMessages() {
    MSG message;
    // PM_NOYIELD: the frame loop waits on its own; under Wine a yield is a system call.
    while (events_.empty() && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) {
        if (message.message == WM_QUIT) {
            RequestQuit();
        } else {
            DeliverMessage(nullptr, message);
        }
    }
    return !events_.empty();
}

// The composition's refresh while desktop composition is on; no rate otherwise (then
// every frame is presented).
RefreshTiming SaverSession::QueryRefreshTiming() {
    BOOL composing = FALSE;
    if (FAILED(DwmIsCompositionEnabled(&composing)) || !composing) return {};
    DWM_TIMING_INFO info{};
    info.cbSize = sizeof info;
    if (FAILED(DwmGetCompositionTimingInfo(nullptr, &info)) || info.qpcRefreshPeriod == 0) {
        return {};
    }
    return {waiter_.MicrosecondsFromTicks(static_cast<std::int64_t>(info.qpcRefreshPeriod)),
            waiter_.MicrosecondsFromTicks(static_cast<std::int64_t>(info.qpcVBlank))};
}

void SaverSession::OnMouseMove(int x, int y) {
    if (exitRule_.OnMove(static_cast<float>(x), static_cast<float>(y))) RequestQuit();
}

void SaverSession::OnPowerSetting(const POWERBROADCAST_SETTING& setting) {
    if (!IsEqualGUID(setting.PowerSetting, kConsoleDisplayState) ||
        setting.DataLength < sizeof(DWORD)) {
        return;
    }
    DWORD state = 0;
    std::memcpy(&state, setting.Data, sizeof state);
    const bool wasVisible = display_.visible();
    if (display_.OnDisplayState(state)) {
        events_.push_back(SaverEvent::kDisplayOn);
    } else if (wasVisible && !display_.visible()) {
        events_.push_back(SaverEvent::kDisplayOff);
    }
}

void SaverSession::End() {
    start_.cursorCount = ShowCursor(start_.cursorCount != 0);
    ExitProcess(0);
}

}  // namespace velnor
