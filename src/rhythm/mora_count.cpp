#include "src/rhythm/mora_count.h"

#include <string>

#include "src/platform/unicode_text.h"
#include "src/rhythm/character_class.h"
#include "src/rhythm/cheapest_reading.h"
#include "src/rhythm/mora_rules.h"

namespace tavlin {

namespace {

bool IsAsciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool IsAsciiLetter(char32_t c) {
  return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}
bool IsKanaOrKanji(char32_t c) {
  const CharacterClass of = ClassOfCharacter(c);
  return of == CharacterClass::Kana || of == CharacterClass::Kanji;
}

struct Sources {
  const WordReadings* first;
  const ReadingDictionary& dictionary;
};

// The word a digit's kanji numeral makes with the counter after it, 人,
// 日 or つ, which are read by their own readings (一人 ひとり, 三日 みっか):
// its length in text after the digit and its morae; nothing where the
// readings have no such word. Other counters are read as in compounds.
std::optional<WordMorae> WordWithNumeral(char32_t digit,
                                         std::u16string_view after,
                                         const Sources& sources) {
  constexpr char16_t kNumerals[] = u"〇一二三四五六七八九";
  if (after.empty() || std::u16string_view(u"人日つ").find(after[0]) ==
                           std::u16string_view::npos)
    return std::nullopt;
  constexpr std::size_t kLongestWithNumeral = 8;
  std::u16string word(1, kNumerals[digit - U'0']);
  word.append(after.substr(0, kLongestWithNumeral));
  std::optional<WordMorae> found;
  if (sources.first) found = sources.first->LongestWordAt(word);
  if (!found) found = sources.dictionary.LongestWordAt(word);
  if (!found || found->length < 2) return std::nullopt;
  return WordMorae{found->length - 1, found->morae};
}

// What kind of token stands before a run of kanji and kana: the class the
// run's first word joins to follows from it.
enum class Ending : std::uint8_t { Edge, Word, Number, Letters };

// One token of a phrase as it is read aloud: a workplace's word, a run of
// kanji and kana, a number (with the counter word its numeral makes), or
// one character.
struct Token {
  std::size_t units = 0;  // of the text it takes
  MoraCount count;
  Ending ending = Ending::Edge;
  bool compound = false;  // ends in a kanji or is a number
};

// The digits at text[i], folded to ASCII, and the units they take.
std::u32string DigitsAt(std::u16string_view text, std::size_t i,
                        std::size_t& units) {
  std::u32string digits;
  units = 0;
  while (i + units < text.size()) {
    const CodePointAt next = ReadCodePoint(text, i + units);
    const char32_t folded = FoldCharacterWidth(next.c);
    if (!IsAsciiDigit(folded)) break;
    digits.push_back(folded);
    units += next.units;
  }
  return digits;
}

// A number's last digit as it sounds before some counters: 4人 よにん, 4時
// よじ, 4年 よねん, 4円 よえん, 4月 しがつ, 9時 くじ, 9月 くがつ, each one
// mora short of よん and きゅう.
int CounterShortening(char32_t last_digit, std::u16string_view after) {
  if (after.empty()) return 0;
  const std::u16string_view counters = last_digit == U'4'   ? u"人時年円月"
                                       : last_digit == U'9' ? u"時月"
                                                            : u"";
  return counters.find(after[0]) != std::u16string_view::npos ? 1 : 0;
}

// A number with the counter after it read as a word of their own, not as
// the number and the counter: 2日 ふつか, 14日 じゅうよっか, 20歳 はたち,
// 3つ みっつ. The morae of both together, where they make one.
std::optional<int> NumberWordMorae(std::u32string_view digits,
                                   char16_t counter) {
  static constexpr struct {
    std::u32string_view digits;
    char16_t counter;
    int morae;
  } kWords[] = {
      {U"1", u'人', 3},  {U"2", u'人', 3},  {U"1", u'日', 4},
      {U"2", u'日', 3},  {U"3", u'日', 3},  {U"4", u'日', 3},
      {U"5", u'日', 3},  {U"6", u'日', 3},  {U"7", u'日', 3},
      {U"8", u'日', 3},  {U"9", u'日', 4},  {U"10", u'日', 3},
      {U"14", u'日', 5}, {U"20", u'日', 3}, {U"24", u'日', 6},
      {U"20", u'歳', 3}, {U"1", u'つ', 3},  {U"2", u'つ', 3},
      {U"3", u'つ', 3},  {U"4", u'つ', 3},  {U"5", u'つ', 3},
      {U"6", u'つ', 3},  {U"7", u'つ', 3},  {U"8", u'つ', 3},
      {U"9", u'つ', 4},
  };
  for (const auto& word : kWords)
    if (word.digits == digits && word.counter == counter) return word.morae;
  return std::nullopt;
}

// A digit after the letter O or H is read in English, as chemistry writes
// it: CO2 シーオーツー, H2O エイチツーオー.
int EnglishDigitMorae(char32_t digit) {
  // ゼロ ワン ツー スリー フォー ファイブ シックス セブン エイト ナイン
  constexpr int kMorae[] = {2, 2, 2, 3, 2, 3, 3, 3, 3, 3};
  return kMorae[digit - U'0'];
}

Token NumberAt(std::u16string_view text, std::size_t i,
               const Sources& sources) {
  std::size_t units = 0;
  const std::u32string digits = DigitsAt(text, i, units);
  const std::u16string_view after = text.substr(i + units);
  if (digits.size() == 1 && i > 0) {
    const char32_t letter = FoldCharacterWidth(text[i - 1]);
    if (letter == U'O' || letter == U'H')
      return {units, {EnglishDigitMorae(digits[0])}, Ending::Letters, false};
  }
  // 1人 as 一人, ひとり.
  if (digits.size() == 1)
    if (const std::optional<WordMorae> counted =
            WordWithNumeral(digits[0], after, sources))
      return {units + counted->length, {counted->morae}, Ending::Word, true};
  if (!after.empty())
    if (const std::optional<int> word = NumberWordMorae(digits, after[0]))
      return {units + 1, {*word}, Ending::Word, true};
  int morae = NumberMorae(digits);
  // 2.5 as に てん ご: the point, then each digit after it.
  const std::size_t point = i + units;
  if (point + 1 < text.size() && FoldCharacterWidth(text[point]) == U'.' &&
      IsAsciiDigit(FoldCharacterWidth(text[point + 1]))) {
    std::size_t fraction_units = 0;
    const std::u32string fraction = DigitsAt(text, point + 1, fraction_units);
    morae += 2;
    for (const char32_t digit : fraction)
      morae += NumberMorae(std::u32string(1, digit));
    return {units + 1 + fraction_units, {morae}, Ending::Number, true};
  }
  morae -= CounterShortening(digits.back(), after);
  return {units, {morae}, Ending::Number, true};
}

// Where the run of kanji and kana at text[i] ends: before a character of
// another kind, or where a workplace's word starts.
std::size_t RunEnd(std::u16string_view text, std::size_t i,
                   const Sources& sources, bool& has_kanji) {
  has_kanji = false;
  std::size_t end = i;
  while (end < text.size()) {
    const CodePointAt at = ReadCodePoint(text, end);
    if (!IsKanaOrKanji(at.c)) break;
    if (end > i && sources.first &&
        sources.first->LongestWordAt(text.substr(end)))
      break;
    has_kanji = has_kanji || IsKanjiCharacter(at.c);
    end += at.units;
  }
  return end;
}

std::uint8_t RightClassOf(Ending ending, const ContextClasses& context) {
  switch (ending) {
    case Ending::Word:
      return context.unknown_right;
    case Ending::Number:
      return context.number_right;
    case Ending::Letters:
      return context.letters_right;
    case Ending::Edge:
      break;
  }
  return context.edge_right;
}

// A run of kana alone, each by the rules.
MoraCount KanaRunMorae(std::u16string_view run) {
  MoraCount count;
  ForEachCodePoint(run, [&](char32_t c) {
    count.morae += KanaMorae(FoldCharacterWidth(c)).value_or(0);
  });
  return count;
}

// The morae of a character that is neither kana, kanji nor a digit.
MoraCount OtherCharacterMorae(char32_t c) {
  if (IsAsciiLetter(c)) return {LetterMorae(c)};
  if (const std::optional<int> symbol = ReadSymbolMorae(c)) return {*symbol};
  return {0, false, IsUnreadCharacter(c)};
}

// A run of Latin letters the dictionary reads as a word (HACCP ハサップ,
// LAN ラン) rather than letter by letter: its units and morae.
std::optional<WordMorae> LatinWordAt(std::u16string_view text, std::size_t i,
                                     const ReadingDictionary& dictionary) {
  std::u16string letters;
  std::size_t end = i;
  while (end < text.size()) {
    const CodePointAt at = ReadCodePoint(text, end);
    const char32_t folded = FoldCharacterWidth(at.c);
    if (!IsAsciiLetter(folded)) break;
    letters.push_back(static_cast<char16_t>(folded));
    end += at.units;
  }
  if (letters.size() < 2) return std::nullopt;
  const std::optional<WordMorae> word = dictionary.LongestWordAt(letters);
  if (!word || word->length != letters.size()) return std::nullopt;
  return WordMorae{end - i, word->morae};
}

// The token that starts at text[i], after a token that ended so.
Token NextToken(std::u16string_view text, std::size_t i, const Token& before,
                const Sources& sources, std::vector<ReadWord>* words) {
  const std::u16string_view rest = text.substr(i);
  const auto read = [&](Token token) {
    if (words) words->push_back({token.units, token.count.morae});
    return token;
  };
  if (sources.first)
    if (const std::optional<WordMorae> word =
            sources.first->LongestWordAt(rest);
        word && word->length > 0 && word->length <= rest.size())
      return read(
          {word->length,
           {word->morae},
           Ending::Word,
           IsKanjiCharacter(ReadCodePoint(text, i + word->length - 1).c)});
  const CodePointAt at = ReadCodePoint(text, i);
  const char32_t c = FoldCharacterWidth(at.c);
  if (IsAsciiDigit(c)) return read(NumberAt(text, i, sources));
  if (IsAsciiLetter(c) && before.ending != Ending::Letters)
    if (const std::optional<WordMorae> word =
            LatinWordAt(text, i, sources.dictionary))
      return read({word->length, {word->morae}, Ending::Letters, false});
  if (IsKanaOrKanji(at.c)) {
    bool has_kanji = false;
    const std::size_t end = RunEnd(text, i, sources, has_kanji);
    const std::u16string_view run = text.substr(i, end - i);
    const ContextClasses& context = sources.dictionary.context();
    const MoraCount count =
        has_kanji
            ? CheapestReadingMorae(
                  run, {RightClassOf(before.ending, context), before.compound},
                  sources.dictionary, words)
            : KanaRunMorae(run);
    if (!has_kanji && words) words->push_back({run.size(), count.morae});
    std::size_t last = end - 1;
    if (last > i && run[last - i] >= 0xDC00 && run[last - i] <= 0xDFFF) --last;
    return {end - i, count, Ending::Word,
            IsKanjiCharacter(ReadCodePoint(text, last).c)};
  }
  // The s of a plural after capitals (SDGs, KPIs) is read ズ.
  const bool plural =
      c == U's' && before.ending == Ending::Letters && i > 0 &&
      FoldCharacterWidth(text[i - 1]) >= U'A' &&
      FoldCharacterWidth(text[i - 1]) <= U'Z' &&
      (i + 1 >= text.size() || !IsAsciiLetter(FoldCharacterWidth(text[i + 1])));
  return read({at.units, plural ? MoraCount{1} : OtherCharacterMorae(c),
               IsAsciiLetter(c) ? Ending::Letters : Ending::Edge, false});
}

}  // namespace

MoraCount CountMorae(std::u16string_view text, const WordReadings* first,
                     const ReadingDictionary& dictionary,
                     std::vector<ReadWord>* words) {
  const Sources sources{first, dictionary};
  MoraCount count;
  Token before;
  for (std::size_t i = 0; i < text.size();) {
    const Token token = NextToken(text, i, before, sources, words);
    count.morae += token.count.morae;
    count.approximate = count.approximate || token.count.approximate;
    count.countable = count.countable && token.count.countable;
    before = token;
    i += token.units;
  }
  return count;
}

MoraCount CountMorae(std::u16string_view text,
                     const ReadingDictionary& dictionary) {
  return CountMorae(text, nullptr, dictionary);
}

MoraCount CountKanaMorae(std::u16string_view reading) {
  static const ReadingDictionary no_words =
      *ReadingDictionary::FromBytes(ReadingDictionaryBytes({}, {}), nullptr);
  return CountMorae(reading, nullptr, no_words);
}

}  // namespace tavlin
