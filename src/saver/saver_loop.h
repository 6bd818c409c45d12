// The running saver's frame loop, the same on every platform: per frame a paced start,
// the composition of every scene, their presentation, the platform's pending events, the
// swap of a picture that is ready, the wait until the next frame is due, the tilt step and
// the picture timer. A quit is acted on before the next frame is composed, however long
// frames take; the platform (SaverPlatform) supplies only the clock, the wait that
// watches its events, and the outputs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "engine/background_preparer.h"
#include "engine/surface.h"
#include "saver/frame_statistics.h"
#include "saver/picture_timer.h"
#include "saver/presentation_plan.h"
#include "saver/saver_platform.h"
#include "saver/saver_scene.h"
#include "settings/saver_settings.h"

namespace velnor {

// When the loop waits for a folder picture's worker.
enum class PictureWaits {
    // A saver: the first pictures are waited for at most kFirstPictureWait while events
    // are handled (a quit ends the wait); later pictures are swapped in once ready.
    kBounded,
    // The first pictures are waited for until ready, later ones are swapped in once ready.
    kFirst,
    // Every due picture is waited for until ready, so off-screen runs give the same frames.
    kEvery,
};

struct SaverLoopSetup {
    const SaverSettings* settings = nullptr;
    const Surface* sample = nullptr;  // the chosen sample picture when useSample is 1
    BackgroundPreparer::DecoderFactory makeDecoder;
    SaverScene::PictureSourceFactory makePictureSource;  // empty: the loaded list stays
    PictureWaits pictureWaits = PictureWaits::kBounded;
    // Where the frame statistics are written once a second; empty: nowhere.
    std::filesystem::path frameStatistics;
};

class SaverLoop {
  public:
    static constexpr std::int64_t kTimerTick = 1'000'000;         // Timer1: once a second
    static constexpr std::int64_t kFirstPictureWait = 3'000'000;  // at most, at the start
    static constexpr std::int64_t kFirstPicturePoll = 5'000;      // how often it is looked at
    static constexpr int kNothingToDrawOn = 1;                    // the exit status then

    SaverLoop(SaverPlatform& platform, const SaverLoopSetup& setup);

    // Draws frames until a quit. Returns the exit status: 0, or kNothingToDrawOn when no
    // scene could be made, at the start or after a resize.
    int Run();

    const std::vector<std::unique_ptr<SaverScene>>& scenes() const { return scenes_; }

  private:
    enum class Next { kGoOn, kQuit, kFail };

    bool BuildScenes();
    Next TakeFirstPictures();
    // One frame: new scenes after a resize, paced start, composition, presentation,
    // pending events, the due picture, the wait until the next frame is due (`due` on
    // return), the tilt, the picture timer.
    Next RunFrame(std::int64_t& due);
    // Draws and presents one frame; returns when the next one is due.
    std::int64_t DrawFrame(std::int64_t frameStart);
    // Acts on the platform's events until `deadline` (a passed one: those pending).
    Next HandleEvents(std::int64_t deadline);
    Next Act(SaverEvent event);
    void TakeDuePictures(bool wait);
    void TickPictureTimer(std::int64_t now);
    void QueryRefreshTiming(std::int64_t now);

    SaverPlatform& platform_;
    const SaverLoopSetup setup_;
    const bool usesFolder_;
    std::vector<std::unique_ptr<SaverScene>> scenes_;
    PictureTimer pictureTimer_;
    FrameStatisticsFile statistics_;
    std::int64_t nextTick_ = 0;
    RefreshSchedule refreshSchedule_;
    std::int64_t refreshQueried_ = INT64_MIN / 2;
    bool visible_ = true;
    bool resized_ = false;  // the scenes are rebuilt before the next frame
};

}  // namespace velnor
