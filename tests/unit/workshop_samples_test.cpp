// The phrase workshop's samples: the generator's own draw from the boxes as
// they stand, the lines each sample came from, and their rhythm.
#include "src/workshop/workshop_samples.h"

#include <gtest/gtest.h>

#include "src/platform/unicode_text.h"
#include "src/rhythm/reading_dictionary_writer.h"
#include "src/slogan/slogan_generator.h"
#include "support/list_session.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace {

// Phrases in UTF-8 stand in for Shift-JIS: kana stay kana, and no byte of a
// character is a line's end or a blank.
class Utf8Codec final : public TextCodec {
 public:
  std::optional<std::u16string> Decode(std::string_view bytes) const override {
    return U16FromUtf8(bytes);
  }
  std::string Encode(std::u16string_view text, bool& lossy) const override {
    lossy = false;
    return Utf8FromU16(text);
  }
};

class Collected final : public SloganListTarget {
 public:
  void RemoveAll() override { parts.clear(); }
  void Append(ShiftJisView) override {}
  void AppendParts(const ComposedSlogan& slogan) override {
    parts.push_back({std::string(slogan.parts[0].bytes()),
                     std::string(slogan.parts[1].bytes()),
                     std::string(slogan.parts[2].bytes())});
  }
  std::vector<std::array<std::string, 3>> parts;
};

std::u16string_view Selected(std::u16string_view box, const BoxRange& range) {
  return box.substr(range.begin, range.end - range.begin);
}

// Lines blank by the line rule (spaces, tabs, nothing) among phrases, with
// every kind of line end.
const std::u16string kBoxes[] = {
    u"u0\r\n \r\nu1\r\n\r\n\tu2\r\nu3\r\n",
    u"\n\nm0\nm1 \n  \nm2\nm3\nm4",
    u"l0\r\r\t \rl1\r\nl2\nl3\r"};

TEST(WorkshopSamples, DrawWhatAGenerationFromTheSavedFilesDraws) {
  const Utf8Codec codec;
  const TempFolder folder;
  const PhraseFileNames names = PhraseFileNamesOf(u"試し");
  WriteBytes(folder / names.upper, Utf8FromU16(kBoxes[0]));
  WriteBytes(folder / names.middle, Utf8FromU16(kBoxes[1]));
  WriteBytes(folder / names.lower, Utf8FromU16(kBoxes[2]));
  for (const std::uint32_t seed : {0u, 1u, 5489u, 0xDEADBEEFu}) {
    PhraseLists lists;
    Collected generated;
    GenerateThemeSlogans(folder.path(), u"試し", lists, seed, generated);
    const WorkshopSamples drawn =
        DrawSamples({kBoxes[0], kBoxes[1], kBoxes[2]}, seed, codec, MoraMeter());
    EXPECT_TRUE(drawn.why_none.empty());
    ASSERT_EQ(drawn.samples.size(), generated.parts.size()) << seed;
    for (std::size_t n = 0; n < drawn.samples.size(); ++n)
      for (std::size_t place = 0; place < 3; ++place) {
        const WorkshopSample& sample = drawn.samples[n];
        EXPECT_EQ(sample.row.parts[place].bytes(), generated.parts[n][place]);
        // The line it names, whole, is the one drawn.
        const std::u16string_view line =
            Selected(kBoxes[place], sample.ranges[place]);
        EXPECT_EQ(Utf8FromU16(line), generated.parts[n][place]);
        EXPECT_EQ(LinesOfBox(kBoxes[place]).at(sample.lines[place]), line);
      }
  }
}

TEST(WorkshopSamples, NeverDrawALineAGenerationSkips) {
  const Utf8Codec codec;
  for (std::uint32_t seed = 0; seed < 200; ++seed)
    for (const WorkshopSample& sample :
         DrawSamples({kBoxes[0], kBoxes[1], kBoxes[2]}, seed, codec,
                     MoraMeter())
             .samples)
      for (std::size_t place = 0; place < 3; ++place) {
        const std::u16string_view line =
            Selected(kBoxes[place], sample.ranges[place]);
        ASSERT_FALSE(line.empty()) << seed;
        EXPECT_NE(line.find_first_not_of(u" \t"), std::u16string_view::npos);
      }
}

