// The settings dialog's controls as data: kind, place and size in twips relative to the
// containing panel, caption, colours, scroll ranges and initial values, in the order the
// controls are created. Portable; the Win32 shell turns each row into a window, and the
// conversions below give the pixel rectangles at the window's real DPI.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/saver_settings.h"

namespace velnor {

enum class ControlKind {
    kPanel,             // textured picture panel holding other controls
    kLabel,             // static caption, transparent over the panel texture
    kValueField,        // grey 224 with a single border, text right-aligned
    kPathField,         // a value field with its text left-aligned
    kClickableCaption,  // underlined caption with the hand cursor, acts on `partner`
    kOptionSquare,      // yellow and sunken when selected, grey and raised when not
    kCheckBox,          // only the box shows: the caption is hidden by the size
    kButton,
    kSpin,        // vertical scroll bar only tall enough for its two arrows
    kHScrollBar,  // horizontal scroll bar
    kListBox,
    kPreview,     // the still picture of the wire ball
    kPictureBox,  // the thumbnail of the selected picture
};

// A scroll bar's range and steps as the user sees them (spins hold their setting negated).
struct ScrollRange {
    std::int16_t min = 0;
    std::int16_t max = 0;
    std::int16_t smallChange = 0;
    std::int16_t largeChange = 0;
};

// Marks a control without a painted background of its own.
inline constexpr ColourRef kTransparent = -1;

struct ControlSpec {
    int id = 0;      // from control_ids.h; control_id::NameOf gives the layout name
    int parent = 0;  // ID of the containing panel; 0 for the window itself
    ControlKind kind = ControlKind::kLabel;
    int left = 0, top = 0, width = 0, height = 0;  // twips, relative to the parent panel
    std::string_view caption;                      // UTF-8
    ColourRef textColour = 0;
    ColourRef backColour = kTransparent;
    ScrollRange range{};
    int initialValue = 0;  // scroll value or check state before the load step sets it
    int partner = 0;       // for clickable captions: the control a click acts on
    // The settings-table row the control shows and edits (settings_table.h), if any, and
    // how: a check box switches it between 1 and 0, a scroll bar steps it (spins hold it
    // negated). The two option squares of a pair stand for the values `selects` (0 and 1)
    // and form one group for the arrows and Tab; a square with `selects` < 0 switches its
    // row between 1 and 0. A clickable caption clicks with its `partner`.
    std::string_view shows;
    int selects = -1;
    bool feedsPreview = false;  // a change redraws the still picture
    // The setting that enables the control while it is not 0 (with `enabledWhileZero`,
    // while it is 0); empty for a control that is always enabled. A clickable caption is
    // enabled with its partner.
    std::string_view enabledBy;
    bool enabledWhileZero = false;
    int namedBy = 0;  // the heading or label that names the control, if not its caption
    // Alt+`mnemonic` clicks a button, or moves the focus to the control under `heading`.
    char mnemonic = 0;
    int heading = 0;
};

// Every visible control, panels before what they contain. The homepage link is one only in
// a build with a homepage.
std::span<const ControlSpec> DialogControls();

// The row of `id` (the link's too, shown or not), or nullptr.
const ControlSpec* FindControl(int id);

// Twips to pixels at `dpi` (1440 twips per inch), rounded to the nearest pixel with
// halves away from zero, as MulDiv rounds.
int TwipsToPixels(int twips, int dpi);

struct PixelBox {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PixelBox&) const = default;
};

// A control's place in its parent, in pixels. The edges are converted, not the sizes, so
// controls that meet in twips also meet in pixels.
PixelBox ControlBox(const ControlSpec& control, int dpi);

// A caption's place when its text, in the font actually used, is `textWidth` pixels wide:
// it keeps its place but grows to fit the text (a substitute face can be wider than the
// captions' own), as far as its panel's edge or the next control to its right on the same
// rows. Other controls keep ControlBox.
PixelBox FittedCaptionBox(const ControlSpec& control, int dpi, int textWidth);

// Whether a control of this kind acts on a click or a drag.
bool IsInteractive(ControlKind kind);

// Whether a control of this kind is a scroll bar (a spin or a horizontal bar) with a range.
constexpr bool IsScrollBar(ControlKind kind) {
    return kind == ControlKind::kSpin || kind == ControlKind::kHScrollBar;
}

// The pointer over control `id`: the hourglass anywhere while the dialog is `busy`, else
// over an enabled interactive control a pointing hand (the link hand over the homepage link), and
// elsewhere whatever the system shows.
enum class Pointer { kSystem, kWait, kHand, kLinkHand };
Pointer PointerOver(int id, bool enabled, bool busy);

// The size of the window's client area: the content panel at `dpi` (829 x 425 at
// 96 dpi). The frame and caption around it are the system's, at the window's DPI.
struct PixelSize {
    int width = 0, height = 0;
    bool operator==(const PixelSize&) const = default;
};
PixelSize DialogContentSize(int dpi);

// The list box's horizontal scroll extent: its width plus 300 pixels at 96 dpi, scaled.
int ListExtent(int dpi);

// The captions' face among the installed faces that have the Shift-JIS character set (in
// the system's order): the captions' own face, else the first Japanese UI face of a fixed
// list that is installed, else the first installed face that is not a vertical ("@") one
// and `drawsLatin` (has glyphs for the captions' digits and Latin letters); nothing when
// there is none, and the caller takes the system's default UI font. Left to itself, the
// font mapper can pick a face without Latin glyphs, which shows boxes for "10" or "off".
std::optional<std::string> ChooseCaptionFace(
    const std::vector<std::string>& shiftJisFaces,
    const std::function<bool(const std::string& face)>& drawsLatin);

// Height in pixels of the 9.75-point caption font at `dpi` (13 at 96 dpi).
int CaptionFontHeight(int dpi);

// The widest texts a value field can be given, by control: the count of a full list, the
// size of a picture of four-digit sides, the ends of the bars' ranges. Each must fit its
// box (less the text inset and edges) in the caption font at every DPI.
struct ValueText {
    int id = 0;
    std::string text;
};
std::vector<ValueText> LongestValueTexts();

// The homepage address shown by the homepage link (empty: the build has none, and no link is shown)
// and the credit line lbl(9); build-time settings.
std::string_view HomepageUrl();
std::string_view CreditLine();

}  // namespace velnor
