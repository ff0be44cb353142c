// The tally window as data: its controls at the design size of 96 dots per
// inch, with their anchors, and the columns of its list.
#pragma once

#include <string_view>

#include "src/ui/layout.h"

namespace tavlin {

enum TallyControlId : int {
  kTallySummary = 801,  // the line that sums it up
  kTallyList,           // the slogans, most votes first
  kTallyProblemsLabel,
  kTallyProblems,  // what the sheets held that was not counted
  kTallyPoster,    // the chosen slogan's poster; Enter does the same
  kTallySave,      // the tally as CSV
  kTallyClose,
};

using TallyControl = ControlRow<TallyControlId>;

inline constexpr LayoutSize kTallyFormClientSize{600, 440};

// In tab order.
inline constexpr TallyControl kTallyFormLayout[] = {
    {kTallySummary,
     ControlKind::TextLabel,
     {12, 12, 576, 20},
     kAnchorLeft | kAnchorTop | kAnchorRight,
     u""},
    {kTallyList, ControlKind::ReportList, {12, 36, 576, 262}, kAnchorAll, u""},
    {kTallyProblemsLabel,
     ControlKind::FieldLabel,
     {12, 306, 576, 20},
     kAnchorLeft | kAnchorRight | kAnchorBottom,
     u"数えなかったもの(&M):"},
    {kTallyProblems,
     ControlKind::NoteList,
     {12, 328, 576, 64},
     kAnchorLeft | kAnchorRight | kAnchorBottom,
     u""},
    {kTallyPoster,
     ControlKind::PushButton,
     {12, 402, 150, 28},
     kAnchorLeft | kAnchorBottom,
     u"ポスターを作成(&P)"},
    {kTallySave,
     ControlKind::PushButton,
     {170, 402, 150, 28},
     kAnchorLeft | kAnchorBottom,
     u"結果を書き出す(&S)..."},
    {kTallyClose,
     ControlKind::PushButton,
     {488, 402, 100, 28},
     kAnchorRight | kAnchorBottom,
     u"閉じる"},
};

struct TallyColumn {
  std::u16string_view heading;
  int width;  // at 96 dots per inch; the slogan's takes what the rest leave
  bool numbers;
};

inline constexpr TallyColumn kTallyColumns[] = {
    {u"順位", 48, true},  {u"標語", 260, false},
    {u"票数", 56, true},  {u"票を入れた人数", 112, true},
    {u"音数", 76, false},
};
inline constexpr int kTallySloganColumn = 1;

// After the slogan of a row the list lacks: the sheets hold it, the list
// no longer (or never did).
inline constexpr std::u16string_view kNotInListMark = u"（一覧にない）";

}  // namespace tavlin
