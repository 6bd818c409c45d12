// The settings dialog's behaviour between the model and the window: which control a click
// or a key goes to, what the saving buttons and the close box do, the folder browser and
// the listing that serves messages as it runs, the picture shown for the selected line,
// the focus and the default button. Portable, so these flows are tested without a window;
// the Win32 view turns messages into these calls and carries out what DialogView asks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "dialog/dialog_model.h"
#include "dialog/dialog_view.h"
#include "dialog/folder_listing.h"
#include "dialog/scroll_events.h"
#include "dialog/thumbnail.h"
#include "settings/file_system.h"
#include "settings/saver_settings.h"
#include "settings/settings_location.h"
#include "settings/text_encoding.h"

namespace velnor {

// What the dialog reads and writes through: the folders listed, the settings file's text
// encoding, the pictures previewed and their dates.
struct DialogPlatform {
    std::unique_ptr<FileSystem> files;
    std::unique_ptr<TextEncoding> encoding;
    PreviewedPicture::DecoderMaker makeDecoder;
    PictureDateOf dateOf = PictureDate;
};

class DialogController {
  public:
    // "設定" and "初期設定" write to `location`, where leftovers of a save killed in an
    // earlier run are removed first.
    DialogController(DialogView& view, SettingsLocation location, DialogPlatform platform);
    DialogController(const DialogController&) = delete;
    DialogController& operator=(const DialogController&) = delete;

    // Fills the controls from `settings` ("設定" the default button); a folder stored in
    // short form shows by its long name.
    void Load(const SaverSettings& settings);
    // Once the window shows: the notice of pictures the list leaves out, and a stored list
    // in date order read in order while the dialog answers.
    void Shown();

    // A click (a button, check box, square or caption, also by Enter, Escape or a key).
    void Click(int id);
    void Scroll(int id, ScrollAction action, int position) { model_.Scroll(id, action, position); }
    // An Alt+letter key.
    void Mnemonic(char letter);
    // The user selected line `index` of the picture list.
    void SelectLine(std::size_t index);
    // The close box, "ｷｬﾝｾﾙ" and Escape: nothing is saved. Only the first call closes.
    void Close();

    // A mouse press on a square, the link or a caption: the focus goes to the control that
    // takes it (a caption's control), as with a button.
    void Pressed(int id);
    // A control gained or lost the focus (0: something that is no control).
    void FocusChanged(int id, bool gained);
    // Back to the control that had the focus, else the first one that can take it.
    void RestoreFocus();

    // Shows every control as the model holds it.
    void ShowControls();

    const DialogModel& model() const { return model_; }
    PreviewedPicture& picture() { return picture_; }
    bool busy() const { return busy_; }

  private:
    void OnModelChange(unsigned changes);
    void ChooseFolder();
    void ChooseColour(int target);
    void Save(int buttonId);
    void Tell(const std::optional<Notice>& notice);
    void SetBusy(bool busy);
    void SetDefaultButton(int id);
    bool ServeMessages();

    DialogView& view_;
    SettingsLocation location_;
    DialogPlatform platform_;
    DialogModel model_;
    PreviewedPicture picture_;  // the picture read for the selected line, and its thumbnail
    ListingPace datePace_{0};   // how often reading dates serves messages
    int lastFocus_ = 0;         // the control that gets the focus back on activation
    bool busy_ = false;
    bool closing_ = false;
};

}  // namespace velnor
