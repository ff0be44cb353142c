// Making the reading dictionary from a morphological lexicon's entries (each
// a written form, its reading in katakana and a cost, lower for the more
// usual): the words with kanji, the kanji table, and only those words the
// rest does not already count right.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "src/rhythm/reading_dictionary_writer.h"

namespace tavlin {

struct LexiconEntry {
  std::u16string surface;
  std::u16string reading;  // katakana
  int cost = 0;
  // A person's or a place's name: read as names are, not as words.
  bool name = false;
  // A prefix or suffix, read so only beside the word it joins.
  bool affix = false;
};

// Reads one line of a MeCab lexicon in CSV (surface, left id, right id,
// cost, six fields of grammar, base form, reading, pronunciation). False
// for a line that is not one.
bool ParseLexiconLine(std::u16string_view line, LexiconEntry& entry);

class ReadingDictionaryBuilder {
 public:
  void Add(LexiconEntry entry);
  // A reading to take for a written form with several, the one most
  // writers mean (今日 as キョウ, not コンニチ), or for a word the lexicon
  // lacks.
  void Prefer(std::u16string surface, std::u16string reading);

  struct Result {
    std::vector<DictionaryWord> words;
    std::vector<KanjiMoraeCounts> kanji;
    std::size_t words_with_kanji = 0;  // before the pruning
  };
  Result Build() const;

 private:
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

  using Readings = std::map<std::u16string, std::u16string>;
  using KanjiTable = std::map<char32_t, KanjiMoraeCounts>;
  // The steps of Build: each kanji alone, then before and after another
  // kanji by the votes of the compounds of two, then the words the kanji
  // table does not already count right.
  KanjiTable KanjiAlone() const;
  void KanjiBesideAnother(const Readings& chosen, KanjiTable& kanji) const;
  static void KeepWordsCountedWrong(const Readings& chosen, Result& result);
};

}  // namespace tavlin
