// The example phrase files as they ship, counted with the dictionary the
// build made: every slogan of each theme scans 五・七・五, and a generation
// in 五・七・五 finds five, by the host as the window asks it.
#include <gtest/gtest.h>
#include <iconv.h>

#include <filesystem>

#include "src/app/main_host.h"
#include "src/app/page_spec.h"
#include "src/platform/unicode_text.h"
#include "src/slogan/slogan_generator.h"
#include "src/slogan/slogan_rhythm.h"
#include "src/ui/main_form_ids.h"
#include "src/workshop/scan_share.h"
#include "support/recording_view.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace {

// Code page 932 as glibc converts it; only decoding is needed here.
class IconvShiftJis final : public TextCodec {
 public:
  std::optional<std::u16string> Decode(std::string_view bytes) const override {
    iconv_t convert = iconv_open("UTF-16LE", "CP932");
    if (convert == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in(bytes);
    std::string out(in.size() * 4 + 4, '\0');
    char* in_at = in.data();
    char* out_at = out.data();
    std::size_t in_left = in.size();
    std::size_t out_left = out.size();
    const std::size_t done =
        iconv(convert, &in_at, &in_left, &out_at, &out_left);
    iconv_close(convert);
    if (done == static_cast<std::size_t>(-1)) return std::nullopt;
    std::u16string text((out.size() - out_left) / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
      text[i] = static_cast<char16_t>(static_cast<unsigned char>(out[2 * i]) |
                                      static_cast<unsigned char>(out[2 * i + 1])
                                          << 8);
    return text;
  }
  std::string Encode(std::u16string_view, bool& lossy) const override {
    lossy = true;
    return {};
  }
};

TEST(FiveSevenFiveFromTheExamples, EverySloganOfEveryThemeScans) {
  const IconvShiftJis codec;
  const std::filesystem::path examples = TAVLIN_EXAMPLES_FOLDER;
  const MoraMeter meter = MoraMeter::Load(
      std::filesystem::path(TAVLIN_BUILT_DICTIONARY).parent_path(), codec);
  ASSERT_TRUE(meter.available());
  for (const std::u16string_view theme : {u"安全", u"品質", u"交通安全"}) {
    const PhraseFileNames names = PhraseFileNamesOf(theme);
    std::array<std::vector<LineNote>, kPhrasePlaces> notes;
    std::size_t place = 0;
    for (const std::filesystem::path* name :
         {&names.upper, &names.middle, &names.lower}) {
      const std::optional<std::u16string> text =
          codec.Decode(ReadBytes(examples / *name));
      ASSERT_TRUE(text);
      notes[place] =
          NotesOfLines(*text, static_cast<PhrasePlace>(place), meter);
      ++place;
    }
    const ScanShare share = ScanShareOf(notes);
    EXPECT_EQ(share.scanning, share.slogans)
        << Utf8FromU16(theme) << ": " << ScanShareText(share);
  }
}

TEST(FiveSevenFiveFromTheExamples, EveryThemeGivesFiveSlogansThatScan) {
  const IconvShiftJis codec;
  const std::filesystem::path examples = TAVLIN_EXAMPLES_FOLDER;
  MainHost host(PagesOf(examples / "Tavlin.exe"), examples, codec);
  RecordingView view;
  host.Attach(view);
  host.WindowShows();
  host.UseMeter(MoraMeter::Load(
      std::filesystem::path(TAVLIN_BUILT_DICTIONARY).parent_path(), codec));
  ASSERT_TRUE(host.Meter().available()) << host.Meter().why_unavailable();
  host.Run(kMenuFiveSevenFive);
  ASSERT_TRUE(host.FiveSevenFive());
  ASSERT_EQ(host.PageCount(), 3u);  // 安全, 品質, 交通安全
  for (std::size_t page = 0; page < host.PageCount(); ++page) {
    host.SwitchTo(page);
    for (const std::uint32_t seed : {1u, 5489u, 123456789u}) {
      const SloganRows& rows = host.Generate(seed);
      EXPECT_TRUE(view.told.empty());  // nothing says few scan
      ASSERT_EQ(rows.size(), 5u);
      for (const SloganRow& row : rows)
        EXPECT_TRUE(ScansFiveSevenFive(RhythmOf(host.Meter(), row)))
            << Utf8FromU16(row.Text());
    }
  }
}

}  // namespace

}  // namespace tavlin
