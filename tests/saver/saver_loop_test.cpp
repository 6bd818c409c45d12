// The portable saver loop on a fake platform: a clock that moves only when the loop waits
// or a frame's presentation costs time, scripted events, and outputs that record what
// each frame presented. Covers the order of a frame's steps, the pace, quits however
// long frames take, the picture timer across a slow picture, failed presentations and
// a resize that leaves nothing to draw on.
#include "saver/saver_loop.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "../engine/scene_settings.h"
#include "saver/frame_pacing.h"
#include "temp_folder.h"

namespace velnor {
namespace {

constexpr int kWidth = 64, kHeight = 48;
constexpr std::int64_t kMs = 1000;

class FakePlatform;

// Records every presentation and can be told to fail some; each costs `presentCost`.
class FakeOutput final : public FrameOutput {
  public:
    FakeOutput(FakePlatform& platform, const SaverScene& scene)
        : platform_(platform), scene_(scene) {}
    bool Show(std::span<const Rect> areas) override;

  private:
    FakePlatform& platform_;
    const SaverScene& scene_;
};

class FakePlatform final : public SaverPlatform {
  public:
    struct Frame {
        std::int64_t start = 0;
        std::int64_t presentedAt = 0;
        float orbitRadiusY = 0;
        Pixel background = 0;  // the top-left pixel of the background it was composed on
        bool whole = false;
        int presentations = 0;
    };

    std::int64_t NowMicroseconds() override { return now_; }

    std::optional<SaverEvent> WaitUntil(std::int64_t deadline) override {
        log.push_back(deadline <= now_ ? "events" : "wait");
        if (beforeWait) beforeWait(*this, deadline);
        if (!scripted.empty() && scripted.begin()->first <= std::max(deadline, now_)) {
            const auto [at, event] = *scripted.begin();
            scripted.erase(scripted.begin());
            now_ = std::max(now_, at);  // acted on as soon as it happens
            return event;
        }
        if (deadline == kNoDeadline) ADD_FAILURE() << "waits for ever";
        now_ = std::max(now_, deadline);
        if (now_ >= stopAt) return SaverEvent::kQuit;
        return std::nullopt;
    }

    ScenePlan PlaceScenes() override {
        ++placements;
        ScenePlan plan;
        if (placementsThatWork-- > 0)
            plan.screens = PlanSaverScreens({}, Rect{0, 0, kWidth, kHeight}, 7);
        plan.scale = fittedScale;
        return plan;
    }

    std::unique_ptr<FrameOutput> MakeOutput(const SaverScene& scene) override {
        scene_ = &scene;
        return std::make_unique<FakeOutput>(*this, scene);
    }

    void FrameDone(std::int64_t frameStart, const FramePresentations& presented) override {
        log.push_back("done");
        Frame frame;
        frame.start = frameStart;
        frame.presentedAt = now_;
        frame.orbitRadiusY = scene_->animation().motion().orbitRadiusY;
        const Surface& background = scene_->background();  // empty: black
        frame.background = background.empty() ? 0 : background.at(0, 0);
        frame.whole = presented.whole > 0;
        frame.presentations = presented.areas;
        frames.push_back(frame);
    }

    void Show() {
        log.push_back("show");
        now_ += presentCost ? presentCost(static_cast<int>(frames.size())) : 0;
    }

