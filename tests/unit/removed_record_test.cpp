// The record of removed lines: read back as written, damaged lines left
// out, one entry a line, the newest first, thirty days and a thousand
// lines kept; and the lines a user's edit took out of a list.
#include "src/storage/removed_record.h"

#include <gtest/gtest.h>

namespace tavlin {

namespace {

constexpr std::int64_t kDay = 24 * 60 * 60;
constexpr std::int64_t kNow = 1798761540;  // 2026-12-31 23:59 UTC

std::vector<std::u16string> Lines(const std::vector<RemovedLine>& record) {
  std::vector<std::u16string> lines;
  for (const RemovedLine& entry : record) lines.push_back(entry.line);
  return lines;
}

TEST(RemovedRecord, ReadsBackWhatItWroteAndLeavesOutWhatDoesNotRead) {
  const std::vector<RemovedLine> record = {
      {u"安全第一\tタブ入り", kNow, RemovedHow::AtClose, false},
      {u"指差し確認", kNow - kDay, RemovedHow::Elsewhere, true},
      {u"整理整頓", kNow - 2 * kDay, RemovedHow::Here, true},
  };
  const std::string bytes = RemovedRecordBytes(record);
  EXPECT_EQ(ReadRemovedRecord(bytes), record);
  // A line cut short, a kind it does not know, and bytes that are no UTF-8.
  const std::string damaged = bytes + "17987\tH\t1\r\n1\tX\t1\tx\r\n2\tH\t1\t\xFF\r\n";
  EXPECT_EQ(ReadRemovedRecord(damaged), record);
  EXPECT_TRUE(ReadRemovedRecord("not a record\r\n1\tH\t1\tx\r\n").empty());
}

TEST(RemovedRecord, KeepsOneEntryALineNewestFirstWithinItsBounds) {
  std::vector<RemovedLine> record = {
      {u"B", kNow - kDay, RemovedHow::Here},
      {u"A", kNow - 2 * kDay, RemovedHow::Elsewhere},
      {u"old", kNow - 31 * kDay, RemovedHow::Here},
  };
  AddRemoved(record, {{u"A", kNow, RemovedHow::Here}, {u"C", kNow, RemovedHow::Here}},
             kNow);
  EXPECT_EQ(Lines(record), (std::vector<std::u16string>{u"A", u"C", u"B"}));
  EXPECT_EQ(record[0].how, RemovedHow::Here);

  std::vector<RemovedLine> many;
  for (int at = 0; at < 1500; ++at)
    many.push_back({u"line " + std::u16string(1, static_cast<char16_t>(0x4E00 + at)),
                    kNow - at, RemovedHow::Here});
  std::vector<RemovedLine> kept;
  AddRemoved(kept, many, kNow);
  ASSERT_EQ(kept.size(), kMostRemovedLines);
  EXPECT_EQ(kept.front().when, kNow);
  EXPECT_EQ(kept.back().when, kNow - 999);
}

TEST(RemovedRecord, LinesGoneAreWhatTheEditTookOutOnce) {
  EXPECT_EQ(LinesGone(u"A\r\nB\r\nC\r\nA\r\n", u"B\r\nD"),
            (std::vector<std::u16string>{u"A", u"C"}));
  EXPECT_TRUE(LinesGone(u"A\r\nB", u"B\r\nA\r\n").empty());
}

TEST(RemovedRecord, TimesReadAsTheCalendarHasThem) {
  EXPECT_EQ(RemovedWhenText(0), u"1月1日 00:00");
  EXPECT_EQ(RemovedWhenText(1709210040), u"2月29日 12:34");
  EXPECT_EQ(RemovedWhenText(kNow), u"12月31日 23:59");
}

}  // namespace

}  // namespace tavlin
