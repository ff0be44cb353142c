// Vote sheets as Excel saves them back in each of its forms, and the files
// a member may pick by mistake: each read to its rows, or refused with why.
#include "src/storage/vote_sheet_reader.h"

#include <gtest/gtest.h>

#include <map>

#include "src/platform/text_encoding.h"
#include "src/platform/unicode_text.h"

namespace tavlin {

namespace {

// Shift-JIS for the few characters the sheets below use; any other pair
// does not decode, as a real codec refuses bytes it has no character for.
class FewShiftJis final : public TextCodec {
 public:
  std::optional<std::u16string> Decode(std::string_view bytes) const override {
    static const std::map<std::string_view, char16_t> kPairs = {
        {"\x94\xD4", u'番'}, {"\x8D\x86", u'号'}, {"\x95\x57", u'標'},
        {"\x8C\xEA", u'語'}, {"\x93\x8A", u'投'}, {"\x95\x5B", u'票'},
        {"\x88\xC0", u'安'}, {"\x91\x53", u'全'}, {"\x81\x9B", u'○'}};
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (static_cast<unsigned char>(bytes[i]) < 0x80) {
        text += static_cast<char16_t>(bytes[i]);
        continue;
      }
      const auto pair = kPairs.find(bytes.substr(i++, 2));
      if (pair == kPairs.end()) return std::nullopt;
      text += pair->second;
    }
    return text;
  }
  std::string Encode(std::u16string_view, bool& lossy) const override {
    lossy = true;
    return {};
  }
};

std::string Utf16Le(std::u16string_view text) {
  bool lossy = false;
  return EncodeUnicodeText(text, TextEncoding::Utf16Le, lossy);
}

// The rows as "row|slogan|vote", one a line, or the refusal.
std::string Read(std::string_view bytes) {
  const VoteSheetRows sheet = ReadVoteSheet(bytes, FewShiftJis());
  if (!sheet.refusal.empty()) return "refused: " + Utf8FromU16(sheet.refusal);
  std::string rows;
  for (const VoteSheetRow& row : sheet.rows)
    rows += std::to_string(row.row_number) + "|" + Utf8FromU16(row.slogan) +
            "|" + Utf8FromU16(row.vote) + "\n";
  return rows;
}

TEST(ReadVoteSheet, TakesEachFormExcelSaves) {
  const struct {
    const char* form;
    std::string bytes;
    std::string rows;
  } cases[] = {
      {"CSV UTF-8 as exported, apostrophe kept",
       "\xEF\xBB\xBF番号,標語,文字数,音数,判定,投票\r\n"
       "1,安全第一,4,4,可,○\r\n2,'=危険ゼロ,5,,可,\r\n",
       "2|安全第一|○\n3|'=危険ゼロ|\n"},
      {"UTF-8 without a mark, columns moved and added, LF, rows re-sorted",
       "投票,メモ,標語\n3票,x,品質\n,,\n1,,安全\n", "2|品質|3票\n4|安全|1\n"},
      {"quotes doubled and a line break inside one",
       "標語,投票\r\n\"「ヨシ,」と\"\"指差し\"\"\n確認\",2\r\n安全,1",
       "2|「ヨシ,」と\"指差し\"\n確認|2\n3|安全|1\n"},
      {"Shift-JIS CSV",
       "\x94\xD4\x8D\x86,\x95\x57\x8C\xEA,\x93\x8A\x95\x5B\r\n"
       "1,\x88\xC0\x91\x53,\x81\x9B\r\n",
       "2|安全|○\n"},
      {"Unicode text: UTF-16 with tabs",
       Utf16Le(u"番号\t標語\t投票\r\n1\t安全, 第一\t３\r\n"),
       "2|安全, 第一|３\n"},
      {"tabs in a UTF-8 heading row", "標語\t投票\r\n安全,第一\t1\r\n",
       "2|安全,第一|1\n"},
      {"a title above, spaced headings, blank rows, trailing empty columns",
       "投票用紙\r\n\r\n 番号 ,\u3000標語 "
       ",投票,,\r\n1,安全,1,,\r\n\r\n2,品質,,,\r\n"
       "3,,,,\r\n",
       "4|安全|1\n6|品質|\n"},
      {"a row shorter than the heading", "標語,メモ,投票\r\n安全\r\n",
       "2|安全|\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Read(c.bytes), c.rows) << c.form;
}

TEST(ReadVoteSheet, RefusesWhatIsNoSheetAndSaysWhy) {
  const struct {
    const char* file;
    std::string bytes;
    std::string refusal;
  } cases[] = {
      {"zero bytes", "", "refused: 空のファイルです"},
      {"an Excel workbook", std::string("PK\x03\x04\x14\0\x06\0", 8),
       "refused: Excel のブックのままです。Excel で開き、「ファイル」→"
       "「名前を付けて保存」で「CSV UTF-8 (コンマ区切り)」を選んで保存した"
       "ファイルを選んでください"},
      {"a NUL byte", std::string("標語,投票\r\n") + '\0' + "1",
       "refused: 文字のファイルではありません（CSV として読めません）"},
      {"control characters", "標語,投票\x01\x02\x03\x04\x05\x06",
       "refused: 文字のファイルではありません（CSV として読めません）"},
      {"neither UTF-8 nor Shift-JIS", "\x95\x57\x8C\xEA,\xFF\xFE\xFD",
       "refused: 読み取れない文字があります。Excel で「CSV UTF-8 "
       "(コンマ区切り)」として保存し直してください"},
      {"no 投票 heading", "番号,標語\r\n1,安全\r\n",
       "refused: 見出しに「投票」の列がありません"},
      {"no headings", "a,b\r\n1,2\r\n",
       "refused: 見出し「標語」と「投票」の行がありません（投票用紙の CSV "
       "ではないようです）"},
  };
  for (const auto& c : cases) EXPECT_EQ(Read(c.bytes), c.refusal) << c.file;
}

TEST(ReadVoteSheet, ReadsAMillionRowSheetUpToItsLimit) {
  std::string bytes = "標語,投票\n";
  for (int row = 0; row < 1'000'000; ++row) bytes += "a,1\n";
  const VoteSheetRows sheet = ReadVoteSheet(bytes, FewShiftJis());
  EXPECT_TRUE(sheet.refusal.empty());
  EXPECT_EQ(sheet.rows.size(), kMostVoteSheetRows);
  EXPECT_EQ(sheet.rows.back().row_number, kMostVoteSheetRows + 1);
  EXPECT_EQ(sheet.first_unread_row, kMostVoteSheetRows + 2);
}

}  // namespace

}  // namespace tavlin
