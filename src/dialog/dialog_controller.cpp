// The settings dialog's flows over the model and a DialogView.
#include "dialog/dialog_controller.h"

#include <string>
#include <utility>

#include "dialog/control_ids.h"
#include "dialog/dialog_focus.h"
#include "dialog/dialog_keys.h"
#include "dialog/dialog_layout.h"
#include "dialog/dialog_writes.h"

namespace velnor {

using namespace control_id;

DialogController::DialogController(DialogView& view, SettingsLocation location,
                                   DialogPlatform platform)
    : view_(view),
      location_(std::move(location)),
      platform_(std::move(platform)),
      model_(
          *platform_.files, [this](unsigned changes) { OnModelChange(changes); },
          DateReading{platform_.dateOf,
                      [this] { return !datePace_.Due(view_.NowMs()) || ServeMessages(); }}),
      picture_(platform_.makeDecoder) {
    RemoveLeftoversOfEarlierSaves(location_);
}

void DialogController::Load(const SaverSettings& settings) {
    SetDefaultButton(kSaveButton);
    model_.Load(settings);
    // A folder stored in short (8.3) form by an earlier version is shown by its real name;
    // every short name has a "~".
    if (settings.pictureFolder.find('~') == std::string::npos) return;
    if (const auto longName = platform_.files->LongNameOf(settings.pictureFolder)) {
        model_.ShowLoadedFolderAs(*longName);
    }
}

void DialogController::Shown() {
    Tell(model_.NoticeAfter(FolderChoice::kListed));  // more pictures than the list holds
    model_.ShowLoadedListInOrder();
}

void DialogController::OnModelChange(unsigned changes) {
    if (changes & kListChanged) view_.ShowListLines(model_.listLines(), model_.selectedLine());
    if (changes & kControlsChanged) ShowControls();
    if (changes & kPreviewChanged) view_.RedrawPreview();
}

void DialogController::ShowControls() {
    for (const auto& [id, text] : model_.texts()) view_.ShowText(id, text);
    for (const ControlSpec& control : DialogControls()) {
        ControlState state;
        state.enabled = model_.Enabled(control.id);
        if (IsScrollBar(control.kind)) state.scrollValue = model_.ScrollValue(control.id);
        if (control.kind == ControlKind::kCheckBox)
            state.checked = model_.CheckValue(control.id) != 0;
        if (control.kind == ControlKind::kOptionSquare) {
            state.repaint = true;
            if (PairPartner(control.id))
                state.tabStop = FocusTarget(model_, control.id) == control.id;
        }
        // The mark of a folder that is not there can change while the path stays.
        if (control.id == kFolderPath) state.repaint = true;
        view_.ShowControl(control.id, state);
    }
}

void DialogController::Click(int id) {
    if (model_.Click(id)) return;
    switch (id) {
        case kFolderButton:
            return ChooseFolder();
        case kParallelColourButton:
        case kMeridianColourButton:
            return ChooseColour(id - kParallelColourButton + 1);
        case kHomepageLink:
            SetBusy(true);
            view_.OpenLink(WindowTextOf(*FindControl(kHomepageLink)));
            return SetBusy(false);
        case kSaveButton:
        case kFactoryButton:
            return Save(id);
        case kCancelButton:
            return Close();
        default:
            return;
    }
}

void DialogController::Mnemonic(char letter) {
    const std::optional<velnor::Mnemonic> action = MnemonicAction(model_, letter);
    if (!action) return;
    if (action->clicks) {
        view_.Press(action->target);
    } else {
        view_.Focus(action->target);
    }
}

// A file that cannot be read as a picture leaves the thumbnail and the size as they were.
void DialogController::SelectLine(std::size_t index) {
    model_.SelectLine(index);
    SetBusy(true);
    view_.HideThumbnail(true);
    if (picture_.Read(model_.PicturePathOfLine(index))) {
        model_.ShowPictureSize(picture_.size().width, picture_.size().height);
        view_.PlaceThumbnail();
    }
    view_.HideThumbnail(false);
    SetBusy(false);
}

void DialogController::Close() {
    if (closing_) return;
    closing_ = true;
    view_.Close();
}

// A second click on the folder button while a listing runs (its messages are served) is
// ignored; a cancelled browser, or a folder whose name the settings file cannot hold,
// keeps the folder and the list shown before.
void DialogController::ChooseFolder() {
    if (model_.listing()) return;
    const std::optional<std::string> folder = view_.BrowseForFolder(kBrowseFolderTitle);
    if (!folder) return;
    SetBusy(true);
    ListingPace pace(view_.NowMs());
    const FolderChoice choice = model_.ChooseFolder(
        *folder,
        [this, &pace] {
            if (!pace.Due(view_.NowMs())) return true;
            view_.ShowText(kPictureCountField, model_.Text(kPictureCountField));  // it climbs
            return ServeMessages();
        },
        [this](const std::string& message) { view_.Tell(Notice{message}); });
    SetBusy(false);
    if (!closing_) Tell(model_.NoticeAfter(choice));  // not over a dialog closed meanwhile
}

// Cancelling the colour dialog changes nothing.
void DialogController::ChooseColour(int target) {
    if (const std::optional<ColourRef> picked = view_.PickColour(model_.LineColour(target))) {
        model_.ChooseColour(target, *picked);
    }
}

// "設定" and "初期設定" write what the model gives; a user whose settings could not be
// saved anywhere is told so, and the dialog then closes as after a save.
void DialogController::Save(int buttonId) {
    if (!WriteSettingsEntries(model_.EntriesToWrite(buttonId), location_, *platform_.encoding)) {
        view_.Tell(Notice{std::string(kSaveFailedText), NoticeKind::kWarning});
    }
    Close();
}

void DialogController::Tell(const std::optional<Notice>& notice) {
    if (notice) view_.Tell(*notice);
}

void DialogController::SetBusy(bool busy) {
    busy_ = busy;
    view_.ShowBusy(busy);
}

// Messages are served while a folder is listed or dates are read, until the dialog closes.
bool DialogController::ServeMessages() {
    return view_.ServeMessages() && !closing_;
}

void DialogController::FocusChanged(int id, bool gained) {
    if (gained) lastFocus_ = id;
    SetDefaultButton(gained ? DefaultButtonFor(id) : kSaveButton);
}

// The default push button, which Enter clicks, shows the thicker frame; only one has it.
void DialogController::SetDefaultButton(int id) {
    for (const ControlSpec& control : DialogControls()) {
        if (control.kind == ControlKind::kButton)
            view_.ShowDefaultButton(control.id, control.id == id);
    }
}

void DialogController::Pressed(int id) {
    if (const int target = FocusOnPress(model_, id)) view_.Focus(target);
}

void DialogController::RestoreFocus() {
    if (lastFocus_ && model_.Enabled(lastFocus_)) {
        view_.Focus(lastFocus_);
    } else if (const int first = FirstFocusStop(model_)) {
        view_.Focus(first);
    }
}

}  // namespace velnor
