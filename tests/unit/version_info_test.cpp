#include "src/info/version_info.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>

namespace tavlin {

namespace {

// A version block as a table of sub-block paths: the translation array as
// 32-bit words, string values as UTF-16 with their stated length.
class FakeVersionBlock {
 public:
  void SetTranslations(std::vector<std::uint32_t> translations) {
    translations_ = std::move(translations);
  }
  void SetValue(const std::u16string& path, std::u16string text,
                std::uint32_t stated_length) {
    values_[path] = {std::move(text), stated_length};
  }
  VersionBlockQuery Query() const {
    return [this](
               const std::u16string& path) -> std::optional<VersionSubBlock> {
      queried.push_back(path);
      if (path == u"\\VarFileInfo\\Translation") {
        if (translations_.empty()) return std::nullopt;
        return VersionSubBlock{
            translations_.data(),
            static_cast<std::uint32_t>(translations_.size() * 4)};
      }
      const auto value = values_.find(path);
      if (value == values_.end()) return std::nullopt;
      return VersionSubBlock{value->second.first.data(), value->second.second};
    };
  }
  mutable std::vector<std::u16string> queried;

 private:
  std::vector<std::uint32_t> translations_;
  std::map<std::u16string, std::pair<std::u16string, std::uint32_t>> values_;
};

constexpr std::uint32_t kJapanese =
    0x04B00411;  // language 0411, code page 04B0
constexpr std::uint32_t kEnglish = 0x04E40409;

TEST(VersionInfo, PathsHaveFourUpperCaseDigitsEach) {
  EXPECT_EQ(StringValuePath(kJapanese, u"FileVersion"),
            u"\\StringFileInfo\\041104B0\\FileVersion");
  EXPECT_EQ(StringValuePath(kEnglish, u"FileVersion"),
            u"\\StringFileInfo\\040904E4\\FileVersion");
  EXPECT_EQ(StringValuePath(0x00000009, u"Thanks"),
            u"\\StringFileInfo\\00090000\\Thanks");
}

TEST(VersionInfo, ValueTextIsCutAtNulAndTrimmed) {
  const struct {
    std::u16string stored;
    std::uint32_t length;
    std::u16string text;
  } rows[] = {
      {std::u16string(u"  0.9.11.29\0\0", 13), 13, u"0.9.11.29"},
      {std::u16string(u"before\0after", 12), 12, u"before"},
      {u"abcdef", 3, u"abc"},
      {u"   ", 3, u""},
      {u"\t Reference works\r\nA/B/C \r\n", 27, u"Reference works\r\nA/B/C"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(VersionValueText(row.stored.data(), row.length), row.text);
  }
}

TEST(VersionInfo, OnlyTheFirstTranslationIsConsulted) {
  FakeVersionBlock block;
  block.SetTranslations({kJapanese, kEnglish});
  block.SetValue(StringValuePath(kJapanese, u"FileVersion"), u" 1.2 ", 6);
  block.SetValue(StringValuePath(kEnglish, u"CompanyName"), u"Second", 7);
  EXPECT_EQ(LookUpVersionValue(block.Query(), u"FileVersion"), u"1.2");
  EXPECT_EQ(LookUpVersionValue(block.Query(), u"CompanyName"), u"");
}

TEST(VersionInfo, MissingPartsGiveAnEmptyText) {
  FakeVersionBlock no_translation;
  no_translation.SetValue(StringValuePath(kEnglish, u"FileVersion"), u"1", 2);
  EXPECT_EQ(LookUpVersionValue(no_translation.Query(), u"FileVersion"), u"");
  // Without a translation no value path is even asked for.
  EXPECT_EQ(no_translation.queried.size(), 1u);

  FakeVersionBlock no_value;
  no_value.SetTranslations({kEnglish});
  EXPECT_EQ(LookUpVersionValue(no_value.Query(), u"Comments"), u"");

  FakeVersionBlock zero_length;
  zero_length.SetTranslations({kEnglish});
  zero_length.SetValue(StringValuePath(kEnglish, u"Comments"), u"text", 0);
  EXPECT_EQ(LookUpVersionValue(zero_length.Query(), u"Comments"), u"");
}

std::u16string AsciiLower(std::u16string text) {
  for (char16_t& c : text)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  return text;
}

TEST(ApplicationTitle, IsTheNameBeforeItsFirstDotLowerCasedAfterItsFirst) {
  const std::pair<const char*, std::u16string> rows[] = {
      {"Tavlin.exe", u"Tavlin"},
      {"TAVLIN.EXE", u"Tavlin"},
      {"tavlin.exe", u"tavlin"},
      {"My.Tool.exe", u"My"},
      {"folder/TaVLiN.exe", u"Tavlin"},
      {"NoDot", u"Nodot"},
      {"X.exe", u"X"},
  };
  for (const auto& [path, title] : rows)
    EXPECT_EQ(ApplicationTitleOf(path, AsciiLower), title) << path;
}

TEST(VersionCaption, JoinsTitleVersionAndComponent) {
  EXPECT_EQ(VersionCaption(u"Tavlin", u"0.9.11.29", u"MainForm"),
            u"Tavlin Ver.0.9.11.29 - MainForm");
  EXPECT_EQ(VersionCaption(u"Tavlin", u"", u"MainForm"),
            u"Tavlin Ver. - MainForm");
}

}  // namespace

}  // namespace tavlin
