// velnor-render's background: the sample picture stretched over the whole frame, and the
// folder's pictures changed at frames N + 1, 2N + 1, ... in list order, an unreadable
// file keeping the picture before it.
#include "render_background.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "../engine/picture_bytes.h"
#include "engine/picture_decoder.h"
#include "temp_folder.h"

namespace velnor::render {
namespace {

TEST(RenderBackground, SampleIsStretchedOverTheWholeFrameAndNeverChanges) {
    const char* const files[] = {"/sample1.jpg", "/sample2.jpg"};
    for (const std::int16_t choice : {std::int16_t{0}, std::int16_t{1}}) {
        SaverSettings settings;
        settings.useSample = 1;
        settings.sampleChoice = choice;
        RenderBackground background(settings, 333, 250, 1, true);
        const auto sample =
            MakePictureDecoder()->Decode(std::string(VELNOR_RESOURCE_DIR) + files[choice]);
        ASSERT_TRUE(sample);
        const Surface first = background.ForFrame(1);
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
        for (const long long frame : {2LL, 3LL, 1000LL}) {
            EXPECT_EQ(background.ForFrame(frame), first);
            EXPECT_FALSE(background.changed());
        }
    }
}

class FolderBackground : public ::testing::Test {
  protected:
    FolderBackground() {
        testing::WriteBytes(folder + "/a.bmp", testing::SolidBmp(8, 6, 6, 0, 0, 255));
        testing::WriteBytes(folder + "/b.bmp", testing::SolidBmp(8, 6, 6, 255, 0, 0));
        std::ofstream(folder + "/damaged.bmp") << "BM not really";
    }

    // The top-left pixel of frames 1..count and the frames at which changed() was true.
    std::pair<std::vector<Pixel>, std::vector<long long>> Run(
        std::initializer_list<const char*> names, long long framesPerPicture, int count) {
        SaverSettings settings;
        settings.useSample = 0;
        settings.pictureSize = 1;
        for (const char* name : names) settings.pictures.picturePaths.push_back(folder + name);
        settings.pictures.pictureCount = static_cast<std::int16_t>(names.size());
        RenderBackground background(settings, 40, 30, framesPerPicture, true);
        std::vector<Pixel> corners;
        std::vector<long long> changes;
        for (int frame = 1; frame <= count; ++frame) {
            corners.push_back(background.ForFrame(frame).at(0, 0));
            if (background.changed()) changes.push_back(frame);
        }
        return {corners, changes};
    }

    static constexpr Pixel kRed = 0xFF0000, kBlue = 0x0000FF;
    test::TempFolder temp{"velnor-render-background"};
    const std::string folder = temp.path().string();
};

TEST_F(FolderBackground, PicturesChangeEveryNFramesInListOrder) {
    const auto [corners, changes] = Run({"/a.bmp", "/b.bmp"}, 4, 13);
    const std::vector<Pixel> expected = {kRed,  kRed, kRed, kRed, kBlue, kBlue, kBlue,
                                         kBlue, kRed, kRed, kRed, kRed,  kBlue};
    EXPECT_EQ(corners, expected);
    EXPECT_EQ(changes, (std::vector<long long>{5, 9, 13}));
}

TEST_F(FolderBackground, AnUnreadableFileKeepsThePictureBeforeIt) {
    const auto [corners, changes] = Run({"/a.bmp", "/damaged.bmp", "/b.bmp"}, 3, 10);
    const std::vector<Pixel> expected = {kRed, kRed,  kRed,  kRed,  kRed,
                                         kRed, kBlue, kBlue, kBlue, kRed};
    EXPECT_EQ(corners, expected);
    EXPECT_EQ(changes, (std::vector<long long>{7, 10}));
}

TEST(RenderBackground, FramesPerPictureFromTheOptionOrTheIntervalAt60PerSecond) {
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
