// The native program's command line: every option's effect, the daemon's spellings, bad
// values (one line naming the option), and how the options override the settings file.
#include "x11/saver_options.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../settings/fake_file_system.h"

namespace velnor {
namespace {

std::optional<SaverOptions> Parse(std::vector<std::string> arguments,
                                  std::string* error = nullptr) {
    std::string ignored;
    return ParseSaverOptions(arguments, error ? *error : ignored);
}

TEST(SaverOptions, EveryOptionSetsItsSetting) {
    struct Case {
        std::vector<std::string> arguments;
        std::function<bool(const SaverOptions&)> holds;
    };
    const Case cases[] = {
        {{"--shape", "4"}, [](auto& o) { return o.settings.aspectTenths == 4; }},
        {{"--shape=16"}, [](auto& o) { return o.settings.aspectTenths == 16; }},
        {{"--perspective"}, [](auto& o) { return o.settings.perspectiveOn == 1; }},
        {{"--perspective", "--no-perspective"},
         [](auto& o) { return o.settings.perspectiveOn == 0; }},
        {{"--depth", "12"}, [](auto& o) { return o.settings.perspectiveDepth == 12; }},
        {{"--speed", "0"}, [](auto& o) { return o.settings.frameDelayMs == 0; }},
        {{"--speed", "1000"}, [](auto& o) { return o.settings.frameDelayMs == 1000; }},
        {{"--scale", "300"}, [](auto& o) { return o.settings.scale == 300; }},
        {{"--ball-colour", "255,0,17"},
         [](auto& o) {
             return o.settings.ballColour == std::array<std::int16_t, 3>{255, 0, 17};
         }},
        {{"--random-shape", "--random-depth", "--random-colour"},
         [](auto& o) {
             return o.settings.randomFlags == std::array<std::optional<std::int16_t>, 3>{1, 1, 1};
         }},
        {{"--random-depth", "--no-random-shape", "--no-random-colour"},
         [](auto& o) {
             return o.settings.randomFlags == std::array<std::optional<std::int16_t>, 3>{0, 1, 0};
         }},
        // The settings file's colours hold red in the low byte.
        {{"--parallel-colour", "FF8000"},
         [](auto& o) { return o.settings.parallelColour == ColourRef{0x0080FF}; }},
        {{"--meridian-colour", "#0000ff"},
         [](auto& o) { return o.settings.meridianColour == ColourRef{0xFF0000}; }},
        {{"--kinds", "JPG,bmp"},
         [](auto& o) {
             return o.settings.pictureKinds == std::array<std::int16_t, 4>{1, 0, 1, 0};
         }},
        {{"--kinds", "gif,wmf,jpeg"},
         [](auto& o) {
             return o.settings.pictureKinds == std::array<std::int16_t, 4>{0, 1, 1, 1};
         }},
        {{"--interval", "1"}, [](auto& o) { return o.settings.pictureInterval == 1; }},
        {{"--fit"}, [](auto& o) { return o.settings.pictureSize == 1; }},
        {{"--own-size"}, [](auto& o) { return o.settings.pictureSize == 0; }},
        {{"--sample", "2"},
         [](auto& o) { return o.settings.useSample == 1 && o.settings.sampleChoice == 1; }},
        {{"--no-sample"},
         [](auto& o) { return o.settings.useSample == 0 && !o.settings.sampleChoice; }},
        // A folder alone selects the folder's pictures; an explicit sample wins in any order.
        {{"--folder", "/p"},
         [](auto& o) { return o.settings.pictureFolder == "/p" && o.settings.useSample == 0; }},
        {{"--sample", "1", "--folder", "/p"}, [](auto& o) { return o.settings.useSample == 1; }},
        {{"--seed", "18446744073709551615"},
         [](auto& o) { return o.seed == std::uint64_t{18446744073709551615u}; }},
        {{"--no-shm"}, [](auto& o) { return o.noSharedMemory; }},
        {{"--help"}, [](auto& o) { return o.help; }},
        {{"-h"}, [](auto& o) { return o.help; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const auto options = Parse(c.arguments);
        ASSERT_TRUE(options);
        EXPECT_TRUE(c.holds(*options));
    }
    // Nothing given: nothing overridden.
    const auto none = Parse({});
    ASSERT_TRUE(none);
    EXPECT_FALSE(none->settings.aspectTenths || none->settings.useSample || none->seed);
    EXPECT_EQ(none->target, DrawTarget::kOwnWindow);
}

TEST(SaverOptions, DrawTargetsInTheDaemonsSpellings) {
    EXPECT_EQ(Parse({"-root"})->target, DrawTarget::kRoot);
    EXPECT_EQ(Parse({"--root"})->target, DrawTarget::kRoot);
    EXPECT_EQ(Parse({"--root", "--window"})->target, DrawTarget::kOwnWindow);
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"-window-id", "0x2a"}, {"--window-id", "42"}, {"--window-id=0X2A"}}) {
        const auto options = Parse(arguments);
        ASSERT_TRUE(options);
        EXPECT_EQ(options->target, DrawTarget::kGivenWindow);
        EXPECT_EQ(options->windowId, 42u);
    }
    EXPECT_EQ(ParseWindowId("0xffffffff"), 0xFFFFFFFFu);
    for (const char* bad : {"0", "0x0", "0x", "x2a", "-5", "42 ", "4294967296", "0x1g", ""}) {
        EXPECT_FALSE(ParseWindowId(bad)) << bad;
    }
}

TEST(SaverOptions, BadValuesGiveOneLineNamingTheOption) {
    const std::vector<std::vector<std::string>> bad = {
        {"--shape", "3"},
        {"--shape", "17"},
        {"--shape", "10.5"},
        {"--shape", "ten"},
        {"--depth", "11"},
        {"--depth", "26"},
        {"--speed", "-1"},
        {"--speed", "1001"},
        {"--scale", "15"},
        {"--scale", "1025"},
        {"--ball-colour", "1,2"},
        {"--ball-colour", "1,2,3,4"},
        {"--ball-colour", "256,0,0"},
        {"--ball-colour", "a,b,c"},
        {"--ball-colour", ",,"},
        {"--parallel-colour", "FF80"},
        {"--parallel-colour", "GG0000"},
        {"--meridian-colour", "#12345678"},
        {"--kinds", "png"},
        {"--kinds", ""},
        {"--kinds", "bmp,,gif"},
        {"--interval", "0"},
        {"--interval", "32768"},
        {"--sample", "0"},
        {"--sample", "3"},
        {"--seed", "-1"},
        {"--seed", "18446744073709551616"},
        {"--window-id", "0"},
        {"--folder", ""},
    };
    for (const auto& arguments : bad) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        std::string error;
        EXPECT_FALSE(Parse(arguments, &error));
        const std::string name = arguments[0];
        EXPECT_NE(error.find(name), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

TEST(SaverOptions, MalformedCommandLinesAreRefused) {
    struct Case {
        std::vector<std::string> arguments;
        const char* mentions;
    };
    const Case cases[] = {
        {{"--shape"}, "--shape needs"},  {{"--colour", "1"}, "unknown option"},
        {{"picture.jpg"}, "unexpected"}, {{"--perspective=1"}, "takes no value"},
        {{"-"}, "unexpected"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(Parse(c.arguments, &error));
        EXPECT_NE(error.find(c.mentions), std::string::npos) << error;
    }
}

TEST(SaverOptions, OverridesReplaceOnlyWhatWasGivenAndRescanTheFolder) {
    test::FakeFileSystem files;
    files.Add("/pics", "a.jpg", 0);
    files.Add("/pics", "b.bmp", 0);
    SaverSettings settings;
    settings.aspectTenths = 10;
    settings.scale = 128;
    settings.lineColours = {0, 65280, 16776960};
    settings.pictureKinds = {1, 1, 1, 1};
    settings.useSample = 1;

    const auto options = Parse(
        {"--scale", "200", "--meridian-colour", "0000FF", "--folder", "/pics", "--kinds", "jpg"});
    ASSERT_TRUE(options);
    ApplySettingsOverrides(options->settings, settings, files);
    EXPECT_EQ(settings.aspectTenths, 10);
    EXPECT_EQ(settings.scale, 200);
    EXPECT_EQ(settings.lineColours[1], 65280);
    EXPECT_EQ(settings.lineColours[2], 0xFF0000);
    EXPECT_EQ(settings.useSample, 0);
    ASSERT_EQ(settings.pictures.pictureCount, 1);
    EXPECT_EQ(settings.pictures.picturePaths[1], "/pics/a.jpg");

    // A folder that does not exist leaves no pictures, as in the settings file.
    ApplySettingsOverrides(Parse({"--folder", "/nowhere"})->settings, settings, files);
    EXPECT_EQ(settings.pictures.pictureCount, 0);
    EXPECT_EQ(settings.pictureFolder, "");
}

}  // namespace
}  // namespace velnor
