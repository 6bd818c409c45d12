// What each owner-drawn child of the settings dialog paints and how it takes input, worked
// out from its layout row and the model: background, edge, picture, text placement and the
// caption underline. Portable, so the look of every kind of control is tested without a
// window; the Win32 view only carries the plan out.
#pragma once

#include <optional>
#include <string_view>

#include "dialog/dialog_layout.h"

namespace velnor {

enum class ChildBackground {
    kOwnTexture,     // a panel: its own textured surface from its top-left corner
    kParentTexture,  // transparent: the containing panel's texture behind the child
    kColour,         // a solid `backColour`
};

enum class ChildEdge {
    kNone,
    kThinSunken,  // the single sunken line of panels and value fields
    kRaised,      // an unselected option square, the picture box
    kSunken,      // a selected option square
};

enum class ChildPicture { kNone, kPreview, kThumbnail };

// The steps of a child's painting, done in this order: background, picture, edge, text.
struct ChildLook {
    ChildBackground background = ChildBackground::kParentTexture;
    ColourRef backColour = 0;
    ChildPicture picture = ChildPicture::kNone;
    ChildEdge edge = ChildEdge::kNone;
    bool showsText = false;
    bool greyText = false;  // disabled: the system's grey text instead of `textColour`
    ColourRef textColour = 0;
    int textInset = 0;  // pixels kept free at the left and right of the text
    bool alignRight = false;
    bool centreVertically = false;  // otherwise the text sits at the top
    bool underline = false;
    bool pathEllipsis = false;  // a path too long for the box loses its middle, not its end
    bool focusRing = false;     // drawn last, along the edge: the child has the keyboard focus
    std::string_view mark;      // painted after the text: a folder not found now
};

// The look of `control`; `squareSelected` is the model's state of an option square
// (nothing while no rule has shown it), `enabled` the control's enabled state, `focused`
// whether it has the keyboard focus (only controls that take the focus show it), and
// `folderMissing` whether a path field's folder was not found: the path is kept, in grey
// and marked.
ChildLook LookOf(const ControlSpec& control, std::optional<bool> squareSelected, bool enabled,
                 bool focused = false, bool folderMissing = false);

// How a control shows that it has the keyboard focus: push buttons draw the system's own
// focus rectangle; every other control that takes the focus shows the focus ring along its
// edge (the system's check boxes draw theirs round a caption that is not shown, and a
// spin's is a few dotted pixels).
enum class FocusCue { kNone, kSystem, kRing };
FocusCue FocusCueOf(const ControlSpec& control);

// How an owner-drawn child takes input: captions and squares report a click (a press and
// a release inside them, or the press alone for an act-on-press caption); panels pass
// their children's commands, scrolling, colours and cursors on to the dialog.
enum class ChildInput { kNone, kClicks, kRoutesChildMessages };
ChildInput InputOf(ControlKind kind);

// Whether a click on `control` acts when the mouse is pressed on it, not on the release:
// the homepage link does.
bool ActsOnPress(const ControlSpec& control);

// The underline of a top-aligned, left-aligned caption `textWidth` pixels wide in a box
// from `top` to `bottom`: one pixel per 96 dpi thick, just below the baseline (`ascent`
// pixels under the top) but inside the box. The font's own underline would fall below
// the caption's box, which is only as tall as the characters, and never show.
PixelBox UnderlineBox(int left, int top, int bottom, int ascent, int textWidth, int dpi);

}  // namespace velnor
