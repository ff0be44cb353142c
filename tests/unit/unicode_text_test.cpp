// UTF-16 text as the core reads it: characters counted as a reader counts
// them, and UTF-8 made from it.
#include "src/platform/unicode_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tavlin {

namespace {

TEST(CharacterCount, TakesASurrogatePairForOneCharacter) {
  EXPECT_EQ(CharacterCount(u"𠮷野家"), 3u);
  EXPECT_EQ(CharacterCount(u""), 0u);
}

TEST(Utf8FromU16, EncodesEveryLengthAndReplacesALoneSurrogate) {
  EXPECT_EQ(Utf8FromU16(u"a\u00e9\u3042\U00020BB7"),
            "a\xC3\xA9\xE3\x81\x82\xF0\xA0\xAE\xB7");
  EXPECT_EQ(Utf8FromU16(std::u16string(1, u'\xD800') + u"x"), "\xEF\xBF\xBDx");
}

}  // namespace

}  // namespace tavlin
