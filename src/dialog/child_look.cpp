// The paint plan and input kind of the dialog's owner-drawn children, from the layout row
// and the model's state.
#include "dialog/child_look.h"

#include <algorithm>

#include "dialog/control_ids.h"
#include "dialog/dialog_keys.h"
#include "dialog/dialog_notices.h"

namespace velnor {
namespace {

constexpr ColourRef kSelectedYellow = 0x00FFFF;   // RGB(255, 255, 0)
constexpr ColourRef kUnselectedGrey = 0xC0C0C0;   // RGB(192, 192, 192)
constexpr ColourRef kNeverShownWhite = 0xFFFFFF;  // a square no rule has shown yet
constexpr ColourRef kPreviewBlack = 0x000000;

ChildLook SquareLook(std::optional<bool> selected) {
    ChildLook look;
    look.background = ChildBackground::kColour;
    if (!selected) {
        look.backColour = kNeverShownWhite;
        return look;
    }
    look.backColour = *selected ? kSelectedYellow : kUnselectedGrey;
    look.edge = *selected ? ChildEdge::kSunken : ChildEdge::kRaised;
    return look;
}

// Captions, value fields and path fields: their text in the layout's colours.
ChildLook TextLook(const ControlSpec& control, bool enabled) {
    ChildLook look;
    if (control.backColour != kTransparent) {
        look.background = ChildBackground::kColour;
        look.backColour = control.backColour;
    }
    const bool field =
        control.kind == ControlKind::kValueField || control.kind == ControlKind::kPathField;
    if (field) {
        look.edge = ChildEdge::kThinSunken;
        look.textInset = 3;
        look.centreVertically = true;
    }
    look.showsText = true;
    look.greyText = !enabled;
    look.textColour = control.textColour;
    look.alignRight = control.kind == ControlKind::kValueField;
    look.underline = control.kind == ControlKind::kClickableCaption;
    look.pathEllipsis = control.kind == ControlKind::kPathField;
    return look;
}

ChildLook PlainLookOf(const ControlSpec& control, std::optional<bool> squareSelected,
                      bool enabled) {
    ChildLook look;
    switch (control.kind) {
        case ControlKind::kPanel:
            look.background = ChildBackground::kOwnTexture;
            // The content panel covers the whole window and has no edge.
            if (control.id != control_id::kContentPanel) look.edge = ChildEdge::kThinSunken;
            return look;
        case ControlKind::kOptionSquare:
            return SquareLook(squareSelected);
        case ControlKind::kPreview:
            look.background = ChildBackground::kColour;
            look.backColour = kPreviewBlack;
            look.picture = ChildPicture::kPreview;
            return look;
        case ControlKind::kPictureBox:
            look.background = ChildBackground::kColour;
            look.backColour = control.backColour;  // the value fields' grey
            look.picture = ChildPicture::kThumbnail;
            look.edge = ChildEdge::kRaised;
            return look;
        default:
            return TextLook(control, enabled);
    }
}

}  // namespace

ChildLook LookOf(const ControlSpec& control, std::optional<bool> squareSelected, bool enabled,
                 bool focused, bool folderMissing) {
    ChildLook look = PlainLookOf(control, squareSelected, enabled);
    look.focusRing = focused && FocusCueOf(control) == FocusCue::kRing;
    if (folderMissing && control.kind == ControlKind::kPathField) {
        look.greyText = true;
        look.mark = kMissingFolderMark;
    }
    return look;
}

FocusCue FocusCueOf(const ControlSpec& control) {
    if (!TakesFocus(control)) return FocusCue::kNone;
    return control.kind == ControlKind::kButton ? FocusCue::kSystem : FocusCue::kRing;
}

ChildInput InputOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::kPanel:
            return ChildInput::kRoutesChildMessages;
        case ControlKind::kLabel:
        case ControlKind::kValueField:
        case ControlKind::kPathField:
        case ControlKind::kClickableCaption:
        case ControlKind::kOptionSquare:
            return ChildInput::kClicks;
        default:
            return ChildInput::kNone;
    }
}

bool ActsOnPress(const ControlSpec& control) {
    return control.id == control_id::kHomepageLink;
}

PixelBox UnderlineBox(int left, int top, int bottom, int ascent, int textWidth, int dpi) {
    const int thickness = std::max(1, dpi / 96);
    const int lineTop = std::min(top + ascent + 1, bottom - thickness);
    return PixelBox{left, lineTop, textWidth, thickness};
}

}  // namespace velnor
