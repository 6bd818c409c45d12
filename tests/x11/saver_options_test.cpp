// The native program's command line: every option's effect, the daemon's spellings, bad
// values (one line naming the option), and how the options override the settings file.
#include "x11/saver_options.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../settings/fake_file_system.h"
#include "settings/settings_table.h"

namespace velnor {
namespace {

std::optional<SaverOptions> Parse(std::vector<std::string> arguments,
                                  std::string* error = nullptr) {
    std::string ignored;
    return ParseSaverOptions(arguments, error ? *error : ignored);
}

// What a command line leaves after it was applied over the defaults, with colour names
// read by a fake display that knows "green" and "dark slate blue".
struct Applied {
    SaverOptions options;
    SaverSettings settings;
    std::vector<std::string> warnings;
};

std::optional<Applied> ParseAndApply(const std::vector<std::string>& arguments) {
    const auto options = Parse(arguments);
    if (!options) return std::nullopt;
    Applied result{*options, {}, {}};
    for (const SettingRow& row : SettingRows())
        SetNumber(row, result.settings, row.valueWhenMissing);
    test::FakeFileSystem files;
    const ColourByName names = [](std::string_view name) -> std::optional<ColourRef> {
        if (name == "green") return 0x008000;
        if (name == "dark slate blue") return 0x8B3D48;
        return std::nullopt;
    };
    ApplySettingsOverrides(options->settings, result.settings, files, names,
                           [&](const std::string& line) { result.warnings.push_back(line); });
    return result;
}

using Check = std::function<bool(const Applied&)>;

Check Parallels(ColourRef colour) {
    return [=](const Applied& a) { return a.settings.lineColours[1] == colour; };
}

// A colour nothing can read: one warning naming the option, and the default colour.
Check BadParallels() {
    return [](const Applied& a) {
        return a.settings.lineColours[1] == 65280 && a.warnings.size() == 1 &&
               a.warnings[0].find("--parallel-colour") != std::string::npos &&
               a.warnings[0].find('\n') == std::string::npos;
    };
}

TEST(SaverOptions, EveryOptionInEveryFormSetsWhatItSays) {
    struct Case {
        std::vector<std::string> arguments;
        Check holds;
    };
    const Case cases[] = {
        {{"--shape", "4"}, [](auto& a) { return a.settings.aspectTenths == 4; }},
        {{"--shape=16"}, [](auto& a) { return a.settings.aspectTenths == 16; }},
        {{"-shape", "7"}, [](auto& a) { return a.settings.aspectTenths == 7; }},
        {{"--perspective"}, [](auto& a) { return a.settings.perspectiveOn == 1; }},
        {{"--perspective", "--no-perspective"},
         [](auto& a) { return a.settings.perspectiveOn == 0; }},
        {{"--depth", "12"}, [](auto& a) { return a.settings.perspectiveDepth == 12; }},
        {{"--speed", "0"}, [](auto& a) { return a.settings.frameDelayMs == 0; }},
        {{"--speed", "1000"}, [](auto& a) { return a.settings.frameDelayMs == 1000; }},
        {{"--scale", "300"}, [](auto& a) { return a.settings.scale == 300; }},
        {{"--ball-colour", "255,0,17"},
         [](auto& a) {
             return a.settings.ballColour == std::array<std::int16_t, 3>{255, 0, 17};
         }},
        {{"--random-shape", "--random-depth", "--random-colour"},
         [](auto& a) {
             return a.settings.randomFlags == std::array<std::int16_t, 3>{1, 1, 1};
         }},
        {{"--random-depth", "--no-random-shape", "--no-random-colour"},
         [](auto& a) {
             return a.settings.randomFlags == std::array<std::int16_t, 3>{0, 1, 0};
         }},
        {{"--kinds", "JPG,bmp"},
         [](auto& a) {
             return a.settings.pictureKinds == PictureKindFlags{1, 0, 1, 0, 0};
         }},
        {{"--kinds", "gif,wmf,jpeg"},
         [](auto& a) {
             return a.settings.pictureKinds == PictureKindFlags{0, 1, 1, 1, 0};
         }},
        {{"--kinds", "PNG,gif"},
         [](auto& a) {
             return a.settings.pictureKinds == PictureKindFlags{0, 1, 0, 0, 1};
         }},
        {{"--interval", "1"}, [](auto& a) { return a.settings.pictureInterval == 1; }},
        {{"--own-size"}, [](auto& a) { return a.settings.pictureSize == 0; }},
        {{"--own-size", "--fit"}, [](auto& a) { return a.settings.pictureSize == 1; }},
        {{"--fit-whole"}, [](auto& a) { return a.settings.pictureSize == kWholePictureSize; }},
        {{"--fit-whole", "--own-size"}, [](auto& a) { return a.settings.pictureSize == 0; }},
        {{"--sample", "2"},
         [](auto& a) { return a.settings.useSample == 1 && a.settings.sampleChoice == 1; }},
        {{"--no-sample"},
         [](auto& a) { return a.settings.useSample == 0 && a.settings.sampleChoice == 0; }},
        // A folder alone selects the folder's pictures; an explicit sample wins in any order.
        {{"--folder", "/p"},
         [](auto& a) {
             return a.options.settings.values.pictureFolder == "/p" && a.settings.useSample == 0;
         }},
        {{"--sample", "1", "--folder", "/p"}, [](auto& a) { return a.settings.useSample == 1; }},
        // Colours: everything X takes, blanks around it allowed; red in the low byte.
        {{"--parallel-colour", "green"}, Parallels(0x008000)},
        {{"--parallel-colour", " dark slate blue "}, Parallels(0x8B3D48)},
        // One digit per component gives its high bits, as X reads it.
        {{"--parallel-colour", "#0f0"}, Parallels(0x00F000)},
        {{"--parallel-colour", "#123"}, Parallels(0x302010)},
        {{"--parallel-colour", "#00ff00"}, Parallels(0x00FF00)},
        {{"--parallel-colour", "#FF8000"}, Parallels(0x0080FF)},
        {{"--parallel-colour", "FF8000"}, Parallels(0x0080FF)},
        {{"--parallel-colour", "#fff000000"}, Parallels(0x0000FF)},
        {{"--parallel-colour", "#0000ffff8000"}, Parallels(0x80FF00)},
        {{"--parallel-colour", "rgb:00/ff/00"}, Parallels(0x00FF00)},
        {{"--parallel-colour", "RGB:0/f/0"}, Parallels(0x00FF00)},
        {{"--parallel-colour", "rgb:8/80/800"}, Parallels(0x808088)},
        {{"--parallel-colour", "rgbi:0/1/0.5"}, Parallels(0x80FF00)},
        {{"--parallel-colour", "\t#00ff00 "}, Parallels(0x00FF00)},
        {{"--meridian-colour=#0000ff"},
         [](auto& a) { return a.settings.lineColours[2] == ColourRef{0xFF0000}; }},
        {{"--parallel-colour", "nosuchcolour"}, BadParallels()},
        {{"--parallel-colour", "GG0000"}, BadParallels()},
        {{"--parallel-colour", "FF80"}, BadParallels()},
        {{"--parallel-colour", "#12345678"}, BadParallels()},
        {{"--parallel-colour", "#"}, BadParallels()},
        {{"--parallel-colour", "rgb:1/2"}, BadParallels()},
        {{"--parallel-colour", "rgb:12345/0/0"}, BadParallels()},
        {{"--parallel-colour", "rgbi:2/0/0"}, BadParallels()},
        {{"--parallel-colour", ""}, BadParallels()},
        // The options every display mode takes, in both spellings.
        {{"-fps"}, [](auto& a) { return a.options.showFrameRate; }},
        {{"--fps"}, [](auto& a) { return a.options.showFrameRate; }},
        {{"-delay", "20000"}, [](auto& a) { return a.settings.frameDelayMs == 20; }},
        {{"--delay=0"}, [](auto& a) { return a.settings.frameDelayMs == 0; }},
        {{"-delay", "5000000"}, [](auto& a) { return a.settings.frameDelayMs == 1000; }},
        {{"-display", ":7"}, [](auto& a) { return a.options.display == ":7"; }},
        {{"-install", "--visual", "TrueColor", "-mono", "--pair", "-visual=default"},
         [](auto& a) { return a.settings.scale == 128 && a.warnings.empty(); }},
        {{"--seed", "18446744073709551615"},
         [](auto& a) { return a.options.seed == std::uint64_t{18446744073709551615u}; }},
        {{"--no-shm"}, [](auto& a) { return a.options.noSharedMemory; }},
        {{"--help"}, [](auto& a) { return a.options.help; }},
        {{"-h"}, [](auto& a) { return a.options.help; }},
        {{"-version"}, [](auto& a) { return a.options.version && !a.options.help; }},
        // Nothing given: nothing overridden.
        {{},
         [](auto& a) {
             return a.options.settings.given.empty() && !a.options.seed &&
                    a.options.target == DrawTarget::kOwnWindow && !a.options.showFrameRate;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const auto applied = ParseAndApply(c.arguments);
        ASSERT_TRUE(applied);
        EXPECT_TRUE(c.holds(*applied));
    }
}

// Every option the table gives a row is one the parser takes.
TEST(SaverOptions, EveryRowsOptionIsTaken) {
    for (const SettingRow& row : SettingRows()) {
        std::vector<std::vector<std::string>> lines;
        const std::string option = "--" + std::string(row.name);
        switch (row.option) {
            case OptionForm::kNone:
                continue;
            case OptionForm::kNumber:
                lines = {{option, std::to_string(row.optionLow)},
                         {option, std::to_string(row.optionHigh)}};
                break;
            case OptionForm::kSwitch:
                lines = {{option}, {"--" + std::string(row.offName)}};
                break;
            case OptionForm::kColour:
            case OptionForm::kText:
                lines = {{option, "x"}};
                break;
        }
        for (const auto& line : lines) {
            const auto options = Parse(line);
            ASSERT_TRUE(options) << line[0];
            EXPECT_TRUE(options->settings.Given(row.name)) << line[0];
        }
    }
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
        {"--kinds", "tiff"},
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
        {"-delay", "-1"},
        {"-delay", "soon"},
        {"-visual"},
        {"-display", ""},
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
        {{"-"}, "unexpected"},           {{"-foo"}, "unknown option"},
        {{"--fps=1"}, "takes no value"},
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
    settings.pictureKinds = {1, 1, 1, 1, 1};
    settings.useSample = 1;

    const auto options = Parse(
        {"--scale", "200", "--meridian-colour", "0000FF", "--folder", "/pics", "--kinds", "jpg"});
    ASSERT_TRUE(options);
    ApplySettingsOverrides(options->settings, settings, files);
    EXPECT_EQ(settings.perspectiveOn, 0) << "not given, so as the file said";
    EXPECT_EQ(settings.aspectTenths, 10);
    EXPECT_EQ(settings.scale, 200);
    EXPECT_EQ(settings.lineColours[1], 65280);
    EXPECT_EQ(settings.lineColours[2], 0xFF0000);
    EXPECT_EQ(settings.useSample, 0);
    EXPECT_EQ(settings.pictures.paths, std::vector<std::string>{"/pics/a.jpg"});

    // A folder that does not exist leaves no pictures and stays named, as in the file.
    ApplySettingsOverrides(Parse({"--folder", "/nowhere"})->settings, settings, files);
    EXPECT_TRUE(settings.pictures.paths.empty());
    EXPECT_EQ(settings.pictureFolder, "/nowhere");
}

}  // namespace
}  // namespace velnor
