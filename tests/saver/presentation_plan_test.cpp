// The saver's presentation: what a window presents after skipped or failed presentations,
// which frames reach the screen at a given refresh rate, and the display state.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "../engine/scene_settings.h"
#include "engine/animation.h"
#include "engine/blit.h"
#include "saver/display_watch.h"
#include "saver/presentation_plan.h"

namespace velnor {
namespace {

// A screen that shows what was presented of `frame`; it can be told to fail presentations.
class FakeScreen : public FrameOutput {
  public:
    explicit FakeScreen(const Surface& frame)
        : frame_(frame), screen_(frame.width(), frame.height(), 0x123456) {}

    bool Show(std::span<const Rect> areas) override {
        calls.emplace_back(areas.begin(), areas.end());
        if (failuresLeft > 0) {
            --failuresLeft;
            return false;
        }
        for (const Rect& area : areas) CopyRect(screen_, frame_, area);
        return true;
    }
    const Surface& screen() const { return screen_; }

    int failuresLeft = 0;
    std::vector<std::vector<Rect>> calls;

  private:
    const Surface& frame_;
    Surface screen_;
};

constexpr int kWidth = 200, kHeight = 150;

// Runs the animation for `frames` frames, presenting when `presentAt(frame)` says so, and
// checks after every presentation that the screen equals the frame.
template <typename PresentAt>
void RunAndCompare(FakeScreen& screen, Surface& frame, int frames, PresentAt presentAt) {
    SaverSettings settings = velnor::testing::DefaultSceneSettings();
    settings.scale = 40;  // the sprite's orbit passes outside the wire ball
    Animation animation(settings, kWidth, kHeight, 3);
    PendingPresentation pending(frame.bounds());
    const Surface background = [] {
        Surface s(kWidth, kHeight);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) s.set(x, y, static_cast<Pixel>(x * 977 + y * 131));
        }
        return s;
    }();
    for (int n = 0; n < frames; ++n) {
        animation.AdvanceMotion();
        animation.ComposeFrame(frame, background);
        pending.Add(animation.changedRects());
        if (presentAt(n)) {
            const bool wasWhole = pending.wholePending();
            const bool shown = pending.PresentTo(screen);
            ASSERT_EQ(pending.wholePending(), !shown) << n;
            if (wasWhole) {
                ASSERT_EQ(screen.calls.back(), std::vector<Rect>{frame.bounds()}) << n;
            }
            if (shown) {
                ASSERT_EQ(screen.screen(), frame) << "frame " << n;
            }
        }
        animation.AdvanceTilt();
    }
}

TEST(PendingPresentation, SkippedFramesAreCoveredByTheNextPresentation) {
    Surface frame(kWidth, kHeight);
    FakeScreen screen(frame);
    // Irregular gaps of 1 to 4 frames between presentations, as a refresh schedule makes.
    RunAndCompare(screen, frame, 1500,
                  [](int n) { return n % 7 == 0 || n % 7 == 3 || n % 11 == 5; });
    ASSERT_FALSE(screen.calls.empty());
    EXPECT_EQ(screen.calls.front(), std::vector<Rect>{frame.bounds()}) << "the first is whole";
    for (std::size_t i = 1; i < screen.calls.size(); ++i) {
        for (const Rect& r : screen.calls[i]) EXPECT_NE(r, frame.bounds()) << "call " << i;
    }
}

TEST(PendingPresentation, AFailedPresentationIsFollowedByAWholeOne) {
    Surface frame(kWidth, kHeight);
    FakeScreen screen(frame);
    int presentations = 0;
    RunAndCompare(screen, frame, 400, [&](int) {
        // The 50th presentation fails once; the checks in RunAndCompare then want the
        // 51st to be whole and the screen to equal the frame again.
        if (++presentations == 50) screen.failuresLeft = 1;
        return true;
    });
    ASSERT_GT(screen.calls.size(), 52u);
    EXPECT_EQ(screen.calls[50], std::vector<Rect>{frame.bounds()});
    EXPECT_NE(screen.calls[51], std::vector<Rect>{frame.bounds()}) << "then changed areas again";
}

