// The settings dialog's flows through a recording view: what reaches the window when the
// model changes, the saving buttons and closing, the folder browser and a listing the user
// interrupts, the selected picture, the focus and the default button.
#include "dialog/dialog_controller.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "dialog/control_ids.h"
#include "dialog_model_fixture.h"
#include "settings/load_settings.h"
#include "settings/picture_scan.h"
#include "temp_folder.h"

namespace velnor {
namespace {

using namespace control_id;
using namespace dialog_test;

struct RecordingView : DialogView {
    std::map<int, std::string> texts;
    std::map<int, ControlState> shown;
    std::map<int, bool> defaults;
    std::vector<int> focused, pressed;
    std::vector<Notice> told;
    std::optional<std::string> browsed;
    std::function<void()> onServe;  // what the user does while messages are served
    bool thumbnailHidden = false, busy = false;
    int browses = 0, closes = 0;
    mutable std::uint64_t now = 0;  // each look at the clock finds 100 ms gone

    void ShowText(int id, const std::string& text) override { texts[id] = text; }
    void ShowControl(int id, const ControlState& state) override { shown[id] = state; }
    void ShowListLines(const std::vector<std::string>&, std::optional<std::size_t>) override {}
    void RedrawPreview() override {}
    void HideThumbnail(bool hidden) override { thumbnailHidden = hidden; }
    void PlaceThumbnail() override {}
    void Focus(int id) override { focused.push_back(id); }
    void Press(int id) override { pressed.push_back(id); }
    void ShowDefaultButton(int id, bool isDefault) override { defaults[id] = isDefault; }
    void ShowBusy(bool b) override { busy = b; }
    std::uint64_t NowMs() const override { return now += 100; }
    bool ServeMessages() override {
        if (onServe) onServe();
        return true;
    }
    std::optional<std::string> BrowseForFolder(std::string_view) override {
        ++browses;
        return browsed;
    }
    std::optional<ColourRef> PickColour(ColourRef) override { return {}; }
    void Tell(const Notice& notice) override { told.push_back(notice); }
    void OpenLink(const std::string&) override {}
    void Close() override { ++closes; }

    int DefaultButton() const {
        int found = 0;
        for (const auto& [id, isDefault] : defaults) found = isDefault ? id : found;
        return found;
    }
};

// A controller over a fake file system holding a folder of three pictures, saving into a
// fresh folder.
struct Controlled {
    RecordingView view;
    test::TempFolder folder{"velnor-controller"};
    FakeFileSystem& fs;
    DialogController controller;

