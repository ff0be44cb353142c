// The tally as the committee takes it away: pasted into a spreadsheet,
// saved as CSV, and told in a line.
#pragma once

#include <string>

#include "src/storage/vote_tally.h"

namespace tavlin {

// Tab-separated, for the clipboard: a heading row 順位 標語 票数
// 票を入れた人数 音数, then a row for each slogan, CR LF after every row.
// A cell holding a tab, a quote or a line break is quoted as Excel quotes
// it, so that pasting keeps it in its cell.
std::u16string TallyClipboardText(const VoteTally& tally);

// The same columns and 備考 (一覧にない for a slogan the list lacks), as
// CSV in UTF-8 with its byte-order mark: what Excel on Japanese Windows
// opens as it is. Slogans that look like formulas are written as text.
std::string TallyCsv(const VoteTally& tally);

// "3 枚の投票用紙から 12 句に 45 票", and the files not counted in
// brackets: "（読めなかったファイル 1）".
std::u16string TallySummaryLine(const VoteTallySummary& summary);

// "用紙A.csv: 7 行目: 「あ」は票数として読めません"; without the row for a
// problem of the whole file.
std::u16string VoteProblemLine(const VoteProblem& problem);

}  // namespace tavlin
