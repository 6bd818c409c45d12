// Control IDs of the settings dialog, shared by the dialog and by the end-to-end test
// driver. One list (name in the program, ID, name as the layout and the tests spell it)
// gives both the constants and a name lookup. Plain C++: no other header needed.
#pragma once

#include <string_view>

// VELNOR_CONTROL(constant, id, name). Control arrays have consecutive IDs.
#define VELNOR_CONTROL_LIST(VELNOR_CONTROL)                      \
    VELNOR_CONTROL(kContentPanel, 100, "Pic_C")                  \
    VELNOR_CONTROL(kPicPanelLeft, 101, "Pic_1(0)")               \
    VELNOR_CONTROL(kPicPanelRight, 102, "Pic_1(1)")              \
    /* left panel */                                             \
    VELNOR_CONTROL(kLblShapeHeading, 203, "lbl(3)")              \
    VELNOR_CONTROL(kShapeValue, 210, "lbl_Asp")                  \
    VELNOR_CONTROL(kShapeSpin, 211, "Asp_V")                     \
    VELNOR_CONTROL(kRandomShapeBox, 220, "chk_Rdm(0)")           \
    VELNOR_CONTROL(kRandomDepthBox, 221, "chk_Rdm(1)")           \
    VELNOR_CONTROL(kRandomColourBox, 222, "chk_Rdm(2)")          \
    VELNOR_CONTROL(kRandomShapeCaption, 225, "lbl_Rdm(0)")       \
    VELNOR_CONTROL(kRandomDepthCaption, 226, "lbl_Rdm(1)")       \
    VELNOR_CONTROL(kRandomColourCaption, 227, "lbl_Rdm(2)")      \
    VELNOR_CONTROL(kLblPerspectiveHeading, 204, "lbl(4)")        \
    VELNOR_CONTROL(kPerspectiveOff, 230, "Pic_Per(0)")           \
    VELNOR_CONTROL(kPerspectiveOn, 231, "Pic_Per(1)")            \
    VELNOR_CONTROL(kPerspectiveOffCaption, 235, "lbl_Per(0)")    \
    VELNOR_CONTROL(kPerspectiveOnCaption, 236, "lbl_Per(1)")     \
    VELNOR_CONTROL(kLblDepthHeading, 205, "lbl(5)")              \
    VELNOR_CONTROL(kDepthValue, 240, "lbl_Depth")                \
    VELNOR_CONTROL(kDepthSpin, 241, "Depth_V")                   \
    VELNOR_CONTROL(kLblColourHeading, 206, "lbl(6)")             \
    VELNOR_CONTROL(kLblRed, 200, "lbl(0)")                       \
    VELNOR_CONTROL(kLblGreen, 201, "lbl(1)")                     \
    VELNOR_CONTROL(kLblBlue, 202, "lbl(2)")                      \
    VELNOR_CONTROL(kBallRedBar, 250, "H_RGB(0)")                 \
    VELNOR_CONTROL(kBallGreenBar, 251, "H_RGB(1)")               \
    VELNOR_CONTROL(kBallBlueBar, 252, "H_RGB(2)")                \
    VELNOR_CONTROL(kLblLineColourHeading, 207, "lbl(7)")         \
    VELNOR_CONTROL(kParallelColourButton, 261, "Cmd_Color(1)")   \
    VELNOR_CONTROL(kMeridianColourButton, 262, "Cmd_Color(2)")   \
    VELNOR_CONTROL(kLblSpeedHeading, 214, "lbl(14)")             \
    VELNOR_CONTROL(kLblFast, 216, "lbl(16)")                     \
    VELNOR_CONTROL(kSpeedBar, 270, "HS_Fast")                    \
    VELNOR_CONTROL(kLblSlow, 215, "lbl(15)")                     \
    VELNOR_CONTROL(kLblSizeHeading, 208, "lbl(8)")               \
    VELNOR_CONTROL(kLblSmall, 212, "lbl(10)")                    \
    VELNOR_CONTROL(kSizeBar, 280, "H_Scale")                     \
    VELNOR_CONTROL(kLblLarge, 213, "lbl(11)")                    \
    /* middle and bottom */                                      \
    VELNOR_CONTROL(kPreviewBox, 300, "Pic_Prev")                 \
    VELNOR_CONTROL(kHomepageLink, 301, "lbl_URL")                \
    VELNOR_CONTROL(kLblCredit, 209, "lbl(9)")                    \
    VELNOR_CONTROL(kFactoryButton, 310, "Cmd_init")              \
    VELNOR_CONTROL(kSaveButton, 311, "cmd_OK")                   \
    VELNOR_CONTROL(kCancelButton, 312, "cmd_Can")                \
    /* right panel */                                            \
    VELNOR_CONTROL(kUseSampleBox, 400, "Chk_Sample")             \
    VELNOR_CONTROL(kUseSampleCaption, 401, "lbl_Sample")         \
    VELNOR_CONTROL(kFirstSample, 410, "Pic_sample12(0)")         \
    VELNOR_CONTROL(kSecondSample, 411, "Pic_sample12(1)")        \
    VELNOR_CONTROL(kFirstSampleCaption, 415, "lbl_sample12(0)")  \
    VELNOR_CONTROL(kSecondSampleCaption, 416, "lbl_sample12(1)") \
    VELNOR_CONTROL(kLblPicturePreviewHeading, 217, "lbl(13)")    \
    VELNOR_CONTROL(kThumbnailBox, 420, "Pic_K")                  \
    VELNOR_CONTROL(kLblFileNameHeading, 218, "lbl(18)")          \
    VELNOR_CONTROL(kPictureList, 430, "List_1")                  \
    VELNOR_CONTROL(kPictureSizeText, 431, "lbl_PreSize")         \
    VELNOR_CONTROL(kLblKindHeading, 219, "lbl(12)")              \
    VELNOR_CONTROL(kBmpKind, 440, "Pic_kind(0)")                 \
    VELNOR_CONTROL(kGifKind, 441, "Pic_kind(1)")                 \
    VELNOR_CONTROL(kJpegKind, 442, "Pic_kind(2)")                \
    VELNOR_CONTROL(kWmfKind, 443, "Pic_kind(3)")                 \
    VELNOR_CONTROL(kPngKind, 444, "Pic_kind(4)")                 \
    VELNOR_CONTROL(kBmpKindCaption, 445, "lbl_Kind(0)")          \
    VELNOR_CONTROL(kGifKindCaption, 446, "lbl_Kind(1)")          \
    VELNOR_CONTROL(kJpegKindCaption, 447, "lbl_Kind(2)")         \
    VELNOR_CONTROL(kWmfKindCaption, 448, "lbl_Kind(3)")          \
    VELNOR_CONTROL(kPngKindCaption, 449, "lbl_Kind(4)")          \
    VELNOR_CONTROL(kFolderButton, 450, "Folder")                 \
    VELNOR_CONTROL(kPictureCountField, 451, "lbl_Kei")           \
    VELNOR_CONTROL(kLblSheets, 452, "lbl(17)")                   \
    VELNOR_CONTROL(kFolderPath, 453, "Folder_Path")              \
    VELNOR_CONTROL(kLblIntervalHeading, 454, "lbl(19)")          \
    VELNOR_CONTROL(kChkSubfolders, 455, "chk_Sub")               \
    VELNOR_CONTROL(kLblSubfolders, 456, "lbl_Sub")               \
    VELNOR_CONTROL(kIntervalBar, 460, "Intval")                  \
    VELNOR_CONTROL(kIntervalValue, 461, "lbl_intval")            \
    VELNOR_CONTROL(kLblSeconds, 462, "lbl(20)")                  \
    VELNOR_CONTROL(kLblPictureSizeHeading, 463, "lbl(21)")       \
    VELNOR_CONTROL(kOwnSize, 470, "Pic_Size(0)")                 \
    VELNOR_CONTROL(kFullScreenSize, 471, "Pic_Size(1)")          \
    VELNOR_CONTROL(kWholeSize, 472, "Pic_Size(2)")               \
    VELNOR_CONTROL(kOwnSizeCaption, 475, "lbl_Size(0)")          \
    VELNOR_CONTROL(kFullScreenSizeCaption, 476, "lbl_Size(1)")   \
    VELNOR_CONTROL(kWholeSizeCaption, 477, "lbl_Size(2)")        \
    VELNOR_CONTROL(kLblOrderHeading, 479, "lbl_OrderHeading")    \
    VELNOR_CONTROL(kListedOrder, 480, "Pic_Order(0)")            \
    VELNOR_CONTROL(kNameOrder, 481, "Pic_Order(1)")              \
    VELNOR_CONTROL(kDateOrder, 482, "Pic_Order(2)")              \
    VELNOR_CONTROL(kShuffledOrder, 483, "Pic_Order(3)")          \
    VELNOR_CONTROL(kListedOrderCaption, 485, "lbl_Order(0)")     \
    VELNOR_CONTROL(kNameOrderCaption, 486, "lbl_Order(1)")       \
    VELNOR_CONTROL(kDateOrderCaption, 487, "lbl_Order(2)")       \
    VELNOR_CONTROL(kShuffledOrderCaption, 488, "lbl_Order(3)")

namespace velnor::control_id {

#define VELNOR_CONTROL_CONSTANT(constant, id, name) inline constexpr int constant = id;
VELNOR_CONTROL_LIST(VELNOR_CONTROL_CONSTANT)
#undef VELNOR_CONTROL_CONSTANT

// The ID of a control by its layout name ("cmd_OK", "H_RGB(1)"), or 0 if unknown.
constexpr int ByName(std::string_view wanted) {
#define VELNOR_CONTROL_MATCH(constant, id, name) \
    if (wanted == name) return id;
    VELNOR_CONTROL_LIST(VELNOR_CONTROL_MATCH)
#undef VELNOR_CONTROL_MATCH
    return 0;
}

// The layout name of a control ID, or "" if unknown.
constexpr std::string_view NameOf(int wanted) {
#define VELNOR_CONTROL_NAME(constant, id, name) \
    if (wanted == id) return name;
    VELNOR_CONTROL_LIST(VELNOR_CONTROL_NAME)
#undef VELNOR_CONTROL_NAME
    return {};
}

}  // namespace velnor::control_id
