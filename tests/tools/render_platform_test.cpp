// velnor-render on the saver loop: the sample picture stretched over the whole frame, and
// the folder's pictures changed at frames N + 1, 2N + 1, ... in list order, an unreadable
// file keeping the picture before it.
#include "render_platform.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "../engine/picture_bytes.h"
#include "engine/picture_decoder.h"
#include "resource_dir.h"
#include "saver/saver_scene.h"
#include "temp_folder.h"

namespace velnor::render {
namespace {

// The backgrounds of frames 1..count (empty: black); the frames composed on a new picture
// in `changes`.
std::vector<Surface> Backgrounds(const SaverSettings& settings, int width, int height,
                                 long long framesPerPicture, long long count,
                                 std::vector<long long>* changes = nullptr) {
    std::vector<Surface> backgrounds;
    RenderPlatform platform(width, height, 1, count, framesPerPicture, false,
                            [&](long long frame, const SaverScene& scene) {
                                backgrounds.push_back(scene.background());
                                if (changes && scene.composedNewPicture()) {
                                    changes->push_back(frame);
                                }
                                return std::string();
                            });
    EXPECT_EQ(RenderFrames(platform, settings), 0);
    return backgrounds;
}

TEST(RenderPlatform, SampleIsStretchedOverTheWholeFrameAndNeverChanges) {
    const char* const files[] = {"/sample1.jpg", "/sample2.jpg"};
    for (const std::int16_t choice : {std::int16_t{0}, std::int16_t{1}}) {
        SaverSettings settings;
        settings.useSample = 1;
        settings.sampleChoice = choice;
        const std::vector<Surface> frames = Backgrounds(settings, 333, 250, 1, 4);
        const auto sample =
            MakePictureDecoder()->Decode(std::string(VELNOR_RESOURCE_DIR) + files[choice]);
        ASSERT_TRUE(sample);
        ASSERT_EQ(frames.size(), 4u);
        const Surface& first = frames.front();
        ASSERT_EQ(first.width(), 333);
        ASSERT_EQ(first.height(), 250);
        // Each frame pixel shows the sample pixel under its centre.
        for (int y = 0; y < 250; ++y) {
            for (int x = 0; x < 333; ++x) {
                const int u = (2 * x + 1) * sample->width() / (2 * 333);
                const int v = (2 * y + 1) * sample->height() / (2 * 250);
                ASSERT_EQ(first.at(x, y), sample->at(u, v)) << choice << ": " << x << "," << y;
            }
        }
        for (const Surface& later : frames) EXPECT_EQ(later, first);
    }
}

class FolderBackground : public ::testing::Test {
  protected:
    FolderBackground() {
        testing::WriteBytes(folder + "/a.bmp", testing::SolidBmp(8, 6, 6, 0, 0, 255));
        testing::WriteBytes(folder + "/b.bmp", testing::SolidBmp(8, 6, 6, 255, 0, 0));
        std::ofstream(folder + "/damaged.bmp") << "BM not really";
    }

    // The top-left background pixel of frames 1..count.
    std::vector<Pixel> Run(std::initializer_list<const char*> names, long long framesPerPicture,
                           int count, std::vector<long long>* changes = nullptr) {
        SaverSettings settings;
        settings.useSample = 0;
        settings.pictureSize = 1;
        for (const char* name : names) settings.pictures.paths.push_back(folder + name);
        std::vector<Pixel> corners;
        for (const Surface& frame :
             Backgrounds(settings, 40, 30, framesPerPicture, count, changes)) {
            corners.push_back(frame.empty() ? kBlack : frame.at(0, 0));  // empty: black
        }
        return corners;
    }

    static constexpr Pixel kRed = 0xFF0000, kBlue = 0x0000FF, kBlack = 0;
    test::TempFolder temp{"velnor-render-platform"};
    const std::string folder = temp.path().string();
};

TEST_F(FolderBackground, PicturesChangeEveryNFramesInListOrder) {
    std::vector<long long> changes;
    const Pixel R = kRed, B = kBlue;
    EXPECT_EQ(Run({"/a.bmp", "/b.bmp"}, 4, 13, &changes),
              (std::vector<Pixel>{R, R, R, R, B, B, B, B, R, R, R, R, B}));
    // The first picture is there from the first frame on; that is no change.
    EXPECT_EQ(changes, (std::vector<long long>{5, 9, 13}));
}

// Catches an unreadable file holding the picture before it (or black) for a whole interval.
TEST_F(FolderBackground, AnUnreadableFileIsPassedOverAtOnce) {
    std::vector<long long> changes;
    const Pixel R = kRed, B = kBlue;
    EXPECT_EQ(Run({"/a.bmp", "/damaged.bmp", "/b.bmp"}, 3, 10, &changes),
              (std::vector<Pixel>{R, R, R, B, B, B, R, R, R, B}));
    EXPECT_EQ(changes, (std::vector<long long>{4, 7, 10}));
    // Unreadable first: the next one from the first frame on.
    EXPECT_EQ(Run({"/damaged.bmp", "/a.bmp"}, 3, 7), (std::vector<Pixel>(7, R)));
}

TEST(RenderPlatform, FramesPerPictureFromTheOptionOrTheIntervalAt60PerSecond) {
    SaverSettings settings;
    const std::tuple<std::int16_t, long long, long long> cases[] = {
        {30, 0, 1800}, {1, 0, 60}, {0, 0, 60}, {-5, 0, 60}, {30, 7, 7}};
    for (const auto& [interval, option, frames] : cases) {
        settings.pictureInterval = interval;
        EXPECT_EQ(FramesPerPicture(settings, option), frames) << interval << " " << option;
    }
}

}  // namespace
}  // namespace velnor::render