TEST(PendingPresentation, JoinsCloseAreasAndKeepsFarOnesApart) {
    const Rect whole{0, 0, 1920, 1080};
    const auto present = [&](const ChangedRects& change) {
        Surface frame(1, 1);
        FakeScreen screen(frame);
        PendingPresentation pending(whole);
        pending.PresentTo(screen);  // the first, whole presentation
        pending.Add(change);
        pending.PresentTo(screen);
        return screen.calls.back();
    };
    const Rect lines{830, 410, 1090, 670}, near{1060, 500, 1108, 548}, far{1400, 20, 1448, 68};
    EXPECT_EQ(present({lines, near, lines, near}), (std::vector<Rect>{Unite(lines, near)}));
    EXPECT_EQ(present({lines, far, lines, far}), (std::vector<Rect>{lines, far}));
    // Only the sprite moved; areas are clipped to the frame.
    EXPECT_EQ(present({{}, {1900, 1060, 1948, 1108}, {}, {}}),
              (std::vector<Rect>{{1900, 1060, 1920, 1080}}));
    Surface frame(1, 1);
    FakeScreen screen(frame);
    PendingPresentation pending(whole);
    pending.PresentTo(screen);
    EXPECT_TRUE(pending.empty());
    EXPECT_TRUE(pending.PresentTo(screen));
    EXPECT_EQ(screen.calls.size(), 1u) << "nothing pending: nothing shown";
}

// Frames at the saver's pace (start every `frameMicroseconds`, composed 300 us after),
// presented by the schedule for a display refreshing every `periodMicroseconds` (0: no
// rate). Returns the presentation times over two seconds.
struct ScheduleRun {
    std::vector<std::int64_t> composed, presented;
};
ScheduleRun Simulate(std::int64_t periodMicroseconds, std::int64_t frameMicroseconds,
                     std::int64_t vblankPhase = 1234) {
    RefreshSchedule schedule;
    schedule.SetTiming({periodMicroseconds, 5'000'000 + vblankPhase});
    ScheduleRun run;
    for (std::int64_t start = 10'000'000; start < 12'000'000; start += frameMicroseconds) {
        const std::int64_t now = start + 300;
        run.composed.push_back(now);
        if (schedule.PresentNow(now, start + frameMicroseconds)) run.presented.push_back(now);
    }
    return run;
}

TEST(RefreshSchedule, PresentsTheLatestFrameOncePerRefresh) {
    for (const int hertz : {60, 100, 144, 240}) {
        for (const std::int64_t frame : {10'000, 20'000}) {  // speed settings 0 and 10
            SCOPED_TRACE(::testing::Message() << hertz << " Hz, frames of " << frame << " us");
            const std::int64_t period = 1'000'000 / hertz;
            const ScheduleRun run = Simulate(period, frame);
            // Every frame was composed (the motion keeps its pace); presentations follow the
            // slower of the two rates.
            EXPECT_EQ(run.composed.size(), static_cast<std::size_t>(2'000'000 / frame));
            const auto expected = std::min<std::int64_t>(2'000'000 / period, 2'000'000 / frame);
            EXPECT_NEAR(static_cast<double>(run.presented.size()), static_cast<double>(expected),
                        2.0);
            // At each refresh the newest frame composed before it is the last one presented.
            for (std::int64_t vblank = 5'001'234; vblank < 12'000'000; vblank += period) {
                if (vblank <= run.composed.front() || vblank > run.composed.back()) continue;
                std::int64_t newest = 0, shown = 0;
                for (std::int64_t t : run.composed) newest = t < vblank ? t : newest;
                for (std::int64_t t : run.presented) shown = t < vblank ? t : shown;
                ASSERT_EQ(shown, newest) << "refresh at " << vblank;
            }
        }
    }
}

TEST(RefreshSchedule, WithoutARateOrWithLateFramesStillPresents) {
    EXPECT_EQ(Simulate(0, 10'000).presented.size(), 200u) << "no rate: every frame";
    // Frames that run late (the next one due at once) never see a refresh before their
    // successor; one per period is presented all the same.
    RefreshSchedule schedule;
    schedule.SetTiming({16'667, 0});
    int presented = 0;
    for (std::int64_t now = 0; now < 1'000'000; now += 12'000) {
        presented += schedule.PresentNow(now, now) ? 1 : 0;
    }
    EXPECT_NEAR(presented, 42, 2);  // every second frame of 12 ms
}

TEST(DisplayWatch, NothingIsDrawnWhileOffAndTheWholeFrameIsDueWhenBack) {
    DisplayWatch watch;
    EXPECT_TRUE(watch.visible());
    EXPECT_FALSE(watch.OnDisplayState(1)) << "the first notification repeats the state";
    EXPECT_FALSE(watch.OnDisplayState(0));
    EXPECT_FALSE(watch.visible());
    EXPECT_FALSE(watch.OnDisplayState(0));
    EXPECT_TRUE(watch.OnDisplayState(2)) << "dimmed is seen";
    EXPECT_FALSE(watch.OnDisplayState(1));
    watch.OnDisplayState(0);
    EXPECT_TRUE(watch.OnDisplayState(7)) << "an undefined state counts as on";
    EXPECT_TRUE(watch.visible());
}

}  // namespace
}  // namespace velnor