    std::int64_t now_ = 1'000'000;
    std::int64_t stopAt = INT64_MAX;
    std::multimap<std::int64_t, SaverEvent> scripted;
    std::function<std::int64_t(int frame)> presentCost;  // by frame index from 0
    std::function<void(FakePlatform&, std::int64_t deadline)> beforeWait;
    int failuresLeft = 0;
    int placementsThatWork = 1'000;
    int placements = 0;
    std::optional<std::int16_t> fittedScale;
    std::vector<std::string> log;
    std::vector<Frame> frames;
    const SaverScene* scene_ = nullptr;
};

bool FakeOutput::Show(std::span<const Rect>) {
    platform_.Show();
    (void)scene_;
    if (platform_.failuresLeft > 0) {
        --platform_.failuresLeft;
        return false;
    }
    return true;
}

int RunLoop(FakePlatform& platform, const SaverSettings& settings,
            const BackgroundPreparer::DecoderFactory& decoders = {}) {
    SaverLoopSetup setup;
    setup.settings = &settings;
    setup.makeDecoder = decoders;
    return SaverLoop(platform, setup).Run();
}

TEST(SaverLoop, EachFrameComposesPresentsHandlesEventsWaitsThenTilts) {
    FakePlatform platform;
    platform.stopAt = platform.now_ + 35 * kMs;
    const SaverSettings settings = testing::DefaultSceneSettings();
    EXPECT_EQ(RunLoop(platform, settings), 0);
    ASSERT_EQ(platform.frames.size(), 4u);
    // Present, count, pending events without waiting, then the wait for the next frame.
    const std::vector<std::string> frame = {"show", "done", "events", "wait"};
    for (std::size_t n = 0; n < 4; ++n) {
        EXPECT_EQ(std::vector<std::string>(platform.log.begin() + 4 * n,
                                           platform.log.begin() + 4 * n + 4),
                  frame)
            << n;
    }
    // One tilt step per frame, after its wait: each frame is drawn 0.05 closer.
    for (std::size_t n = 1; n < 4; ++n) {
        EXPECT_NEAR(platform.frames[n - 1].orbitRadiusY - platform.frames[n].orbitRadiusY, 0.05f,
                    1e-4f);
    }
}

TEST(SaverLoop, FramesKeepTheFloorAndTheirPauseAndSlowOnesLeaveNoDebt) {
    for (const std::int16_t delay : {std::int16_t{0}, std::int16_t{7}}) {
        FakePlatform platform;
        // Frame 5 takes half a second, frames 10 to 14 take 25 ms each.
        platform.presentCost = [](int n) -> std::int64_t {
            if (n == 5) return 500 * kMs;
            return n >= 10 && n < 15 ? 25 * kMs : 0;
        };
        platform.stopAt = platform.now_ + 2'000 * kMs;
        SaverSettings settings = testing::DefaultSceneSettings();
        settings.frameDelayMs = delay;
        RunLoop(platform, settings);
        const std::int64_t period = 10 * kMs + delay * kMs;
        const auto& f = platform.frames;
        for (std::size_t n = 1; n < f.size(); ++n) {
            const std::int64_t gap = f[n].start - f[n - 1].start;
            const std::int64_t cost = platform.presentCost(static_cast<int>(n - 1));
            SCOPED_TRACE(::testing::Message() << "delay " << delay << ", frame " << n);
            // A slow frame still gets its pause; a fast one waits for the floor. Never
            // shorter: the frames after a stall do not rush to catch up.
            EXPECT_EQ(gap, cost > 10 * kMs ? cost + delay * kMs : period);
        }
    }
}

TEST(SaverLoop, AQuitIsActedOnBeforeTheNextFrameHoweverLongFramesTake) {
    for (const std::int64_t cost : {0 * kMs, 10 * kMs, 50 * kMs, 500 * kMs}) {
        // The quit arrives at several moments of a frame: in its wait, in its drawing.
        for (const std::int64_t offset : {1 * kMs, 3 * kMs, 7 * kMs, 33 * kMs}) {
            FakePlatform platform;
            platform.presentCost = [cost](int) { return cost; };
            const std::int64_t quitAt = platform.now_ + 20 * cost + 200 * kMs + offset;
            platform.scripted.emplace(quitAt, SaverEvent::kQuit);
            SaverSettings settings = testing::DefaultSceneSettings();
            EXPECT_EQ(RunLoop(platform, settings), 0);
            SCOPED_TRACE(::testing::Message() << cost / kMs << " ms frames, +" << offset);
            ASSERT_FALSE(platform.frames.empty());
            // No frame starts after the quit, and the loop ends once the frame that was
            // being drawn is out (at once when it came during a wait).
            EXPECT_LE(platform.frames.back().start, quitAt);
            EXPECT_LE(platform.now_ - quitAt, cost);
            // One that came while a frame was drawn is taken with the events right after it.
            if (platform.now_ > quitAt) {
                EXPECT_EQ(platform.log.back(), "events");
            }
        }
    }
}

// A decoder of solid pictures named by their colour ("ff0000"); "slow" pictures wait until
// the test opens their gate.
class GatedDecoder final : public PictureDecoder {
  public:
    struct Gate {
        std::mutex mutex;
        std::condition_variable opened;
        bool open = false;
    };
    explicit GatedDecoder(Gate& gate) : gate_(gate) {}