    explicit Controlled(const SaverSettings& settings = Defaults(),
                        PictureDateOf dateOf = PictureDate,
                        std::unique_ptr<FakeFileSystem> files = std::make_unique<FakeFileSystem>())
        : fs(*files),
          controller(view, SettingsLocation{folder.path() / kSettingsFileName, {}},
                     {std::move(files), MakePlatformTextEncoding(), [] { return nullptr; },
                      std::move(dateOf)}) {
        AddPictures(fs);
        controller.Load(settings);
    }
    std::filesystem::path SettingsFile() const { return folder.path() / kSettingsFileName; }
};

// Catches a change the model makes that never reaches the window.
TEST(DialogController, EveryControlShowsTheModelAfterAClick) {
    Controlled c;
    ASSERT_TRUE(c.view.shown.at(kRandomShapeBox).checked.has_value());
    const bool before = *c.view.shown.at(kRandomShapeBox).checked;
    c.controller.Click(kRandomShapeBox);
    EXPECT_EQ(c.view.shown.at(kRandomShapeBox).checked, !before);
    for (const int square : {kPerspectiveOff, kPerspectiveOn}) {
        c.controller.Click(square);
        EXPECT_EQ(c.view.shown.at(kDepthSpin).enabled, c.controller.model().Enabled(kDepthSpin));
        EXPECT_EQ(c.view.shown.at(kPerspectiveOff).tabStop, square == kPerspectiveOff)
            << "Tab stops at the selected square of the pair";
    }
    EXPECT_EQ(c.view.shown.at(kDepthSpin).scrollValue,
              c.controller.model().ScrollValue(kDepthSpin));
}

// Catches a failed save reported as success, a double close, and a button writing the
// other button's values.
TEST(DialogController, SavingButtonsWriteTellOnFailureAndCloseOnce) {
    struct Case {
        int button;
        bool writable;
        int intervalRead;  // what the file gives back (30 where there is none)
    };
    SaverSettings settings = Defaults();
    settings.pictureInterval = 45;
    for (const Case& k : {Case{kSaveButton, true, 45}, Case{kFactoryButton, true, 30},
                          Case{kSaveButton, false, 30}}) {
        Controlled c(settings);
        if (!k.writable) std::filesystem::create_directory(c.SettingsFile());  // in the way
        c.controller.Click(k.button);
        c.controller.Click(kCancelButton);  // a second way out while closing
        SaverSettings read;
        LoadSettings(read, c.SettingsFile(), c.fs, *MakePlatformTextEncoding());
        EXPECT_EQ(read.pictureInterval, k.intervalRead) << k.button;
        EXPECT_EQ(c.view.told.size(), k.writable ? 0u : 1u);
        EXPECT_EQ(c.view.closes, 1);
    }
}

// Catches a notice shown over a dialog that closed while the folder was listed or its
// dates read, and a second browser opened by a click served during the listing.
TEST(DialogController, AFolderTooLargeForTheListIsToldUnlessTheUserClosedMeanwhile) {
    enum class CloseWhile { kNever, kListing, kReadingDates };
    for (const CloseWhile when :
         {CloseWhile::kNever, CloseWhile::kListing, CloseWhile::kReadingDates}) {
        auto files = std::make_unique<FakeFileSystem>();
        files->Add("big", ".", kAttributeDirectory);
        for (int i = 0; i <= kMaxPictureCount; ++i) {
            files->Add("big", std::to_string(i) + ".bmp", kAttributeArchive);
        }
        bool readingDates = false;
        SaverSettings settings = Defaults();
        settings.pictureOrder = 2;  // by date
        Controlled c(
            settings,
            [&](const std::string&) {
                readingDates = true;
                return std::optional<std::int64_t>(0);
            },
            std::move(files));
        RecordingView& view = c.view;
        DialogController& controller = c.controller;
        view.browsed = "big";
        view.onServe = [&] {
            if (!readingDates) controller.Click(kFolderButton);  // ignored while listing
            if (when == (readingDates ? CloseWhile::kReadingDates : CloseWhile::kListing)) {
                controller.Close();
            }
        };
        controller.Click(kFolderButton);
        EXPECT_EQ(view.browses, 1);
        EXPECT_EQ(view.told.size(), when == CloseWhile::kNever ? 1u : 0u);
        EXPECT_EQ(view.closes, when == CloseWhile::kNever ? 0 : 1);
        EXPECT_FALSE(view.busy);
    }
}

// Catches a folder stored in short form shown by that form, a long name shown for a path
// without one, and the long name written over the stored text the user did not change.
TEST(DialogController, AFolderStoredInShortFormShowsItsLongNameAndIsSavedAsStored) {
    struct Case {
        std::string stored, shown;
    };
    for (const Case& k :
         {Case{"C:\\PHOTOS~1", "C:\\Photos of 2026"}, Case{"C:\\Photos", "C:\\Photos"}}) {
        auto files = std::make_unique<FakeFileSystem>();
        files->longNames = {{"C:\\PHOTOS~1", "C:\\Photos of 2026"}, {"C:\\Photos", "C:\\Other"}};
        SaverSettings settings = Defaults();
        settings.pictureFolder = k.stored;
        Controlled c(settings, PictureDate, std::move(files));
        EXPECT_EQ(c.controller.model().Text(kFolderPath), k.shown);
        c.controller.Click(kSaveButton);
        EXPECT_NE(test::TempFolder::Read(c.SettingsFile()).find(k.stored), std::string::npos);
    }
}

// Catches the thumbnail box left hidden, or the hourglass left on, after an unreadable file.
TEST(DialogController, AnUnreadablePictureLeavesTheThumbnailShownAndTheDialogIdle) {
    Controlled c;
    c.view.browsed = kPics;
    c.controller.Click(kFolderButton);
    ASSERT_FALSE(c.controller.model().listLines().empty());
    c.controller.SelectLine(0);
    EXPECT_FALSE(c.view.thumbnailHidden);
    EXPECT_FALSE(c.controller.busy());
    EXPECT_EQ(c.controller.model().selectedLine(), 0u);
}

// Catches the focus restored to a control that became disabled, and Enter clicking "設定"
// while another push button has the focus.
TEST(DialogController, FocusReturnsToAnEnabledControlAndTheFocusedButtonIsTheDefault) {
    Controlled c;
    EXPECT_EQ(c.view.DefaultButton(), kSaveButton);
    c.controller.FocusChanged(kFactoryButton, true);
    EXPECT_EQ(c.view.DefaultButton(), kFactoryButton);
    c.controller.FocusChanged(kFactoryButton, false);
    EXPECT_EQ(c.view.DefaultButton(), kSaveButton);

    c.controller.Click(kPerspectiveOn);
    c.controller.FocusChanged(kDepthSpin, true);
    c.controller.RestoreFocus();
    EXPECT_EQ(c.view.focused.back(), kDepthSpin);
    c.controller.Click(kPerspectiveOff);  // the depth controls are disabled now
    ASSERT_FALSE(c.controller.model().Enabled(kDepthSpin));
    c.controller.RestoreFocus();
    EXPECT_NE(c.view.focused.back(), kDepthSpin);
    EXPECT_TRUE(c.controller.model().Enabled(c.view.focused.back()));
}

}  // namespace
}  // namespace velnor
