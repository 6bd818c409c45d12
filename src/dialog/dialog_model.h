// The settings dialog as plain data and rules: every value its controls show and edit,
// which controls are enabled, and what loading, a click, a scroll, a chosen folder or
// colour and the two saving buttons do. The Win32 dialog is a view of this model: it
// forwards input here and shows what the model holds whenever the model reports a change.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dialog/dialog_layout.h"
#include "dialog/dialog_notices.h"
#include "dialog/dialog_preview.h"
#include "dialog/dialog_writes.h"
#include "dialog/folder_listing.h"
#include "dialog/list_order.h"
#include "dialog/scroll_events.h"
#include "settings/file_system.h"
#include "settings/saver_settings.h"

namespace velnor {

struct SettingRow;

// What a change notification says changed (bits; several may come at once).
enum DialogChange : unsigned {
    kControlsChanged = 1,  // values, texts, check marks, squares or enabled states
    kListChanged = 2,      // the lines of the picture list
    kPreviewChanged = 4,   // an input of the still picture: the view redraws it now
};

// The folder path the settings file holds for a folder the user chose: the path itself, in
// any script (a file that cannot hold it in cp932 is written in UTF-16); nothing for a
// text that is not well-formed UTF-8 or holds a line break or NUL, which no line could
// hold and no folder is named.
std::optional<std::string> StorableFolderPath(std::string_view path);

// What became of a folder chosen in the browser.
enum class FolderChoice {
    kListed,           // shown and listed
    kStopped,          // shown, but the dialog closed while listing: the old lines stay
    kNameNotStorable,  // the settings file cannot hold the path: folder and list stay as they were
};

// How the model reads the pictures' dates for the date order: `dateOf` for one picture, and
// `keepGoing` after each, so the view can serve its messages while a large folder's dates
// are read; it returns false to stop (the dialog is closing).
struct DateReading {
    PictureDateOf dateOf = PictureDate;
    std::function<bool()> keepGoing = [] { return true; };
};

class DialogModel {
  public:
    using Listener = std::function<void(unsigned changes)>;

    // `listener` is called synchronously after every change, in the order the rules run.
    DialogModel(FileSystem& fileSystem, Listener listener, DateReading dates = {});

    // Fills every control from the setting its layout row names, in the layout's order.
    // Setting a scroll bar or a check box this way runs its change rule, as a user's
    // change would.
    void Load(const SaverSettings& settings);

    // A click on an option square, a check box or a clickable caption. False for controls
    // whose clicks the view serves itself (buttons, the folder and colour buttons, the link).
    bool Click(int id);

    // A scroll message of a scroll bar (`position` as ScrollBarValue::Apply takes it).
    void Scroll(int id, ScrollAction action, int position);

    // The folder chosen in the browser: shown in the folder path as StorableFolderPath gives it,
    // the old lines cleared, then listed, the count climbing. `keepGoing` is called after
    // each file found and now and then during a long listing; it returns false to stop (the
    // dialog is closing). `onError` gets each distinct listing error once.
    FolderChoice ChooseFolder(std::string_view path, const std::function<bool()>& keepGoing,
                              const ListingError& onError);
    bool listing() const { return listing_; }

    // Shows `longName` in the folder path for the loaded folder, stored in short (8.3) form by
    // an earlier version: the user sees the real name, while "設定" writes the stored text
    // back unchanged until another folder is chosen (the short name keeps its meaning on
    // this volume; the long one is what the user picked).
    void ShowLoadedFolderAs(std::string_view longName);

    // Whether the folder path names a folder that was not found when it was last looked at
    // (the stored folder's drive is absent); the path itself stays as it is.
    bool folderMissing() const { return folderMissing_; }
    // The message for the last listing when some of its pictures did not fit the list.
    std::optional<std::string> LeftOutNotice() const;
    // What the user is told after a folder was chosen (or the stored one listed at the
    // load, kListed): that its name cannot be stored, or how many of its pictures the list
    // leaves out; nothing otherwise.
    std::optional<Notice> NoticeAfter(FolderChoice choice) const;

    // The line colour chosen for `target` (1: parallels, 2: meridians; others ignored).
    void ChooseColour(int target, ColourRef colour);

