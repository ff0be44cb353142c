#include "src/rhythm/mora_rules.h"

#include <array>

namespace tavlin {

namespace {

// Full-width katakana for half-width U+FF66 (ｦ) to U+FF9D (ﾝ).
constexpr char16_t kFullWidthOfHalfWidthKana[] =
    u"ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
    u"ハヒフヘホマミムメモヤユヨラリルレロワン";

constexpr bool IsSmallKana(char32_t c) {
  switch (c) {
    case U'ぁ':
    case U'ぃ':
    case U'ぅ':
    case U'ぇ':
    case U'ぉ':
    case U'ゃ':
    case U'ゅ':
    case U'ょ':
    case U'ゎ':
    case U'ァ':
    case U'ィ':
    case U'ゥ':
    case U'ェ':
    case U'ォ':
    case U'ャ':
    case U'ュ':
    case U'ョ':
    case U'ヮ':
      return true;
    default:
      // The small katakana of Ainu (ㇰ to ㇿ) join the kana before too.
      return c >= 0x31F0 && c <= 0x31FF;
  }
}

// A digit's own reading, as it is read in the ones: いち, に, さん, よん, ご,
// ろく, なな, はち, きゅう.
constexpr std::array<int, 10> kDigitMorae = {2, 2, 1, 2, 2, 1, 2, 2, 2, 2};

// Up to four digits, without the zeros in front: せん, ひゃく and じゅう
// take a digit before them that is not 1 (さんびゃく, ろっぴゃく and
// はっせん keep the count of さん, ろく and はち).
int GroupMorae(std::u32string_view group, bool read_lone_one) {
  int morae = 0;
  for (std::size_t i = 0; i < group.size(); ++i) {
    const int digit = static_cast<int>(group[i] - U'0');
    const std::size_t place = group.size() - 1 - i;
    if (digit == 0) continue;
    if (place == 0) {
      morae += kDigitMorae[static_cast<std::size_t>(digit)];
      continue;
    }
    if (digit != 1) morae += kDigitMorae[static_cast<std::size_t>(digit)];
    morae += 2;  // じゅう, ひゃく, せん
  }
  // いちまん: before まん, おく and ちょう a lone 1 is read.
  if (read_lone_one && group.size() == 1 && group[0] == U'1') morae = 2;
  return morae;
}

}  // namespace

char32_t FoldCharacterWidth(char32_t c) {
  if (c >= 0xFF01 && c <= 0xFF5E) return c - 0xFF01 + 0x21;
  if (c == 0x3000) return U' ';
  if (c >= 0xFF66 && c <= 0xFF9D) return kFullWidthOfHalfWidthKana[c - 0xFF66];
  return c;
}

std::optional<int> KanaMorae(char32_t c) {
  c = FoldCharacterWidth(c);
  if (ClassOfCharacter(c) != CharacterClass::Kana) return std::nullopt;
  // Small kana join the one before; sound marks, alone or as half-width
  // ﾞ ﾟ, belong to it.
  const bool sound_mark = c == 0x3099 || c == 0x309A || c == 0x309B ||
                          c == 0x309C || c == 0xFF9E || c == 0xFF9F;
  return IsSmallKana(c) || sound_mark ? 0 : 1;
}

std::optional<int> ReadSymbolMorae(char32_t c) {
  switch (FoldCharacterWidth(c)) {
    case U'%':
      return 5;
    case U'&':
      return 3;
    default:
      return std::nullopt;
  }
}

bool IsUnreadCharacter(char32_t c) {
  c = FoldCharacterWidth(c);
  if (c < 0x80)
    return !((c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') ||
             (c >= U'a' && c <= U'z'));
  return (c >= 0x80 && c <= 0xBF) || c == 0xD7 || c == 0xF7 ||
         (c >= 0x2000 && c <= 0x2BFF) ||  // punctuation, arrows, shapes
         (c >= 0x3000 && c <= 0x303F && !IsKanjiCharacter(c)) || c == U'・' ||
         c == 0xFEFF ||                   // a byte-order mark
         (c >= 0xFE00 && c <= 0xFE0F) ||  // variation selectors
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF61 && c <= 0xFF65) ||
         (c >= 0xFFE0 && c <= 0xFFEE) ||
         (c >= 0x1F000 && c <= 0x1FAFF);  // emoji
}

int LetterMorae(char32_t ascii_letter) {
  // A エー, B ビー ... H エイチ, R アール, W ダブリュー, X エックス, Z ゼット.
  constexpr std::array<int, 26> kLetterMorae = {2, 2, 2, 2, 2, 2, 2, 3, 2,
                                                2, 2, 2, 2, 2, 2, 2, 2, 3,
                                                2, 2, 2, 2, 4, 4, 2, 3};
  const char32_t upper =
      ascii_letter >= U'a' ? ascii_letter - 0x20 : ascii_letter;
  if (upper < U'A' || upper > U'Z') return 0;
  return kLetterMorae[upper - U'A'];
}

int NumberMorae(std::u32string_view digits) {
  if (digits.empty()) return 0;
  // まん, おく, ちょう: groups of four up to sixteen digits.
  constexpr std::size_t kLongestNumber = 16;
  if ((digits[0] == U'0' && digits.size() > 1) ||
      digits.size() > kLongestNumber) {
    int morae = 0;
    for (char32_t digit : digits)
      morae += digit == U'0' ? 2 : kDigitMorae[digit - U'0'];  // ゼロ
    return morae;
  }
  if (digits == U"0") return 2;  // ゼロ
  int morae = 0;
  std::size_t end = digits.size();
  for (std::size_t unit = 0; end > 0; ++unit) {
    const std::size_t begin = end >= 4 ? end - 4 : 0;
    std::u32string_view group = digits.substr(begin, end - begin);
    while (!group.empty() && group.front() == U'0') group.remove_prefix(1);
    const int group_morae = GroupMorae(group, unit > 0);
    morae += group_morae;
    if (unit > 0 && group_morae > 0) morae += 2;  // まん, おく, ちょう
    end = begin;
  }
  return morae;
}

}  // namespace tavlin
