// Files that are not what the program expects: each gives a sound result,
// never a crash, and saving gives back every byte that was loaded.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "src/slogan/phrase_list.h"
#include "src/slogan/slogan_generator.h"
#include "src/storage/storage_file.h"
#include "support/list_session.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

struct BadBytes {
  const char* name;
  std::string bytes;
};

std::ostream& operator<<(std::ostream& out, const BadBytes& c) {
  return out << c.name;
}

const BadBytes kBadBytes[] = {
    {"LeadByteAtTheEnd", "abc\r\n\x88"},
    {"InvalidTrailBytes", "\x88\x20\x88\x7F\x81\xFD"},
    {"UnassignedSingleBytes", "\x80\xA0\xFD\xFE\xFF"},
    {"Utf8ByteOrderMark", "\xEF\xBB\xBF\xE5\xAE\x89\xE5\x85\xA8"},
    {"ZeroBytes", std::string("a\0b\0\0c", 6)},
    {"ControlCharactersOnly", "\x01\x02\x1F\x7F"},
};

class BadPhraseFiles : public testing::TestWithParam<BadBytes> {};

// Phrases keep their bytes as they stand; a generation composes from them.
TEST_P(BadPhraseFiles, GiveSlogansMadeOfTheirBytes) {
  TempFolder folder;
  const PhraseFileNames names = PhraseFileNamesOf(PhraseCategory::Safety);
  WriteBytes(folder / names.upper, GetParam().bytes);
  WriteBytes(folder / names.middle, "m");
  WriteBytes(folder / names.lower, "l");
  PhraseLists lists;
  LoadSafetyPhrases(folder.path(), lists);
  PhraseList reference;
  reference.AssignFileBytes(GetParam().bytes);
  ASSERT_EQ(lists.upper.size(), reference.size());
  for (std::size_t i = 0; i < reference.size(); ++i)
    EXPECT_EQ(lists.upper[i], reference[i]);
}

class BadStorageFiles : public testing::TestWithParam<BadBytes> {};

// An untouched list is written back exactly as it loaded, if at all; one
// that did not load whole (a zero byte cuts the text) is left as it is.
TEST_P(BadStorageFiles, SaveBackWhatTheyLoaded) {
  TempFolder folder;
  const fs::path file = folder / "list.txt";
  WriteBytes(file, GetParam().bytes);
  StorageList list;
  LoadStorageList(list, file);
  const ShiftJisText loaded = list.text;
  ListSession session(file);
  session.Save(session.shown());
  // A zero byte cuts the text: such a list never counts as loaded.
  if (GetParam().bytes.find('\0') != std::string::npos) {
    ASSERT_TRUE(session.load_failed());
  }
  if (session.load_failed()) {
    EXPECT_EQ(ReadBytes(file), GetParam().bytes);
    return;
  }
  EXPECT_EQ(ReadBytes(file), loaded.bytes());
  StorageList again;
  LoadStorageList(again, file);
  EXPECT_EQ(again.text.bytes(), loaded.bytes());
}

INSTANTIATE_TEST_SUITE_P(Catalogue, BadPhraseFiles,
                         testing::ValuesIn(kBadBytes),
                         [](const auto& info) { return info.param.name; });
INSTANTIATE_TEST_SUITE_P(Catalogue, BadStorageFiles,
                         testing::ValuesIn(kBadBytes),
                         [](const auto& info) { return info.param.name; });

TEST(HugePhraseFiles, A200MegabyteFileLoadsWhole) {
  TempFolder folder;
  const PhraseFileNames names = PhraseFileNamesOf(PhraseCategory::Quality);
  const std::string line(98, 'x');
  std::string bytes;
  bytes.reserve(200'000'000);
  std::size_t lines = 0;
  while (bytes.size() < 200'000'000) {
    bytes.append(line).append("\r\n");
    ++lines;
  }
  WriteBytes(folder / names.upper, bytes);
  bytes.clear();
  bytes.shrink_to_fit();
  WriteBytes(folder / names.middle, "m");
  WriteBytes(folder / names.lower, "l");
  PhraseLists lists;
  LoadQualityPhrases(folder.path(), lists);
  EXPECT_EQ(lists.upper.size(), lines);
  EXPECT_EQ(lists.upper[lines - 1], line);
}

TEST(HugePhraseFiles, AOneLine50MegabyteFileIsOnePhrase) {
  TempFolder folder;
  const PhraseFileNames names = PhraseFileNamesOf(PhraseCategory::Safety);
  WriteBytes(folder / names.upper, std::string(50'000'000, 'y'));
  WriteBytes(folder / names.middle, "m");
  WriteBytes(folder / names.lower, "l");
  PhraseLists lists;
  struct Count final : SloganListTarget {
    void RemoveAll() override { sizes.clear(); }
    void Append(ShiftJisView slogan) override {
      sizes.push_back(slogan.bytes().size());
    }
    std::vector<std::size_t> sizes;
  } target;
  GenerateThemeSlogans(folder.path(), u"安全", lists, 1, target);
  ASSERT_EQ(target.sizes.size(), 5u);
  EXPECT_EQ(target.sizes[0], 50'000'000u + 4);
}

}  // namespace

}  // namespace tavlin
