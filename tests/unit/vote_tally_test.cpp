// The committee's sheets summed: what a vote cell counts, which slogan a
// row is, ranks with ties, files chosen twice, and the tally as it leaves.
#include "src/storage/vote_tally.h"

#include <gtest/gtest.h>

#include "src/platform/unicode_text.h"
#include "src/rhythm/reading_dictionary_writer.h"
#include "src/storage/vote_count.h"
#include "src/storage/vote_tally_export.h"
#include "support/list_session.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace {

TEST(VotesInCell, CountsNumbersAndMarksAndRefusesTheRest) {
  const std::pair<std::u16string_view, int> counted[] = {
      {u"", 0},    {u" \u3000", 0},  {u"3", 3}, {u"３", 3},
      {u"3票", 3}, {u" 12 票 ", 12}, {u"0", 0}, {u"1000", 1000},
      {u"○", 1},   {u"〇", 1},       {u"◯", 1}, {u"◎", 1},
      {u"●", 1},   {u"✓", 1},        {u"✔", 1}, {u"レ", 1}};
  for (const auto& [cell, votes] : counted)
    EXPECT_EQ(VotesInCell(cell), votes) << Utf8FromU16(cell);
  for (const std::u16string_view cell :
       {u"あ", u"-1", u"1001", u"1.5", u"○○", u"票", u"99999999999"})
    EXPECT_EQ(VotesInCell(cell), std::nullopt) << Utf8FromU16(cell);
}

VoteSheetFile Sheet(std::u16string name, std::string bytes) {
  return VoteSheetFile{std::move(name), std::move(bytes), {}};
}

VoteTally Tally(const std::vector<std::u16string>& list,
                const std::vector<VoteSheetFile>& files) {
  return TallyVoteSheets(list, files, ByteCodec());
}

// Each slogan as "rank slogan votes/voters", "*" for one the list lacks.
std::string Ranking(const VoteTally& tally) {
  std::string ranking;
  for (const TalliedSlogan& s : tally.slogans)
    ranking += std::to_string(s.rank) + " " + Utf8FromU16(s.slogan) + " " +
               std::to_string(s.votes) + "/" + std::to_string(s.voters) +
               (s.list_position ? "" : "*") + "\n";
  return ranking;
}

TEST(TallyVoteSheets, RanksTiesAlikeInTheListsOrderAndKeepsUnvotedOnes) {
  const VoteTally tally = Tally(
      {u"甲", u"乙", u"丙", u"丁"},
      {Sheet(u"a.csv", "番号,標語,投票\r\n9,丙,2\r\n1,甲,○\r\n5,戊,1\r\n"),
       Sheet(u"b.csv", "標語,投票\r\n乙,1\r\n甲,1票\r\n己,\r\n")});
  EXPECT_EQ(Ranking(tally),
            "1 甲 2/2\n1 丙 2/1\n3 乙 1/1\n3 戊 1/1*\n5 丁 0/0\n");
  EXPECT_EQ(tally.summary.sheets_read, 2u);
  EXPECT_EQ(tally.summary.slogans_voted, 4u);
  EXPECT_EQ(tally.summary.votes, 6u);
  EXPECT_TRUE(tally.problems.empty());
}

TEST(TallyVoteSheets, MatchesByTextWithSpacesAndExcelsApostropheAside) {
  const VoteTally tally =
      Tally({u"安全 第一", u"=危険ゼロ"},
            {Sheet(u"kept.csv", "標語,投票\r\n安全第一,1\r\n'=危険ゼロ,1\r\n"),
             Sheet(u"dropped.csv",
                   "標語,投票\r\n 安全\u3000第一 ,1\r\n=危険 ゼロ,1\r\n")});
  EXPECT_EQ(Ranking(tally), "1 安全 第一 2/2\n1 =危険ゼロ 2/2\n");
}

