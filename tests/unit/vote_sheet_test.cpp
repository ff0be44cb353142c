#include "src/storage/vote_sheet.h"

#include <gtest/gtest.h>

#include "src/platform/unicode_text.h"
#include "src/rhythm/reading_dictionary_writer.h"
#include "support/list_session.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace {

std::string Utf8(std::u16string_view text) { return Utf8FromU16(text); }

TEST(SheetSlogans, AreTheBoxLinesTrimmedWithoutBlankOnes) {
  EXPECT_EQ(SheetSlogans(u"  一 二\r\n\r\n\u3000\r\n三\n四\r五 \u3000"),
            (std::vector<std::u16string>{u"一 二", u"三", u"四", u"五"}));
  EXPECT_TRUE(SheetSlogans(u"").empty());
}

TEST(VoteRules, CountAndJudgeWhatContestsRefuse) {
  const struct {
    std::u16string_view slogan;
    std::size_t characters;
    std::u16string_view judgement;
  } cases[] = {
      {u"安全は 一人ひとりの 心がけ", 12, u"可"},
      {u"ＫＹＴ ヨシ！ 指差し確認", 11, u"記号あり（！）"},
      {u"整理・整頓、清掃・清潔。", 12, u"記号あり（・、。）"},
      {u"ゝゞヽヾ々〆〇ー゛゜ｶﾞ𠮷ABCｚ９", 18, u"可"},
      {u"あいうえおかきくけこさしすせそたちつてとなにぬねの", 25, u"字数超過"},
      {u"あいうえおかきくけこ さしすせそたちつてとなにぬね", 24, u"可"},
      {u"「安全第一」〜今日も無事故で帰ろう〜みんなの願い", 24,
       u"記号あり（「」〜）"},
      {u"「安全第一」〜今日も無事故で帰ろう〜みんなの願いだ", 25,
       u"字数超過、記号あり（「」〜）"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8(c.slogan));
    EXPECT_EQ(CountSloganCharacters(c.slogan), c.characters);
    const auto judgements = JudgeSlogans({std::u16string(c.slogan)}, 24);
    EXPECT_EQ(Utf8(JudgementText(judgements.at(0))), Utf8(c.judgement));
  }
}

TEST(VoteRules, MarkEveryRowOfASloganTwiceInTheListSpacesAside) {
  const auto judgements = JudgeSlogans(
      {u"安全 第一", u"品質 第一", u"安全第一", u"ゼロ災", u"安全\u3000第一"},
      kDefaultMaxSloganCharacters);
  // Each names one other row: a repeat the first, the first its first
  // repeat; the sheet stays linear however often a slogan stands.
  EXPECT_EQ(Utf8(JudgementText(judgements[0])), Utf8(u"重複（3番）"));
  EXPECT_EQ(Utf8(JudgementText(judgements[1])), Utf8(u"可"));
  EXPECT_EQ(Utf8(JudgementText(judgements[2])), Utf8(u"重複（1番）"));
  EXPECT_EQ(Utf8(JudgementText(judgements[4])), Utf8(u"重複（1番）"));
  const std::vector<std::u16string> same(1000, u"安全第一");
  for (const SloganJudgement& judgement : JudgeSlogans(same, 24))
    EXPECT_EQ(judgement.same_as.size(), 1u);
}

TEST(CsvField, QuotesWhatWouldBreakARowAndDisarmsFormulas) {
  const struct {
    std::string_view text;
    bool may_be_formula;
    std::string_view field;
  } cases[] = {
      {"plain", true, "plain"},
      {"a,b", false, "\"a,b\""},
      {"say \"yes\"", false, "\"say \"\"yes\"\"\""},
      {"two\r\nlines", false, "\"two\r\nlines\""},
      {"=1+1", true, "'=1+1"},
      {"+1+1", true, "'+1+1"},
      {"-2,3", true, "\"'-2,3\""},
      {"@SUM(A1:A9)", true, "'@SUM(A1:A9)"},
      {"=1+1", false, "=1+1"},
      {"", true, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CsvField(c.text, c.may_be_formula), c.field) << c.text;
}

TEST(VoteSheetCsv, IsUtf8WithAByteOrderMarkAndCrLfRows) {
  const std::string sheet =
      VoteSheetCsv({u"安全 第一", u"声かけ、確認", u"安全第一"}, 24);
  const std::string expected = "\xEF\xBB\xBF" +
                               Utf8(u"番号,標語,文字数,判定,投票\r\n") +
                               Utf8(u"1,安全 第一,4,重複（3番）,\r\n") +
                               Utf8(u"2,声かけ、確認,6,記号あり（、）,\r\n") +
                               Utf8(u"3,安全第一,4,重複（1番）,\r\n");
  EXPECT_EQ(sheet, expected);
}

TEST(VoteSheetCsv, WithTheRhythmMeterHasAColumnOfMorae) {
  const TempFolder folder;
  WriteBytes(folder / kReadingDictionaryFileName,
             ReadingDictionaryBytes({{u"安全", 4}, {u"第一", 4}}, {}));
  const MoraMeter meter = MoraMeter::Load(folder.path(), ByteCodec());
  ASSERT_TRUE(meter.available()) << meter.why_unavailable();
  const std::string sheet = VoteSheetCsv(
      {u"安全　第一 ですよ", u"安全第一", u"安全  第一"}, 24, &meter);
  EXPECT_EQ(sheet, "\xEF\xBB\xBF" +
                       Utf8(u"番号,標語,文字数,音数,判定,投票\r\n") +
                       Utf8(u"1,安全　第一 ですよ,7,4・4・3,可,\r\n") +
                       Utf8(u"2,安全第一,4,8,重複（3番）,\r\n") +
                       Utf8(u"3,安全  第一,4,4・4,重複（2番）,\r\n"));
  // Without a dictionary the sheet is as it always was.
  const MoraMeter none = MoraMeter::Load(folder / "none", ByteCodec());
  EXPECT_FALSE(none.available());
  EXPECT_EQ(VoteSheetCsv({u"安全第一"}, 24, &none).find(Utf8(u"音数")),
            std::string::npos);
}

}  // namespace

}  // namespace tavlin