    std::optional<PictureSize> Probe(const std::string&) override { return PictureSize{8, 6}; }
    std::optional<Surface> Decode(const std::string& path) override {
        if (path.starts_with("slow-")) {
            std::unique_lock lock(gate_.mutex);
            gate_.opened.wait(lock, [this] { return gate_.open; });
        }
        const std::string colour = path.substr(path.starts_with("slow-") ? 5 : 0);
        return Surface(8, 6, static_cast<Pixel>(std::stoul(colour, nullptr, 16)));
    }

  private:
    Gate& gate_;
};

TEST(SaverLoop, PicturesChangeWithTheTimerAndASlowOneNeverHoldsTheFramesUp) {
    GatedDecoder::Gate gate;
    constexpr Pixel kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x00FF00;
    SaverSettings settings = testing::DefaultSceneSettings();
    settings.useSample = 0;
    settings.pictureSize = 1;
    settings.pictureInterval = 1;
    settings.pictures.paths = {"ff0000", "slow-0000ff", "00ff00"};
    FakePlatform platform;
    const std::int64_t start = platform.now_;
    const std::int64_t opensAt = start + 2'500 * kMs;
    platform.stopAt = start + 6'000 * kMs;
    // The slow picture's gate opens at 2.5 s. While a picture the worker can finish is due,
    // each wait also lasts 5 ms of real time, so that the worker thread gets
    // through whatever the machine's load (the fake clock does not move meanwhile).
    // The step (events or wait) at which each background was first seen.
    std::vector<std::pair<Pixel, std::string>> firstSeenAt;
    platform.beforeWait = [&](FakePlatform& p, std::int64_t) {
        const Surface& background = p.scene_->background();
        const Pixel corner = background.empty() ? 0 : background.at(0, 0);
        if (!p.frames.empty() && (firstSeenAt.empty() || firstSeenAt.back().first != corner)) {
            firstSeenAt.emplace_back(corner, p.log.back());
        }
        if (p.now_ >= opensAt) {
            std::lock_guard lock(gate.mutex);
            gate.open = true;
            gate.opened.notify_all();
        }
        const bool canFinish = p.now_ >= opensAt || p.frames.empty();
        if (canFinish && p.scene_->pictureDue()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    };
    RunLoop(platform, settings, [&] { return std::make_unique<GatedDecoder>(gate); });
    ASSERT_FALSE(platform.frames.empty());
    const std::int64_t firstStart = platform.frames.front().start;

    // The colours in the order they were shown, with the time each first was.
    std::vector<std::pair<Pixel, std::int64_t>> shown;
    std::int64_t longestGap = 0;
    for (std::size_t n = 0; n < platform.frames.size(); ++n) {
        const auto& frame = platform.frames[n];
        if (shown.empty() || shown.back().first != frame.background) {
            shown.emplace_back(frame.background, frame.start - firstStart);
        }
        if (n > 0) longestGap = std::max(longestGap, frame.start - platform.frames[n - 1].start);
    }
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(shown[0], std::make_pair(kRed, std::int64_t{0})) << "the first, from the start";
    EXPECT_EQ(shown[1].first, kBlue);
    EXPECT_EQ(shown[2].first, kGreen);
    // Due at 1 s, the slow one is shown only once ready, and the frames went on meanwhile.
    EXPECT_GE(shown[1].second, opensAt - firstStart);
    EXPECT_EQ(longestGap, 10 * kMs);
    // The ticks that passed while it was slow do not bring the next one straight after:
    // that is due at the first whole second after the slow one was taken.
    const std::int64_t nextTick = (shown[1].second / 1'000'000 + 1) * 1'000'000;
    EXPECT_GE(shown[2].second, nextTick);
    // A ready picture is taken between a frame's events and its wait, never elsewhere.
    ASSERT_GE(firstSeenAt.size(), 4u);
    for (std::size_t n = 1; n < firstSeenAt.size(); ++n) EXPECT_EQ(firstSeenAt[n].second, "wait");
    // Then the pace is the timer's again: the list starts over one second later.
    EXPECT_EQ(shown[3].first, kRed);
    EXPECT_EQ(shown[3].second / 1'000'000, shown[2].second / 1'000'000 + 1);
}

TEST(SaverLoop, AFailedPresentationIsFollowedByAWholeOne) {
    FakePlatform platform;
    platform.stopAt = platform.now_ + 80 * kMs;
    // The first presentation is whole; frame 3's fails; frame 4's is whole again.
    platform.presentCost = [&platform](int n) -> std::int64_t {
        if (n == 3) platform.failuresLeft = 1;
        return 0;
    };
    const SaverSettings settings = testing::DefaultSceneSettings();
    RunLoop(platform, settings);
    ASSERT_GE(platform.frames.size(), 6u);
    const auto& f = platform.frames;
    EXPECT_TRUE(f[0].whole);
    EXPECT_FALSE(f[1].whole);
    EXPECT_EQ(f[3].presentations, 0) << "failed";
    EXPECT_TRUE(f[4].whole);
    EXPECT_EQ(f[4].presentations, 1);
    EXPECT_FALSE(f[5].whole);
}

TEST(SaverLoop, ExposureAndTheDisplayComingBackPresentWholeFramesAndOffDrawsNothing) {
    FakePlatform platform;
    const std::int64_t start = platform.now_;
    platform.scripted.emplace(start + 35 * kMs, SaverEvent::kExposed);
    platform.scripted.emplace(start + 65 * kMs, SaverEvent::kDisplayOff);
    platform.scripted.emplace(start + 5'000 * kMs, SaverEvent::kDisplayOn);
    platform.scripted.emplace(start + 5'025 * kMs, SaverEvent::kQuit);
    const SaverSettings settings = testing::DefaultSceneSettings();
    RunLoop(platform, settings);
    std::vector<std::int64_t> wholeAt, startsAfterOff;
    for (const auto& frame : platform.frames) {
        if (frame.whole) wholeAt.push_back((frame.start - start) / kMs);
    }
    EXPECT_EQ(wholeAt, (std::vector<std::int64_t>{0, 40, 5'000}));
    for (const auto& frame : platform.frames) {
        EXPECT_FALSE(frame.start > start + 70 * kMs && frame.start < start + 5'000 * kMs)
            << "drawn while off at " << (frame.start - start) / kMs;
    }
}

// Catches a loop that writes no frame statistics where its setup says, or that counts the
// time the display was off as one long frame.
TEST(SaverLoop, FrameStatisticsAreWrittenAndLeaveOutTheTimeWithTheDisplayOff) {
    test::TempFolder folder;
    FakePlatform platform;
    const std::int64_t start = platform.now_;
    platform.scripted.emplace(start + 65 * kMs, SaverEvent::kDisplayOff);
    platform.scripted.emplace(start + 5'000 * kMs, SaverEvent::kDisplayOn);
    platform.scripted.emplace(start + 7'100 * kMs, SaverEvent::kQuit);
    const SaverSettings settings = testing::DefaultSceneSettings();
    SaverLoopSetup setup;
    setup.settings = &settings;
    setup.frameStatistics = folder.path() / "stats.txt";
    SaverLoop(platform, setup).Run();
    const std::string line = test::TempFolder::Read(setup.frameStatistics);
    const std::size_t at = line.find("longest_frame_ms=");
    ASSERT_NE(at, std::string::npos) << line;
    EXPECT_LT(std::stod(line.substr(at + 17)), 100.0) << line;
}

TEST(SaverLoop, NothingToDrawOnEndsWithStatusOneAtTheStartOrAfterAResize) {
    FakePlatform atStart;
    atStart.placementsThatWork = 0;
    const SaverSettings settings = testing::DefaultSceneSettings();
    EXPECT_EQ(RunLoop(atStart, settings), SaverLoop::kNothingToDrawOn);
    EXPECT_TRUE(atStart.frames.empty());

    FakePlatform resized;
    resized.placementsThatWork = 1;
    resized.scripted.emplace(resized.now_ + 25 * kMs, SaverEvent::kResized);
    EXPECT_EQ(RunLoop(resized, settings), SaverLoop::kNothingToDrawOn);
    EXPECT_EQ(resized.frames.size(), 3u);
}

// A window drag passes through many sizes between two frames: the scenes are made anew
// once, before the next frame, and that frame is presented whole.
TEST(SaverLoop, ResizesBetweenTwoFramesRebuildTheScenesOnceBeforeTheNextFrame) {
    FakePlatform platform;
    const std::int64_t start = platform.now_;
    for (const std::int64_t at : {21, 23, 25, 27}) {
        platform.scripted.emplace(start + at * kMs, SaverEvent::kResized);
    }
    platform.stopAt = start + 60 * kMs;
    EXPECT_EQ(RunLoop(platform, testing::DefaultSceneSettings()), 0);
    EXPECT_EQ(platform.placements, 2);
    ASSERT_GE(platform.frames.size(), 5u);
    EXPECT_FALSE(platform.frames[2].whole);
    EXPECT_TRUE(platform.frames[3].whole);  // the first frame of the new scenes
    EXPECT_EQ(platform.frames[3].start, start + 30 * kMs);
    EXPECT_FALSE(platform.frames[4].whole);
}

TEST(SaverLoop, ABallShrunkToFitKeepsTheShapeOfItsPerspective) {
    SaverSettings settings = testing::DefaultSceneSettings();
    settings.perspectiveOn = 1;
    settings.perspectiveDepth = 15;
    settings.scale = 240;
    const auto eyeAndRadius = [&](std::optional<std::int16_t> fitted) {
        FakePlatform platform;
        platform.fittedScale = fitted;
        platform.stopAt = platform.now_ + 5 * kMs;
        std::pair<double, int> seen;
        platform.beforeWait = [&seen](FakePlatform& p, std::int64_t) {
            const WireBall& ball = p.scene_->animation().wireBall();
            seen = {static_cast<double>(ball.eyeDistance), static_cast<int>(ball.radius)};
        };
        EXPECT_EQ(RunLoop(platform, settings), 0);
        return seen;
    };
    const auto [fullEye, fullRadius] = eyeAndRadius(std::nullopt);
    EXPECT_EQ(fullRadius, 240);
    EXPECT_DOUBLE_EQ(fullEye, 150.0);
    // At a quarter of the size the eye comes four times closer: the same picture, smaller.
    const auto [fittedEye, fittedRadius] = eyeAndRadius(std::int16_t{60});
    EXPECT_EQ(fittedRadius, 60);
    EXPECT_DOUBLE_EQ(fittedEye, 37.5);
}

}  // namespace
}  // namespace velnor
