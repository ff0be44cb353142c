// The phrase workshop without a window: each line's notes as the writer
// types, the share of slogans that scan, the rules for a new theme's name
// and files, and the three files kept as the storage lists are.
#include <gtest/gtest.h>

#include "src/platform/messages.h"
#include "src/platform/unicode_text.h"
#include "src/rhythm/reading_dictionary_writer.h"
#include "src/workshop/new_theme.h"
#include "src/workshop/scan_share.h"
#include "src/workshop/workshop_host.h"
#include "src/workshop/workshop_margin.h"
#include "support/faulty_file_ops.h"
#include "support/list_session.h"
#include "support/recording_view.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace {

namespace fs = std::filesystem;

class Workshop : public testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(folder_ / kReadingDictionaryFileName,
               ReadingDictionaryBytes({}, {}));
    meter_ = MoraMeter::Load(folder_.path(), codec_);
    ASSERT_TRUE(meter_.available());
  }
  std::vector<std::u16string> Margin(std::u16string_view text,
                                     PhrasePlace place) {
    std::vector<std::u16string> margin;
    for (const LineNote& note : NotesOfLines(text, place, meter_))
      margin.push_back(FiguresReading(MarginFigures(note)));
    return margin;
  }

  TempFolder folder_;
  ByteCodec codec_;
  MoraMeter meter_;
};

TEST_F(Workshop, TheMarginCountsEachLineAndMarksWhatDoesNotFit) {
  using Margins = std::vector<std::u16string>;
  // Kana count by the character rules: あいうえお is 5, しゅう 2.
  EXPECT_EQ(Margin(u"あいうえお\r\nあいうえおか\r\n", PhrasePlace::Upper),
            (Margins{u"5", u"▲6"}));
  EXPECT_EQ(
      Margin(u"あいうえおかき\nしゅう\rあいうえおかき", PhrasePlace::Middle),
      (Margins{u"7", u"▲2", u"7 重複"}));
  EXPECT_EQ(Margin(u"あいうえお\r\n \r\n\r\nあいうえお", PhrasePlace::Lower),
            (Margins{u"5", u"空行", u"空行", u"5 重複"}));
  EXPECT_TRUE(Margin(u"", PhrasePlace::Upper).empty());
  // Without the dictionary, nothing is counted; blank and twice still are.
  const std::vector<LineNote> uncounted =
      NotesOfLines(u"あ\r\nあ\r\n ", PhrasePlace::Upper, MoraMeter());
  ASSERT_EQ(uncounted.size(), 3u);
  EXPECT_TRUE(uncounted[0].count.empty() || uncounted[0].fits);
  EXPECT_FALSE(uncounted[0].fits || uncounted[0].off_rhythm);
  EXPECT_TRUE(uncounted[1].duplicate);
  EXPECT_TRUE(uncounted[2].blank);
}

TEST_F(Workshop, TheShareIsFittingLinesOverAllLinesPlaceByPlace) {
  const std::array<std::vector<LineNote>, kPhrasePlaces> notes = {
      NotesOfLines(u"あいうえお\r\nあいう\r\nかきくけこ", PhrasePlace::Upper,
                   meter_),
      NotesOfLines(u"あいうえおかき\r\n\r\nあい", PhrasePlace::Middle, meter_),
      NotesOfLines(u"あいうえお\r\nかきくけこ", PhrasePlace::Lower, meter_)};
  const ScanShare share = ScanShareOf(notes);
  EXPECT_EQ(share, (ScanShare{3 * 2 * 2, 2 * 1 * 2}));
  EXPECT_EQ(ScanShareText(share), "五・七・五になる標語: 4 / 12（33%）");
  EXPECT_EQ(ScanShareText({420, 96}), "五・七・五になる標語: 96 / 420（23%）");
  EXPECT_EQ(ScanShareText({0, 0}), "五・七・五になる標語: 0 / 0（0%）");
  // Millions of lines in each file do not wrap around.
  std::array<std::vector<LineNote>, kPhrasePlaces> huge;
  for (auto& file : huge) file.assign(10'000'000, LineNote{u"5", true});
  EXPECT_EQ(ScanShareOf(huge).slogans, UINT64_MAX);
}

