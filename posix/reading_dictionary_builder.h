// Making the reading dictionary from a morphological lexicon's entries (each
// a written form, its classes on the left and right, a cost, lower for the
// more usual, and its reading in katakana) and its join costs: every word of
// kanji and kana with its morae, the join costs grouped into classes, and
// the kanji table for what no word covers.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "posix/join_classes.h"
#include "src/rhythm/reading_dictionary_writer.h"

namespace tavlin {

struct LexiconEntry {
  std::u16string surface;
  std::u16string reading;  // katakana, or * where the lexicon has none
  int left_id = 0;
  int right_id = 0;
  int cost = 0;
  // A person's or a place's name: read as names are, not as words.
  bool name = false;
  // A prefix or suffix, read so only beside the word it joins.
  bool affix = false;
  bool suffix = false;
  // Its grammar, where a character no word covers takes it from: a
  // number, a Latin letter, a common noun.
  enum class Kind : std::uint8_t { Other, Number, Letter, CommonNoun };
  Kind kind = Kind::Other;
};

// Reads one line of a MeCab lexicon in CSV (surface, left id, right id,
// cost, six fields of grammar, base form, reading, pronunciation). False
// for a line that is not one.
bool ParseLexiconLine(std::u16string_view line, LexiconEntry& entry);

class ReadingDictionaryBuilder {
 public:
  // The join costs between the lexicon's ids; without them every join
  // costs nothing.
  explicit ReadingDictionaryBuilder(JoinClasses joins = {});

  void Add(LexiconEntry entry);
  // A reading to take for a written form with several, the one most
  // writers mean (今日 as キョウ, not コンニチ), or for a word the lexicon
  // lacks.
  void Prefer(std::u16string surface, std::u16string reading);
  // A reading to take for a written form where the lexicon's costs hardly
  // tell its readings apart (摘む, つむ or つまむ).
  void PreferAmongEquals(std::u16string surface, std::u16string reading);

  struct Result {
    std::vector<DictionaryWord> words;
    std::vector<KanjiMoraeCounts> kanji;
    ConnectionCosts connections;
  };
  Result Build() const;

 private:
  JoinClasses joins_;
  std::vector<DictionaryWord> words_;
  // The ids a number, a Latin letter and a common noun have.
  std::map<LexiconEntry::Kind, std::pair<int, int>> ids_of_kind_;
  struct Choice {
    std::u16string reading;
    int cost = 0;
  };
  std::map<std::u16string, Choice> best_;
  struct KanjiReading {
    std::u16string reading;
    int cost = 0;
    bool affix = false;
  };
  std::map<std::u16string, std::vector<KanjiReading>> readings_of_kanji_;
  std::map<std::u16string, std::u16string> preferred_;
  std::map<std::u16string, std::u16string> preferred_among_equals_;

  using Readings = std::map<std::u16string, std::u16string>;
  using KanjiTable = std::map<char32_t, KanjiMoraeCounts>;
  // The steps of Build: each kanji alone, then before and after another
  // kanji by the votes of the compounds of two, then the words.
  KanjiTable KanjiAlone() const;
  void KanjiBesideAnother(const Readings& chosen, KanjiTable& kanji) const;
  std::vector<DictionaryWord> Words(const ConnectionCosts& connections) const;
  void BreakTies(std::vector<DictionaryWord>& words) const;
  ConnectionCosts Connections() const;
  std::uint8_t RightClass(int id) const;
  std::uint8_t LeftClass(int id) const;
};

}  // namespace tavlin
