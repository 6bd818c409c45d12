// Where the dialog's focus goes, over the real control table and the model: a group's
// selected square, never a disabled control, the letters' targets as the values stand, the
// default push button and the control a mouse press focuses.
#include "dialog/dialog_focus.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <utility>

#include "dialog/control_ids.h"
#include "dialog_model_fixture.h"

namespace velnor {
namespace {

using namespace control_id;
using dialog_test::Defaults;
using dialog_test::Dialog;

SaverSettings With(std::int16_t perspective, std::int16_t useSample, std::int16_t order = 0) {
    SaverSettings s = Defaults();
    s.perspectiveOn = perspective;
    s.useSample = useSample;
    s.pictureOrder = order;
    return s;
}

// Catches the focus (Tab's stop, a letter, the opening focus) landing on a square that
// is not selected, or nowhere when no square of the group is.
TEST(DialogFocus, AGroupTakesTheFocusAtItsSelectedSquareElseItsFirst) {
    struct Case {
        SaverSettings settings;
        int id, target;
    };
    for (const Case& c :
         {Case{With(1, 1), kPerspectiveOff, kPerspectiveOn},
          Case{With(0, 1), kPerspectiveOn, kPerspectiveOff},
          Case{With(0, 0, 2), kListedOrder, kDateOrder},
          Case{With(0, 0, 9), kShuffledOrder, kListedOrder}, Case{With(0, 0), kBmpKind, kBmpKind},
          Case{With(0, 0), kPictureList, kPictureList}}) {
        const Dialog d(c.settings);
        EXPECT_EQ(FocusTarget(d.model, c.id), c.target) << control_id::NameOf(c.id);
    }
    EXPECT_EQ(FirstFocusStop(Dialog().model), kShapeSpin);
}

// Catches a letter that reaches a disabled control or an unselected square, a button's
// letter that moves the focus instead of clicking, and lower case not being taken.
TEST(DialogFocus, LettersActOnlyOnEnabledControlsAtTheSelectedSquare) {
    struct Case {
        SaverSettings settings;
        char letter;
        int target;  // 0: the letter does nothing
        bool clicks;
    };
    for (const Case& c :
         {Case{With(1, 1), 'p', kPerspectiveOn, false},
          Case{With(0, 1), 'P', kPerspectiveOff, false}, Case{With(0, 1), 'E', 0, false},
          Case{With(1, 1), 'E', kDepthSpin, false}, Case{With(0, 1), 'F', 0, false},
          Case{With(0, 0), 'f', kPictureList, false},
          Case{With(0, 0, 3), 'N', kShuffledOrder, false}, Case{With(0, 1), 'O', 0, false},
          Case{With(0, 0), 'O', kFolderButton, true}, Case{With(0, 1), 's', kSaveButton, true},
          Case{With(0, 1), '?', 0, false}}) {
        const std::optional<Mnemonic> action = MnemonicAction(Dialog(c.settings).model, c.letter);
        EXPECT_EQ(action ? action->target : 0, c.target) << c.letter;
        EXPECT_EQ(action && action->clicks, c.clicks) << c.letter;
    }
}

// Catches Enter clicking "設定" while another push button has the focus, or a focused
// control that is no button taking the default.
TEST(DialogFocus, EnterClicksTheFocusedPushButtonElseSave) {
    for (const auto& [focused, button] :
         {std::pair{kCancelButton, kCancelButton}, std::pair{kFactoryButton, kFactoryButton},
          std::pair{kParallelColourButton, kParallelColourButton},
          std::pair{kPictureList, kSaveButton}, std::pair{kPerspectiveOn, kSaveButton},
          std::pair{0, kSaveButton}}) {
        EXPECT_EQ(DefaultButtonFor(focused), button) << focused;
    }
}

// Catches a press on a caption focusing the caption, or focusing a disabled control.
TEST(DialogFocus, APressFocusesTheControlACaptionActsOnWhileItIsEnabled) {
    for (const auto& [settings, pressed, focused] :
         {std::tuple{With(0, 1), kPerspectiveOnCaption, kPerspectiveOn},
          std::tuple{With(0, 1), kUseSampleCaption, kUseSampleBox},
          std::tuple{With(0, 1), kFirstSample, kFirstSample},
          std::tuple{With(0, 0), kFirstSampleCaption, 0},
          std::tuple{With(0, 1), kRandomDepthCaption, 0},
          std::tuple{With(1, 1), kRandomDepthCaption, kRandomDepthBox},
          std::tuple{With(0, 1), kLblShapeHeading, 0}}) {
        EXPECT_EQ(FocusOnPress(Dialog(settings).model, pressed), focused)
            << control_id::NameOf(pressed);
    }
}

}  // namespace
}  // namespace velnor