    // A listed picture was read: the picture size text shows its size.
    void ShowPictureSize(int width, int height);

    // Puts the stored list in the date order where the load showed it as listed: reading
    // the dates of a large list waits until the dialog shows and serves its messages.
    void ShowLoadedListInOrder();

    // The line the user selected. The same picture's line stays selected through a new order
    // or listing (selectedLine), while it is listed.
    void SelectLine(std::size_t index);
    std::optional<std::size_t> selectedLine() const { return selectedLine_; }

    // The full path of the picture list's line `index`: the folder shown plus the line's name.
    std::string PicturePathOfLine(std::size_t index) const;

    int ScrollValue(int id) const;
    int CheckValue(int id) const;
    // Whether an option square shows selected; nothing when no rule has shown it yet.
    std::optional<bool> SquareSelected(int id) const;
    bool Enabled(int id) const;
    // The texts the model holds (value fields, the folder path, the picture size), by ID.
    std::map<int, std::string> texts() const;
    std::string Text(int id) const;
    // The picture list's lines, in the order chosen (InListOrder) from the load on, after
    // every listing and every click on an order square.
    const std::vector<std::string>& listLines() const { return listLines_; }
    ColourRef LineColour(int target) const;
    PreviewInputs Preview() const;

    // What "設定" (kSaveButton) and "初期設定" (kFactoryButton) write, in order; nothing for any
    // other control.
    std::vector<IniEntry> EntriesToWrite(int buttonId) const;

  private:
    void Notify(unsigned changes) const;
    std::string* TextField(int id);
    void LoadControl(const ControlSpec& control, const SaverSettings& settings);
    void SetText(int id, std::string text);
    int ControlValue(int id) const;
    void StoreControlValue(int id, int value);
    bool SetScroll(int id, int value);
    bool SetCheck(int id, int value);
    void ScrollEvent(int id);
    void ChangeEvent(int id);
    void ShowSquare();
    void SelectSquare(const ControlSpec& square, const SettingRow& row);
    void ClickKind(const SettingRow& kind);
    void ListFolderAgain();
    void FillListFromPictures();
    void ClearListing();
    void ShowListing(std::vector<ListedPicture> listed);
    void ArrangeList();
    void ShowLines(const std::vector<ListedPicture>& pictures);
    enum class DatesRead { kAll, kChanged, kStopped };
    DatesRead ReadDates();
    void LoadPictureList();
    void ShowListCount();

    FileSystem& fileSystem_;
    Listener listener_;
    // The settings as the controls hold them (spins un-negated), the folder path shown
    // and the picture list last scanned: the one source of every value the dialog edits.
    SaverSettings draft_;
    bool loaded_ = false;  // option squares show nothing before the load
    // The numbers the value fields show, which can be one their bar could not take.
    SaverSettings shown_;
    std::string countText_, pictureSizeText_;
    std::vector<std::string> listLines_;
    std::vector<std::string> linePaths_;  // the full path of each line's picture
    std::optional<std::string> selectedPath_;
    std::optional<std::size_t> selectedLine_;
    // The last listing in the order it was listed, which the lines show in the order chosen.
    std::vector<ListedPicture> listed_;
    std::uint64_t listingNumber_ = 0;  // counts the listings, so a reading sees a new one
    DateReading dateReading_;
    // The dates read for the date order, by path; read once per listing.
    std::unordered_map<std::string, std::optional<std::int64_t>> dates_;
    bool arranging_ = false;     // ArrangeList runs (it serves messages while reading dates)
    bool loadingList_ = false;   // the stored list is being shown at the load
    bool listArranged_ = false;  // the list was put in order since the load
    std::optional<std::array<std::int16_t, 3>> sampleBallColour_;  // set by the colour bars
    std::optional<std::pair<int, int>> drag_;  // a bar's thumb drag: its ID, value before
    bool listing_ = false;
    bool folderMissing_ = false;
    // The loaded folder's stored (short) text while the folder path shows its long name.
    std::optional<std::string> storedFolder_;
    std::size_t leftOut_ = 0;  // pictures of the last listing beyond the list's limit
};

}  // namespace velnor
