#include "src/rhythm/character_class.h"

#include <algorithm>
#include <iterator>

namespace tavlin {

namespace {

struct CharacterRange {
  char32_t first, last;
  CharacterClass of;
};

using C = CharacterClass;

// In code point order, none overlapping.
constexpr CharacterRange kRanges[] = {
    {U'0', U'9', C::LatinLetterOrDigit},
    {U'A', U'Z', C::LatinLetterOrDigit},
    {U'a', U'z', C::LatinLetterOrDigit},
    {U'\u3005', U'\u3007', C::Kanji},  // 々 〆 〇
    {U'\u3041', U'\u3096', C::Kana},   // hiragana ぁ to ゖ
    {U'\u3099', U'\u309E', C::Kana},   // sound marks, ゝ ゞ
    {U'\u30A1', U'\u30FA', C::Kana},   // katakana ァ to ヺ
    {U'\u30FC', U'\u30FE', C::Kana},   // ー ヽ ヾ
    {U'\u31F0', U'\u31FF', C::Kana},   // small katakana of Ainu
    {U'\u3400', U'\u4DBF', C::Kanji},  // extension A
    {U'\u4E00', U'\u9FFF', C::Kanji},  // unified ideographs
    {U'\uF900', U'\uFAFF', C::Kanji},  // compatibility ideographs
    {U'\uFF10', U'\uFF19', C::LatinLetterOrDigit},
    {U'\uFF21', U'\uFF3A', C::LatinLetterOrDigit},
    {U'\uFF41', U'\uFF5A', C::LatinLetterOrDigit},
    {U'\uFF66', U'\uFF9F', C::Kana},           // half-width katakana, ﾞ ﾟ
    {U'\U00020000', U'\U0003FFFF', C::Kanji},  // the ideographic planes
};

constexpr bool InOrder() {
  for (std::size_t i = 1; i < std::size(kRanges); ++i)
    if (kRanges[i].first <= kRanges[i - 1].last) return false;
  return true;
}
static_assert(InOrder(), "the ranges stand in code point order");

}  // namespace

CharacterClass ClassOfCharacter(char32_t c) {
  const auto after =
      std::upper_bound(std::begin(kRanges), std::end(kRanges), c,
                       [](char32_t code, const CharacterRange& range) {
                         return code < range.first;
                       });
  if (after == std::begin(kRanges)) return C::Other;
  const CharacterRange& range = *std::prev(after);
  return c <= range.last ? range.of : C::Other;
}

}  // namespace tavlin
