// What the settings dialog's controller asks of the window system: show a control as the
// model holds it, move the focus, serve pending messages through a long listing, and open
// the system's dialogs. The Win32 dialog implements it; the unit tests use a recording fake.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/colour.h"
#include "dialog/dialog_notices.h"

namespace velnor {

// How one control shows the model; what its kind lacks stays empty.
struct ControlState {
    bool enabled = true;
    std::optional<int> scrollValue;  // a scroll bar's position
    std::optional<bool> checked;     // a check box's mark
    std::optional<bool> tabStop;     // a square of an option pair: Tab stops at the selected one
    // An owner-drawn control that paints part of its look from the model (an option square's
    // selection, the mark of a folder that is not there) paints again.
    bool repaint = false;
};

class DialogView {
  public:
    virtual ~DialogView() = default;

    // These two change only what differs from what the control shows now.
    virtual void ShowText(int id, const std::string& text) = 0;
    virtual void ShowControl(int id, const ControlState& state) = 0;
    virtual void ShowListLines(const std::vector<std::string>& lines,
                               std::optional<std::size_t> selected) = 0;
    virtual void RedrawPreview() = 0;
    // The thumbnail box hides while a picture is read, and then takes the thumbnail's place.
    virtual void HideThumbnail(bool hidden) = 0;
    virtual void PlaceThumbnail() = 0;

    virtual void Focus(int id) = 0;
    virtual void Press(int id) = 0;  // clicks a button as the mouse does
    virtual void ShowDefaultButton(int id, bool isDefault) = 0;
    virtual void ShowBusy(bool busy) = 0;  // the hourglass over the whole dialog

    virtual std::uint64_t NowMs() const = 0;
    // Handles the messages waiting; false once the program is asked to end.
    virtual bool ServeMessages() = 0;

    virtual std::optional<std::string> BrowseForFolder(std::string_view title) = 0;
    virtual std::optional<ColourRef> PickColour(ColourRef initial) = 0;
    virtual void Tell(const Notice& notice) = 0;
    virtual void OpenLink(const std::string& address) = 0;
    // The window goes; called once.
    virtual void Close() = 0;
};

}  // namespace velnor
