// The reading dictionary (読み辞書.dic): each written form of kanji and kana
// with its readings (morae, the word's classes and cost), the cost of each
// join of two classes, and for each kanji its count alone, before and after
// another kanji. A compact file, read whole and checked once; lookups then
// walk its bytes in place.
//
// The file, little-endian:
//   "TVRD", version (u32), checksum of what follows the header (u32, FNV-1a
//   over eight bytes at a time, folded),
//   form count, block count, kanji count, longest form in units, class
//   count (u32 each), the context classes (u8 each: before and after a
//   phrase, after a number, after Latin letters, a character no word
//   covers on its left and right, then two zeros);
//   the kanji, sorted: each its code point (u32), its three counts (alone,
//   before, after another kanji; u8 each) and which of them are sure (u8,
//   a bit each): a count that is not sure makes a phrase's count
//   approximate;
//   the join costs (i16 each), class count by class count, by the right
//   class of the word before and the left class of the word after;
//   the blocks' offsets into the forms (u32 each);
//   the forms, sorted by UTF-16 unit, in blocks of kWordsPerBlock: each is
//   the units it shares with the form before (u8, 0 for a block's first),
//   the count of its own units (u8), those units (u16 each), and its
//   readings: their count (u8, at least 1), each its morae (u8, the top
//   bit set for a suffix read so after a kanji only), left and right class
//   (u8 each) and cost (i16).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "src/rhythm/reading_dictionary_writer.h"
#include "src/rhythm/word_readings.h"

namespace tavlin {

inline constexpr char16_t kReadingDictionaryFileName[] = u"読み辞書.dic";
inline constexpr std::uint32_t kReadingDictionaryVersion = 2;
inline constexpr std::size_t kKanjiEntrySize = 8;
inline constexpr std::size_t kWordsPerBlock = 16;
inline constexpr std::size_t kMostWordClasses = 256;

// The checksum of the bytes after the header.
std::uint32_t ReadingDictionaryChecksum(std::string_view bytes);

// One reading of a word that starts where the text does.
struct WordReading {
  std::size_t length = 0;  // in UTF-16 units of the text
  int morae = 0;
  bool suffix_after_kanji = false;
  std::uint8_t left = 0;
  std::uint8_t right = 0;
  int cost = 0;
};

class ReadingDictionary final : public WordReadings {
 public:
  // Takes the file's bytes. Nothing, with why in error (Japanese, one line),
  // when they are not a whole, undamaged dictionary of this version.
  static std::optional<ReadingDictionary> FromBytes(std::string bytes,
                                                    std::string* error);

  // The longest word, read as its cheapest reading.
  std::optional<WordMorae> LongestWordAt(
      std::u16string_view text) const override;
  std::optional<KanjiMoraeAt> KanjiMorae(char32_t kanji,
                                         KanjiPlace place) const override;
  // Every reading of every word at the start of text, shortest first,
  // added to readings.
  void ReadingsAt(std::u16string_view text,
                  std::vector<WordReading>& readings) const;
  // What it costs for a word whose right class is right to stand before
  // one whose left class is left.
  int JoinCost(std::uint8_t right, std::uint8_t left) const;
  const ContextClasses& context() const { return context_; }

  std::size_t word_count() const { return word_count_; }
  std::size_t kanji_count() const { return kanji_count_; }

 private:
  struct Found {
    bool exact = false;
    std::size_t readings_at = 0;  // of the word's readings, where exact
    bool longer_words = false;    // some word goes on after key
  };
  explicit ReadingDictionary(std::string bytes) : bytes_(std::move(bytes)) {}
  bool CheckLayout(std::string* error);
  bool CheckWords();
  Found Find(std::u16string_view key, std::size_t& first_block) const;
  std::uint32_t U32At(std::size_t offset) const;
  unsigned ByteAt(std::size_t offset) const {
    return static_cast<unsigned char>(bytes_[offset]);
  }
  WordReading ReadingAt(std::size_t offset, std::size_t length) const;

  std::string bytes_;
  std::size_t word_count_ = 0;
  std::size_t block_count_ = 0;
  std::size_t kanji_count_ = 0;
  std::size_t longest_word_ = 0;
  std::size_t classes_ = 1;
  ContextClasses context_;
  std::size_t kanji_offset_ = 0;
  std::size_t joins_offset_ = 0;
  std::size_t blocks_offset_ = 0;
  std::size_t words_offset_ = 0;
};

}  // namespace tavlin
