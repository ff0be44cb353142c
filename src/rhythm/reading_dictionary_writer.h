// Writing the reading dictionary's file from its words, kanji counts and
// the costs of joining words.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tavlin {

// What a word costs on a path when nothing says otherwise: about what a
// common noun costs, so that one word beats two where no costs are known.
inline constexpr int kUsualWordCost = 5000;

struct DictionaryWord {
  std::u16string word;  // kanji and kana; at most 255 UTF-16 units
  int morae = 0;        // 0 to 127
  // A kanji suffix read so after a kanji only (所 しょ in 事務所): after
  // hiragana the kanji is read as a word of its own (置き所, おきどころ).
  bool suffix_after_kanji = false;
  // The word's classes as its neighbours see it, on its left and on its
  // right, and its own cost, lower for the more usual (-32768 to 32767).
  std::uint8_t left = 0;
  std::uint8_t right = 0;
  int cost = kUsualWordCost;
};

struct KanjiMoraeCounts {
  char32_t kanji = 0;
  std::array<int, 3> morae{};  // alone, before, after another kanji
  std::array<bool, 3> sure{};
};

// The classes a reading starts and ends with, and those of what the
// dictionary has no word for.
struct ContextClasses {
  std::uint8_t edge_right = 0;     // before a phrase's first word
  std::uint8_t edge_left = 0;      // after its last
  std::uint8_t number_right = 0;   // a number before a word (3人)
  std::uint8_t letters_right = 0;  // Latin letters before a word (QC活動)
  std::uint8_t unknown_left = 0;   // a character no word covers
  std::uint8_t unknown_right = 0;
};

// The cost of each join, by the right class of the word before and the
// left class of the word after: costs[right * classes + left]. No costs
// is one class and joins that cost nothing.
struct ConnectionCosts {
  std::size_t classes = 1;  // 1 to 256
  std::vector<std::int16_t> costs;
  ContextClasses context;
};

// The file's bytes. Words are sorted, each written form's readings kept
// together (the cheapest of those alike in all but cost); counts and costs
// beyond what the file holds are clamped.
std::string ReadingDictionaryBytes(std::vector<DictionaryWord> words,
                                   std::vector<KanjiMoraeCounts> kanji,
                                   const ConnectionCosts& connections = {});

}  // namespace tavlin
