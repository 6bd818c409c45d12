// What the settings dialog tells the user in a message box, and the mark after a stored
// folder that is not there now. Portable texts, so the rules that choose them are tested;
// the Win32 view only shows a notice in a message box of its kind.
#pragma once

#include <string>
#include <string_view>

namespace velnor {

enum class NoticeKind { kPlain, kInformation, kWarning };

struct Notice {
    std::string text;
    NoticeKind kind = NoticeKind::kPlain;
    bool operator==(const Notice&) const = default;
};

inline constexpr std::string_view kSaveFailedText =
    "設定を保存できませんでした。\n"
    "設定ファイルに書き込めないため、変更は反映されません。";
inline constexpr std::string_view kFolderNameNotStorableText =
    "このﾌｫﾙﾀﾞの名前は設定ファイルに保存できません。\n"
    "別のﾌｫﾙﾀﾞを選んでください。";
inline constexpr std::string_view kBrowseFolderTitle =
    "ﾌｫﾙﾀﾞをｸﾘｯｸして選択状態にしてから ＯＫ を押してください";
inline constexpr std::string_view kMissingFolderMark = "（見つかりません）";

}  // namespace velnor
