// The dialog's layout in pixels at a DPI: boxes of the table's rows, captions grown to fit
// their text, the content and list sizes, the caption font's height and face, and which
// pointer a control shows.
#include "dialog/dialog_layout.h"

#include <algorithm>

#include "dialog/control_ids.h"
#include "dialog/thumbnail.h"
#include "settings/picture_scan.h"

namespace velnor {

using namespace control_id;
using K = ControlKind;

int TwipsToPixels(int twips, int dpi) {
    const long long product = static_cast<long long>(twips) * dpi;
    const long long half = 720;
    return static_cast<int>(product >= 0 ? (product + half) / 1440 : -((-product + half) / 1440));
}

PixelBox ControlBox(const ControlSpec& control, int dpi) {
    const int left = TwipsToPixels(control.left, dpi);
    const int top = TwipsToPixels(control.top, dpi);
    return PixelBox{left, top, TwipsToPixels(control.left + control.width, dpi) - left,
                    TwipsToPixels(control.top + control.height, dpi) - top};
}

namespace {

// The right edge a caption may grow to: its panel's edge or the next control to its right
// on the same rows, whichever comes first.
int RoomToTheRight(const ControlSpec& control, const PixelBox& box, int dpi) {
    const ControlSpec* parent = FindControl(control.parent);
    int limit = parent ? ControlBox(*parent, dpi).width : box.left + box.width;
    for (const ControlSpec& other : DialogControls()) {
        if (other.parent != control.parent || other.id == control.id) continue;
        const PixelBox o = ControlBox(other, dpi);
        const bool sameRows = o.top < box.top + box.height && box.top < o.top + o.height;
        if (sameRows && o.left >= box.left + box.width) limit = std::min(limit, o.left);
    }
    return limit;
}

}  // namespace

PixelBox FittedCaptionBox(const ControlSpec& control, int dpi, int textWidth) {
    PixelBox box = ControlBox(control, dpi);
    const bool caption = control.kind == K::kLabel || control.kind == K::kClickableCaption;
    const int wanted = textWidth + 2;
    if (caption && wanted > box.width) {
        box.width =
            std::max(box.width, std::min(wanted, RoomToTheRight(control, box, dpi) - box.left));
    }
    return box;
}

bool IsInteractive(ControlKind kind) {
    switch (kind) {
        case K::kClickableCaption:
        case K::kOptionSquare:
        case K::kCheckBox:
        case K::kButton:
        case K::kSpin:
        case K::kHScrollBar:
        case K::kListBox:
            return true;
        default:
            return false;
    }
}

Pointer PointerOver(int id, bool enabled, bool busy) {
    if (busy) return Pointer::kWait;
    const ControlSpec* control = FindControl(id);
    if (!control || !enabled || !IsInteractive(control->kind)) return Pointer::kSystem;
    return id == kHomepageLink ? Pointer::kLinkHand : Pointer::kHand;
}

PixelSize DialogContentSize(int dpi) {
    const PixelBox content = ControlBox(*FindControl(kContentPanel), dpi);
    return PixelSize{content.width, content.height};
}

int ListExtent(int dpi) {
    return ControlBox(*FindControl(kPictureList), dpi).width + TwipsToPixels(300 * 15, dpi);
}

std::optional<std::string> ChooseCaptionFace(
    const std::vector<std::string>& shiftJisFaces,
    const std::function<bool(const std::string& face)>& drawsLatin) {
    static constexpr std::string_view kPreferred[] = {"ＭＳ Ｐゴシック", "MS PGothic",
                                                      "MS UI Gothic",    "Meiryo UI",
                                                      "Yu Gothic UI",    "ＭＳ ゴシック"};
    for (const std::string_view face : kPreferred) {
        if (std::find(shiftJisFaces.begin(), shiftJisFaces.end(), face) != shiftJisFaces.end()) {
            return std::string(face);
        }
    }
    for (const std::string& face : shiftJisFaces) {
        if (!face.empty() && face[0] != '@' && drawsLatin(face)) return face;
    }
    return std::nullopt;
}

std::vector<ValueText> LongestValueTexts() {
    return {
        {kPictureCountField, std::to_string(kMaxPictureCount)},
        {kPictureSizeText, PictureSizeText(9999, 9999)},
        {kShapeValue, "16"},
        {kDepthValue, "25"},
        {kIntervalValue, "600"},
    };
}

int CaptionFontHeight(int dpi) {
    // 9.75 points = 975 / 7200 inch.
    return static_cast<int>((975LL * dpi + 3600) / 7200);
}

}  // namespace velnor