TEST(TallyVoteSheets, CountsAFileChosenTwiceOnceAndSaysSo) {
  const std::string bytes = "標語,投票\r\n甲,1\r\n";
  const VoteTally tally =
      Tally({u"甲"}, {Sheet(u"C:\\票\\a.csv", bytes),
                      Sheet(u"c:/票/A.CSV", "標語,投票\r\n甲,5\r\n"),
                      Sheet(u"D:\\copy.csv", bytes)});
  EXPECT_EQ(Ranking(tally), "1 甲 1/1\n");
  EXPECT_EQ(tally.summary.sheets_read, 1u);
  EXPECT_EQ(tally.summary.sheets_repeated, 2u);
  ASSERT_EQ(tally.problems.size(), 2u);
  EXPECT_EQ(Utf8FromU16(VoteProblemLine(tally.problems[1])),
            "copy.csv: 「a.csv」と中身が同じです。一度だけ数えました");
}

TEST(TallyVoteSheets, ListsWhatItCouldNotCountByFileAndRow) {
  const VoteTally tally =
      Tally({u"甲"}, {Sheet(u"x\\a.csv",
                            "標語,投票\r\n甲,あ\r\n甲,-1\r\n甲,1001\r\n,2\r\n"
                            ",\u3000\r\n甲,1\r\n"),
                      Sheet(u"empty.csv", ""),
                      VoteSheetFile{u"gone.csv", {}, u"開けません"}});
  std::string lines;
  for (const VoteProblem& problem : tally.problems)
    lines += Utf8FromU16(VoteProblemLine(problem)) + "\n";
  EXPECT_EQ(lines,
            "a.csv: 2 行目: 「あ」は票数として読めません\n"
            "a.csv: 3 行目: 「-1」は票数として読めません\n"
            "a.csv: 4 行目: 「1001」は票数として読めません\n"
            "a.csv: 5 行目: 標語のない行に「2」と書かれています\n"
            "empty.csv: 空のファイルです\n"
            "gone.csv: 開けません\n");
  EXPECT_EQ(Ranking(tally), "1 甲 1/1\n");
  EXPECT_EQ(Utf8FromU16(TallySummaryLine(tally.summary)),
            "1 枚の投票用紙から 1 句に 1 票（読めなかったファイル 2）");
}

TEST(TallyVoteSheets, CountsEachSloganRhythmWithAMeter) {
  const TempFolder folder;
  WriteBytes(folder / kReadingDictionaryFileName,
             ReadingDictionaryBytes({{u"安全", 4}, {u"第一", 4}}, {}));
  const MoraMeter meter = MoraMeter::Load(folder.path(), ByteCodec());
  ASSERT_TRUE(meter.available()) << meter.why_unavailable();
  const VoteTally tally = TallyVoteSheets(
      {u"安全 第一"}, {Sheet(u"a.csv", "標語,投票\r\n安全第一,1\r\n")},
      ByteCodec(), &meter);
  ASSERT_EQ(tally.slogans.size(), 1u);
  EXPECT_EQ(Utf8FromU16(tally.slogans[0].rhythm), "4・4");
}

TEST(TallyExport, WritesTheClipboardTextTheCsvAndTheSummary) {
  VoteTally tally;
  tally.slogans = {{u"=危険\tゼロ", 3, 2, 1, 0, u"5・7・5"},
                   {u"安全 \"第一\"", 1, 1, 2, std::nullopt, u""}};
  EXPECT_EQ(Utf8FromU16(TallyClipboardText(tally)),
            "順位\t標語\t票数\t票を入れた人数\t音数\r\n"
            "1\t\"=危険\tゼロ\"\t3\t2\t5・7・5\r\n"
            "2\t\"安全 \"\"第一\"\"\"\t1\t1\t\r\n");
  EXPECT_EQ(TallyCsv(tally),
            "\xEF\xBB\xBF順位,標語,票数,票を入れた人数,音数,備考\r\n"
            "1,'=危険\tゼロ,3,2,5・7・5,\r\n"
            "2,\"安全 \"\"第一\"\"\",1,1,,一覧にない\r\n");
  tally.summary = {3, 1, 1, 12, 45};
  EXPECT_EQ(Utf8FromU16(TallySummaryLine(tally.summary)),
            "3 枚の投票用紙から 12 句に 45 票（読めなかったファイル 1、"
            "二度選ばれたファイル 1）");
}

}  // namespace

}  // namespace tavlin
