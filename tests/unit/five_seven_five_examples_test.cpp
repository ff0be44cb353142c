// A generation in 五・七・五 from the example phrase files, counted with the
// dictionary the build made.
#include <gtest/gtest.h>
#include <iconv.h>

#include <filesystem>

#include "src/slogan/mora_meter.h"
#include "src/slogan/mt19937ar.h"
#include "src/slogan/slogan_generator.h"

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

class MeterRhythm final : public SloganRhythmOf {
 public:
  MeterRhythm(const MoraMeter& meter, const TextCodec& codec)
      : meter_(meter), codec_(codec) {}
  SloganRhythm Of(const ComposedSlogan& slogan) const override {
    SloganRhythm rhythm;
    for (std::size_t i = 0; i < kPhrasePositions; ++i)
      rhythm.parts[i] = meter_.Count(
          codec_.Decode(slogan.parts[i].bytes()).value_or(u"\uFFFF"));
    return rhythm;
  }

 private:
  const MoraMeter& meter_;
  const TextCodec& codec_;
};

class Collected final : public SloganListTarget {
 public:
  void RemoveAll() override { slogans.clear(); }
  void Append(ShiftJisView) override {}
  void AppendParts(const ComposedSlogan& slogan) override {
    slogans.push_back(slogan);
  }
  std::vector<ComposedSlogan> slogans;
};

TEST(FiveSevenFiveFromTheExamples, EveryThemeGivesFiveSlogansThatScan) {
  const IconvShiftJis codec;
  const MoraMeter meter = MoraMeter::Load(
      std::filesystem::path(TAVLIN_BUILT_DICTIONARY).parent_path(), codec);
  ASSERT_TRUE(meter.available()) << meter.why_unavailable();
  const MeterRhythm rhythm(meter, codec);
  for (const std::u16string_view theme : {u"安全", u"品質", u"交通安全"}) {
    for (const std::uint32_t seed : {1u, 5489u, 123456789u}) {
      PhraseLists lists;
      LoadThemePhrases(theme, TAVLIN_EXAMPLES_FOLDER, lists);
      init_genrand(seed);
      Collected rows;
      EXPECT_EQ(ComposeFiveSevenFiveSlogans(lists, rows, rhythm), 5);
      ASSERT_EQ(rows.slogans.size(), 5u);
      for (const ComposedSlogan& slogan : rows.slogans)
        EXPECT_TRUE(ScansFiveSevenFive(rhythm.Of(slogan)));
    }
  }
}

}  // namespace

}  // namespace tavlin
