// The reading dictionary (読み辞書.dic): for each word with kanji the
// number of its morae, and for each kanji its count alone, before and after
// another kanji. A compact file, read whole and checked once; lookups then
// walk its bytes in place.
//
// The file, little-endian:
//   "TVRD", version (u32), checksum of what follows the header (u32, FNV-1a),
//   word count, block count, kanji count, longest word in units and a
//   zero kept for later versions (u32 each);
//   the kanji, sorted: each its code point (u32), its three counts (alone,
//   before, after another kanji; u8 each) and which of them are sure (u8,
//   a bit each): a count that is not sure makes a phrase's count
//   approximate;
//   the blocks' offsets into the words (u32 each);
//   the words, sorted by UTF-16 unit, in blocks of kWordsPerBlock: each word
//   is the units it shares with the word before (u8, 0 for a block's first),
//   the count of its own units (u8), those units (u16 each), its morae (u8).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "src/rhythm/word_readings.h"

namespace tavlin {

inline constexpr char16_t kReadingDictionaryFileName[] = u"読み辞書.dic";
inline constexpr std::uint32_t kReadingDictionaryVersion = 1;
inline constexpr std::size_t kKanjiEntrySize = 8;
inline constexpr std::size_t kWordsPerBlock = 16;

// The checksum of the bytes after the header.
std::uint32_t ReadingDictionaryChecksum(std::string_view bytes);

class ReadingDictionary final : public WordReadings {
 public:
  // Takes the file's bytes. Nothing, with why in error (Japanese, one line),
  // when they are not a whole, undamaged dictionary of this version.
  static std::optional<ReadingDictionary> FromBytes(std::string bytes,
                                                    std::string* error);

  std::optional<WordMorae> LongestWordAt(
      std::u16string_view text) const override;
  std::optional<KanjiMoraeAt> KanjiMorae(char32_t kanji,
                                         KanjiPlace place) const override;

  std::size_t word_count() const { return word_count_; }
  std::size_t kanji_count() const { return kanji_count_; }

 private:
  struct Found {
    bool exact = false;
    int morae = 0;
    bool longer_words = false;  // some word goes on after key
  };
  explicit ReadingDictionary(std::string bytes) : bytes_(std::move(bytes)) {}
  bool CheckLayout(std::string* error);
  Found Find(std::u16string_view key) const;
  std::uint32_t U32At(std::size_t offset) const;

  std::string bytes_;
  std::size_t word_count_ = 0;
  std::size_t block_count_ = 0;
  std::size_t kanji_count_ = 0;
  std::size_t longest_word_ = 0;
  std::size_t kanji_offset_ = 0;
  std::size_t blocks_offset_ = 0;
  std::size_t words_offset_ = 0;
};

}  // namespace tavlin