// One phrase in each box: every sample draws it, at the line and the
// characters given.
TEST(WorkshopSamples, NameTheLineAndTheCharactersOfEachPart) {
  struct Case {
    std::array<std::u16string_view, 3> boxes;
    std::array<std::size_t, 3> lines;
    std::array<BoxRange, 3> ranges;
  };
  const Case cases[] = {
      {{u"a", u"b", u"c"}, {0, 0, 0}, {{{0, 1}, {0, 1}, {0, 1}}}},
      {{u"\r\n  \r\nあさひ\r\n", u"\n\nxy", u" \rz\r"},
       {2, 2, 1},
       {{{6, 9}, {2, 4}, {2, 3}}}},
      {{u"\t\r\n\r\n\r\n\r\n長い行です  ", u"x\n", u"\r\r\n\nend"},
       {4, 0, 3},
       {{{9, 16}, {0, 1}, {4, 7}}}},
  };
  const Utf8Codec codec;
  for (const Case& c : cases) {
    const WorkshopSamples drawn = DrawSamples(c.boxes, 7, codec, MoraMeter());
    ASSERT_EQ(drawn.samples.size(), 5u) << Utf8FromU16(c.boxes[0]);
    for (const WorkshopSample& sample : drawn.samples) {
      EXPECT_EQ(sample.lines, c.lines) << Utf8FromU16(c.boxes[0]);
      EXPECT_EQ(sample.ranges, c.ranges) << Utf8FromU16(c.boxes[0]);
    }
  }
}

TEST(WorkshopSamples, WithABoxWithoutPhrasesThereAreNoneAndTheLineSaysWhy) {
  struct Case {
    std::array<std::u16string_view, 3> boxes;
    std::string why;
  };
  const Case cases[] = {
      {{u"", u"b", u"c"}, "上の句に語句がないため、見本は作れません"},
      {{u"a", u" \r\n\t", u"\r\n"},
       "中の句と下の句に語句がないため、見本は作れません"},
      {{u"", u"", u""},
       "上の句と中の句と下の句に語句がないため、見本は作れません"},
  };
  const Utf8Codec codec;
  for (const Case& c : cases) {
    const WorkshopSamples drawn = DrawSamples(c.boxes, 1, codec, MoraMeter());
    EXPECT_TRUE(drawn.samples.empty());
    EXPECT_EQ(drawn.why_none, c.why);
  }
}

TEST(WorkshopSamples, ReadTheirRhythmAsTheMainWindowsRowsDo) {
  const TempFolder folder;
  WriteBytes(folder / kReadingDictionaryFileName,
             ReadingDictionaryBytes({}, {}));
  const Utf8Codec codec;
  const MoraMeter meter = MoraMeter::Load(folder.path(), codec);
  ASSERT_TRUE(meter.available());
  struct Case {
    std::array<std::u16string_view, 3> boxes;
    const MoraMeter& meter;
    std::u16string text;
  };
  const MoraMeter none;
  const Case cases[] = {
      {{u"あいうえお", u"あいうえおかき", u"あいうえお"},
       meter,
       u"あいうえお あいうえおかき あいうえお\u3000（音数 5・7・5 "
       u"五・七・五）"},
      {{u"あいうえお\r\n", u"しゅう", u"あいうえおか"},
       meter,
       u"あいうえお しゅう あいうえおか\u3000（音数 5・2・6）"},
      {{u"あいうえお", u"しゅう", u"あいうえおか"},
       none,
       u"あいうえお しゅう あいうえおか"},
  };
  for (const Case& c : cases)
    for (const WorkshopSample& sample :
         DrawSamples(c.boxes, 3, codec, c.meter).samples)
      EXPECT_EQ(sample.text, c.text) << Utf8FromU16(sample.text);
}

}  // namespace

}  // namespace tavlin