TEST(NewThemes, NamesMustFitAFileNameAndBeNew) {
  const std::vector<std::u16string> themes = {u"交通安全"};
  struct Case {
    std::u16string_view typed;
    std::optional<std::string> why;
  };
  const Case cases[] = {
      {u"  衛生　", std::nullopt},
      {u"", std::string(kThemeNameEmpty)},
      {u"　", std::string(kThemeNameEmpty)},
      {u"品質/環境", "テーマの名前に「/」は使えません"},
      {u"a?", "テーマの名前に「?」は使えません"},
      {u"一二三四五六七八", std::nullopt},
      {u"一二三四五六七八九", "テーマの名前は 8 文字までです"},
      {u"安全", "テーマ「安全」はもうあります"},
      {u"交通安全", "テーマ「交通安全」はもうあります"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WhyNotANewTheme(TrimmedThemeName(c.typed), themes), c.why)
        << Utf8FromU16(c.typed);
}

TEST(NewThemes, AreThreeEmptyFilesAndNeverOverwriteOne) {
  TempFolder folder;
  ASSERT_FALSE(CreateThemeFiles(folder.path(), u"衛生"));
  for (const char* name : {"衛生上.txt", "衛生中.txt", "衛生下.txt"})
    EXPECT_EQ(
        ReadBytes(folder / fs::path(reinterpret_cast<const char8_t*>(name))),
        "");
  const fs::path middle = folder / fs::path(u"環境中.txt");
  WriteBytes(middle, "kept");
  const std::optional<std::string> why =
      CreateThemeFiles(folder.path(), u"環境");
  ASSERT_TRUE(why);
  EXPECT_NE(why->find("環境中.txt"), std::string::npos);
  EXPECT_EQ(ReadBytes(middle), "kept");
  EXPECT_FALSE(fs::exists(folder / fs::path(u"環境上.txt")));
  // A folder that takes no new file leaves none behind.
  RefusingFolderOps refusing({folder.path()});
  EXPECT_TRUE(CreateThemeFiles(folder.path(), u"品管", refusing));
  EXPECT_FALSE(fs::exists(folder / fs::path(u"品管上.txt")));
}

// The files are the storage lists' kind of file: loaded into their boxes,
// saved as typed, merged with what another writer did meanwhile.
TEST_F(Workshop, KeepsItsFilesAsTheyAreTypedAndMergesAnotherWriter) {
  const fs::path upper = folder_ / fs::path(u"衛生上.txt");
  const fs::path lower = folder_ / fs::path(u"衛生下.txt");
  WriteBytes(upper, "one\r\ntwo\r\n");
  WriteBytes(lower, "");
  RecordingView view;
  WorkshopHost host(folder_.path(), u"衛生", codec_, meter_);
  for (std::size_t box = 0; box < kPhrasePlaces; ++box) view.boxes[box];
  host.Attach(view);
  host.LoadFiles({folder_ / "user", folder_ / "temp"});
  EXPECT_EQ(view.boxes[0], u"one\r\ntwo");  // the last break ends a line
  EXPECT_EQ(host.FileOf(PhrasePlace::Upper), upper);
  view.boxes[0] = u"one\r\ntwo\r\nthree\r\n";
  host.ListTyped(0);
  WriteBytes(upper, "zero\r\none\r\ntwo\r\n");  // Notepad, meanwhile
  view.boxes[2] = u"last";
  host.ListTyped(2);
  EXPECT_EQ(host.SaveLists(SaveMoment::Closing), ListSaving::Saved::All);
  EXPECT_EQ(ReadBytes(upper), "zero\r\none\r\ntwo\r\nthree\r\n");
  EXPECT_EQ(ReadBytes(lower), "last");
  EXPECT_FALSE(fs::exists(folder_ / fs::path(u"衛生中.txt")));  // untouched
}

TEST_F(Workshop, TheFootTellsTheShareOrWhyThereIsNone) {
  WorkshopHost host(folder_.path(), u"衛生", codec_, meter_);
  host.Note(PhrasePlace::Upper, u"あいうえお");
  host.Note(PhrasePlace::Middle, u"あいうえおかき\r\nあ");
  host.Note(PhrasePlace::Lower, u"あいうえお");
  EXPECT_EQ(host.FootText(), "五・七・五になる標語: 1 / 2（50%）");
  const MoraMeter none = MoraMeter::Load(folder_ / "empty", codec_);
  WorkshopHost blind(folder_.path(), u"衛生", codec_, none);
  EXPECT_FALSE(blind.Counting());
  EXPECT_EQ(blind.FootText(), none.why_unavailable());
  EXPECT_FALSE(blind.FootText().empty());
}

}  // namespace

}  // namespace tavlin
