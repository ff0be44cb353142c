// Files as Notepad writes them: the encoding told from the bytes, strict
// UTF-8 and UTF-16 that give back the bytes they came from, phrase and
// storage files read and written in their own encoding.
#include "src/platform/text_encoding.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "src/platform/tavlin_error.h"
#include "src/slogan/slogan_generator.h"
#include "src/storage/storage_file.h"
#include "support/list_session.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

struct DetectionCase {
  const char* name;
  std::string bytes;
  TextEncoding expected;
};

std::ostream& operator<<(std::ostream& out, const DetectionCase& c) {
  return out << c.name;
}

class EncodingDetection : public testing::TestWithParam<DetectionCase> {};

TEST_P(EncodingDetection, ReadsTheFileAsItWasWritten) {
  EXPECT_EQ(DetectTextEncoding(GetParam().bytes), GetParam().expected);
}

using E = TextEncoding;
INSTANTIATE_TEST_SUITE_P(
    Cases, EncodingDetection,
    testing::Values(
        DetectionCase{"Empty", "", E::ShiftJis},
        DetectionCase{"AsciiOnly", "Safety first\r\n", E::ShiftJis},
        DetectionCase{"Utf8Mark",
                      "\xEF\xBB\xBF"
                      "abc",
                      E::Utf8WithBom},
        DetectionCase{"Utf16LeMark",
                      "\xFF\xFE"
                      "a\0",
                      E::Utf16Le},
        DetectionCase{"Utf16BeMark", "\xFE\xFF\0a", E::Utf16Be},
        DetectionCase{"Utf8Japanese", "\xE5\xAE\x89\xE5\x85\xA8", E::Utf8},
        DetectionCase{"ShiftJisJapanese", "\x88\xC0\x91\x53", E::ShiftJis},
        DetectionCase{"ShiftJisHalfWidthKana", "\xB1\xB2\xB3", E::ShiftJis},
        DetectionCase{"ShiftJisHiragana", "\x82\xA0\x82\xA2", E::ShiftJis},
        // A level-2 kanji before a half-width kana is also valid UTF-8:
        // read as UTF-8, it is written back in UTF-8, byte for byte.
        DetectionCase{"ShiftJisThatIsValidUtf8", "\xE8\x8A\xB1", E::Utf8},
        DetectionCase{"OverlongUtf8", "\xC0\xAF", E::ShiftJis},
        // 烙 and a half-width "｡" in Shift-JIS: an overlong form of U+0021.
        DetectionCase{"ShiftJisThatIsAnOverlongUtf8Form", "\xE0\x80\xA1",
                      E::ShiftJis},
        // 安全, a line break, 第一: 一 has a zero low byte.
        DetectionCase{"Utf16LeWithoutMark",
                      std::string("\x89\x5B\x68\x51\r\0\n\0\x2C\x7B\0\x4E", 12),
                      E::Utf16LeWithoutMark},
        DetectionCase{"Utf16BeWithoutMark",
                      std::string("\x5B\x89\x51\x68\0\r\0\n\x7B\x2C\x4E\0", 12),
                      E::Utf16BeWithoutMark},
        DetectionCase{"ShiftJisWithAZeroByte", std::string("A\r\nB\0C", 6),
                      E::ShiftJis},
        DetectionCase{"EncodedSurrogate", "\xED\xA0\x80", E::ShiftJis},
        DetectionCase{"TruncatedUtf8", "\xE5\xAE", E::ShiftJis}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnicodeText, EachEncodingGivesBackTheBytesItCameFrom) {
  const std::u16string text = u"A安\U0001F600\r\n";
  for (const TextEncoding encoding :
       {E::Utf8, E::Utf8WithBom, E::Utf16Le, E::Utf16Be}) {
    bool lossy = true;
    const std::string bytes = EncodeUnicodeText(text, encoding, lossy);
    EXPECT_FALSE(lossy);
    EXPECT_EQ(DetectTextEncoding(bytes), encoding);
    EXPECT_EQ(DecodeUnicodeText(bytes, encoding), text);
  }
  bool lossy = false;
  EXPECT_EQ(EncodeUnicodeText(u"A", E::Utf16Be, lossy),
            std::string("\xFE\xFF\0A", 4));
}

TEST(UnicodeText, BytesThatWouldNotComeBackDoNotDecode) {
  EXPECT_FALSE(
      DecodeUnicodeText("\xFF\xFE"
                        "a",
                        E::Utf16Le));  // odd length
  EXPECT_FALSE(DecodeUnicodeText(std::string("\xFF\xFE\x00\xD8", 4),
                                 E::Utf16Le));             // a lone surrogate
  EXPECT_FALSE(DecodeUnicodeText("abc", E::Utf8WithBom));  // no mark
  EXPECT_FALSE(DecodeUnicodeText("\x80", E::Utf8));
  bool lossy = false;
  EncodeUnicodeText(u"\xD800", E::Utf8, lossy);
  EXPECT_TRUE(lossy);
}

TEST(PhraseFiles, InUtf8OrUtf16AreReadAsWritten) {
  TempFolder folder;
  const PhraseFileNames names = PhraseFileNamesOf(u"防災");
  bool lossy = false;
  WriteBytes(folder / names.upper, "caf\xC3\xA9\r\n");  // Notepad's default
  WriteBytes(folder / names.middle,
             EncodeUnicodeText(u"n\u00E9e", E::Utf16Le, lossy));
  WriteBytes(folder / names.lower,
             "\xEF\xBB\xBF"
             "end");
  const ByteCodec shift_jis;  // stands in for code page 932
  PhraseLists lists;
  lists.shift_jis = &shift_jis;
  LoadThemePhrases(u"防災", folder.path(), lists);
  EXPECT_EQ(lists.upper[0], "caf\xE9");
  EXPECT_EQ(lists.middle[0],
            "n\xE9"
            "e");
  EXPECT_EQ(lists.lower[0], "end");
  // Unchanged, the files are compared as read, not converted again.
  LoadThemePhrases(u"防災", folder.path(), lists);
  EXPECT_EQ(lists.lower.size(), 1u);
}

// The zero bytes that tell UTF-16 without a mark are found by the phrases'
// index; one zero byte in a Shift-JIS file still only ends its text.
TEST(PhraseFiles, WithZeroBytesAreUtf16WithoutAMarkOrEndAtTheFirst) {
  TempFolder folder;
  const PhraseFileNames names = PhraseFileNamesOf(u"防災");
  bool lossy = false;
  WriteBytes(folder / names.upper,
             EncodeUnicodeText(u"n\u00E9e\r\n", E::Utf16LeWithoutMark, lossy));
  WriteBytes(folder / names.middle,
             EncodeUnicodeText(u"caf\u00E9\r\n", E::Utf16BeWithoutMark, lossy));
  WriteBytes(folder / names.lower, std::string("end\r\n\0gone\r\n", 12));
  const ByteCodec shift_jis;
  PhraseLists lists;
  lists.shift_jis = &shift_jis;
  LoadThemePhrases(u"防災", folder.path(), lists);
  EXPECT_EQ(lists.upper[0],
            "n\xE9"
            "e");
  EXPECT_EQ(lists.middle[0], "caf\xE9");
  EXPECT_EQ(lists.lower.size(), 1u);
  EXPECT_EQ(lists.lower[0], "end");
}

class StorageEncodings : public testing::Test {
 protected:
  TempFolder folder_;
  const fs::path file_ = folder_ / u8"T安全保管庫.txt";
};

TEST_F(StorageEncodings, AListKeepsItsFilesEncodingAndNeedsNoUnicodeCopy) {
  for (const TextEncoding encoding : {E::Utf8, E::Utf8WithBom, E::Utf16Le}) {
    bool lossy = false;
    WriteBytes(file_, EncodeUnicodeText(u"\u5B89\u5168", encoding, lossy));
    ListSession session(file_);
    EXPECT_EQ(session.shown(), u"\u5B89\u5168");
    session.Save(session.shown() + u"\r\n\uD55C");  // 한
    EXPECT_EQ(ReadBytes(file_),
              EncodeUnicodeText(u"\u5B89\u5168\r\n\uD55C", encoding, lossy));
    EXPECT_FALSE(fs::exists(UnicodeStorageCopyPath(file_)));
  }
}

TEST_F(StorageEncodings, ANewFileIsShiftJis) {
  ListSession session(file_);
  session.Save(u"\u00E9t\u00E9");
  EXPECT_EQ(ReadBytes(file_), "\xE9t\xE9");
}

// An earlier version's copies only give back what the list shows as "?":
// a line a copy holds that the list no longer does stays deleted.
TEST_F(StorageEncodings, EarlierUnicodeCopiesRestoreOnlyTheListsOwnLines) {
  WriteBytes(file_, "A?\r\nedited elsewhere");
  WriteBytes(UnicodeStorageCopyPath(file_, 1),
             "\xEF\xBB\xBF"
             "A?\r\nold");
  WriteBytes(UnicodeStorageCopyPath(file_, 2),
             "\xEF\xBB\xBF"
             "A\xED\x95\x9C");
  ListSession session(file_);
  EXPECT_EQ(session.shown(), u"A\uD55C\r\nedited elsewhere");
  EXPECT_TRUE(session.notices().empty());
  session.Save(session.shown());
  EXPECT_EQ(ReadBytes(file_),
            "\xEF\xBB\xBF"
            "A\xED\x95\x9C\r\nedited elsewhere");
  for (const int number : {1, 2})
    EXPECT_FALSE(fs::exists(UnicodeStorageCopyPath(file_, number)));
}

}  // namespace

}  // namespace tavlin
