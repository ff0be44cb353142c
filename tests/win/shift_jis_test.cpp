#include "win32/system/shift_jis.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>

#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

// UTF-8 in a std::string does not pass for Shift-JIS, nor Shift-JIS for
// UTF-8: the wrong converter does not compile.
static_assert(!std::is_invocable_v<decltype(&WideFromShiftJis), std::string>);
static_assert(!std::is_invocable_v<decltype(&WideFromUtf8), ShiftJisText>);
static_assert(std::is_invocable_v<decltype(&WideFromShiftJis), ShiftJisText>);

struct ConversionCase {
  const char* bytes;
  const wchar_t* text;
};

// Code page 932 is named explicitly, so these hold whatever the system's
// code page is.
TEST(ShiftJis, ConvertsBothWays) {
  const ConversionCase cases[] = {
      {"", L""},
      {"abc 100%", L"abc 100%"},
      {"\x88\xC0\x91\x53\x95\xDB\x8A\xC7\x8C\xC9", L"安全保管庫"},
      {"\x95\x69\x8E\xBF", L"品質"},
      {"\x81\x40", L"\u3000"},
      {"\x95\x5C\x83\x5C", L"表ソ"},  // trail bytes of 0x5C
      {"\xB1\xB2", L"ｱｲ"},            // half-width katakana
      {"a\r\nb", L"a\r\nb"},
  };
  for (const ConversionCase& c : cases) {
    EXPECT_EQ(WideFromShiftJis(ShiftJisView(c.bytes)), c.text) << c.bytes;
    EXPECT_EQ(ShiftJisFromWide(c.text).bytes(), c.bytes) << c.bytes;
  }
}

TEST(ShiftJis, CharactersOutsideShiftJisBecomeQuestionMarksAndSaySo) {
  // Look-alikes count as missing too: "é" is never saved as "e".
  const ConversionCase lossy_cases[] = {
      {"a?b", L"a\uD55Cb"},  // 한
      {"caf?", L"caf\u00E9"},
      {"? 2026", L"\u00A9 2026"},
      {"M?rz", L"M\u00E4rz"},
  };
  for (const ConversionCase& c : lossy_cases) {
    bool lossy = false;
    EXPECT_EQ(ShiftJisFromWide(c.text, &lossy).bytes(), c.bytes) << c.bytes;
    EXPECT_TRUE(lossy) << c.bytes;
  }
  bool lossy = true;
  EXPECT_EQ(ShiftJisFromWide(L"安全?", &lossy).bytes(), "\x88\xC0\x91\x53?");
  EXPECT_FALSE(lossy);
}

}  // namespace

}  // namespace tavlin
