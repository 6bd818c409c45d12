// velnor-render's clock, scene and frame sink for the saver loop.
#include "render_platform.h"

#include <algorithm>

#include "engine/picture_decoder.h"
#include "resource_dir.h"
#include "saver/saver_scene.h"

namespace velnor::render {
namespace {

constexpr long long kAssumedFramesPerSecond = 60;

// Off screen every frame is shown; nothing can fail.
class NoOutput final : public FrameOutput {
  public:
    bool Show(std::span<const Rect>) override { return true; }
};

}  // namespace

long long FramesPerPicture(const SaverSettings& settings, long long pictureEveryOption) {
    if (pictureEveryOption > 0) return pictureEveryOption;
    return std::max<long long>(1, settings.pictureInterval) * kAssumedFramesPerSecond;
}

std::optional<Surface> LoadSample(int sampleChoice) {
    if (sampleChoice != 0 && sampleChoice != 1) return std::nullopt;
    const std::string path =
        std::string(VELNOR_RESOURCE_DIR) + (sampleChoice == 0 ? "/sample1.jpg" : "/sample2.jpg");
    return MakePictureDecoder()->Decode(path);
}

RenderPlatform::RenderPlatform(int width, int height, std::uint64_t seed, long long frames,
                               long long framesPerPicture, bool timing, FrameSink sink)
    : width_(width),
      height_(height),
      seed_(seed),
      frames_(frames),
      framesPerPicture_(std::max(1LL, framesPerPicture)),
      timing_(timing),
      sink_(std::move(sink)) {}

std::optional<SaverEvent> RenderPlatform::WaitUntil(std::int64_t deadline) {
    if (!error_.empty() || done_ >= frames_) return SaverEvent::kQuit;
    if (deadline <= now_) return std::nullopt;
    if (timing_) PaceFrame(frameStart_);
    // The picture timer ticks once this clock reaches a whole second: after frame N - 1,
    // 2N - 1, ..., so the next picture is taken after frame N and composed in frame N + 1.
    now_ = (done_ + 1) * 1'000'000 / framesPerPicture_;
    frameStart_ = FrameTimes::Clock::now();
    return std::nullopt;
}

ScenePlan RenderPlatform::PlaceScenes() {
    return ScenePlan{PlanSaverScreens({}, Rect{0, 0, width_, height_}, seed_), std::nullopt};
}

std::unique_ptr<FrameOutput> RenderPlatform::MakeOutput(const SaverScene& scene) {
    scene_ = &scene;
    return std::make_unique<NoOutput>();
}

void RenderPlatform::FrameDone(std::int64_t, const FramePresentations&) {
    ++done_;
    if (timing_) times_.Add(done_, frameStart_, scene_->composedNewPicture());
    if (error_.empty()) error_ = sink_(done_, *scene_);
}

int RenderFrames(RenderPlatform& platform, const SaverSettings& settings) {
    if (platform.frames() <= 0) return 0;
    // The loop's picture timer counts seconds of the platform's clock, one per picture.
    SaverSettings loopSettings = settings;
    loopSettings.pictureInterval = 1;
    const std::optional<Surface> sample =
        settings.useSample == 1 ? LoadSample(settings.sampleChoice) : std::nullopt;
    SaverLoopSetup setup;
    setup.settings = &loopSettings;
    setup.sample = sample ? &*sample : nullptr;
    setup.makeDecoder = MakeBackgroundPictureDecoder;
    setup.pictureWaits = platform.timing() ? PictureWaits::kFirst : PictureWaits::kEvery;
    return SaverLoop(platform, setup).Run();
}

}  // namespace velnor::render
