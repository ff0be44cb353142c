#include "src/rhythm/reading_dictionary.h"

#include <algorithm>
#include <array>

#include "src/platform/messages.h"

namespace tavlin {

namespace {

constexpr std::size_t kHeaderSize = 32;
constexpr char kMagic[] = "TVRD";
constexpr std::size_t kLongestKey = 255;

// Walks the words of one block: its bytes are those of a dictionary whose
// layout was checked, so no word reaches past them.
class BlockWords {
 public:
  BlockWords(const std::string& bytes, std::size_t begin, std::size_t end)
      : bytes_(bytes), at_(begin), end_(end) {}

  bool Next() {
    if (at_ >= end_) return false;
    const std::size_t shared = Byte(at_);
    const std::size_t own = Byte(at_ + 1);
    length_ = shared + own;
    for (std::size_t i = 0; i < own; ++i)
      key_[shared + i] = static_cast<char16_t>(Byte(at_ + 2 + 2 * i) |
                                               Byte(at_ + 3 + 2 * i) << 8);
    morae_ = static_cast<int>(Byte(at_ + 2 + 2 * own));
    at_ += 3 + 2 * own;
    return true;
  }
  std::u16string_view key() const { return {key_.data(), length_}; }
  int morae() const { return morae_; }

 private:
  unsigned Byte(std::size_t offset) const {
    return static_cast<unsigned char>(bytes_[offset]);
  }
  const std::string& bytes_;
  std::size_t at_;
  std::size_t end_;
  std::array<char16_t, 2 * kLongestKey> key_{};
  std::size_t length_ = 0;
  int morae_ = 0;
};

}  // namespace

std::uint32_t ReadingDictionaryChecksum(std::string_view bytes) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (const char byte : bytes) {
    hash ^= static_cast<unsigned char>(byte);
    hash *= 16777619u;
  }
  return hash;
}

std::uint32_t ReadingDictionary::U32At(std::size_t offset) const {
  std::uint32_t value = 0;
  for (std::size_t i = 4; i-- > 0;)
    value = value << 8 | static_cast<unsigned char>(bytes_[offset + i]);
  return value;
}

std::optional<ReadingDictionary> ReadingDictionary::FromBytes(
    std::string bytes, std::string* error) {
  ReadingDictionary dictionary(std::move(bytes));
  std::string why;
  if (!dictionary.CheckLayout(&why)) {
    if (error) *error = why;
    return std::nullopt;
  }
  return dictionary;
}

bool ReadingDictionary::CheckLayout(std::string* error) {
  const auto damaged = [&] {
    *error = kDamagedReadingDictionary;
    return false;
  };
  if (bytes_.size() < kHeaderSize ||
      std::string_view(bytes_).substr(0, 4) != kMagic)
    return damaged();
  if (U32At(4) != kReadingDictionaryVersion) {
    *error = kOtherReadingDictionaryVersion;
    return false;
  }
  if (U32At(8) !=
      ReadingDictionaryChecksum(std::string_view(bytes_).substr(kHeaderSize)))
    return damaged();
  word_count_ = U32At(12);
  block_count_ = U32At(16);
  kanji_count_ = U32At(20);
  longest_word_ = U32At(24);
  if (U32At(28) != 0) return damaged();
  const std::size_t size = bytes_.size();
  kanji_offset_ = kHeaderSize;
  if (kanji_count_ > (size - kanji_offset_) / kKanjiEntrySize) return damaged();
  blocks_offset_ = kanji_offset_ + kKanjiEntrySize * kanji_count_;
  if (block_count_ > (size - blocks_offset_) / 4) return damaged();
  words_offset_ = blocks_offset_ + 4 * block_count_;
  if (longest_word_ > kLongestKey ||
      block_count_ != (word_count_ + kWordsPerBlock - 1) / kWordsPerBlock)
    return damaged();
  // Each block's words must lie within it, and each word share no more
  // than the word before it has; a block's first word shares nothing.
  std::size_t words_seen = 0;
  for (std::size_t block = 0; block < block_count_; ++block) {
    std::size_t at = words_offset_ + U32At(blocks_offset_ + 4 * block);
    const std::size_t end =
        block + 1 < block_count_
            ? words_offset_ + U32At(blocks_offset_ + 4 * (block + 1))
            : size;
    if (at < words_offset_ || end > size || at >= end) return damaged();
    std::size_t previous_length = 0;
    std::size_t in_block = 0;
    while (at < end) {
      if (end - at < 3) return damaged();
      const std::size_t shared = static_cast<unsigned char>(bytes_[at]);
      const std::size_t own = static_cast<unsigned char>(bytes_[at + 1]);
      if ((in_block == 0 && shared != 0) || shared > previous_length ||
          shared + own == 0 || shared + own > longest_word_ ||
          end - at < 3 + 2 * own)
        return damaged();
      previous_length = shared + own;
      at += 3 + 2 * own;
      ++in_block;
    }
    if (in_block > kWordsPerBlock) return damaged();
    words_seen += in_block;
  }
  if (words_seen != word_count_) return damaged();
  return true;
}

ReadingDictionary::Found ReadingDictionary::Find(
    std::u16string_view key) const {
  Found found;
  if (block_count_ == 0) return found;
  const auto block_begin = [&](std::size_t block) {
    return words_offset_ + U32At(blocks_offset_ + 4 * block);
  };
  const auto block_end = [&](std::size_t block) {
    return block + 1 < block_count_ ? block_begin(block + 1) : bytes_.size();
  };
  // The last block whose first word is not after key.
  std::size_t low = 0;
  std::size_t high = block_count_;
  while (high - low > 1) {
    const std::size_t middle = low + (high - low) / 2;
    BlockWords first(bytes_, block_begin(middle), block_end(middle));
    first.Next();
    if (first.key() <= key)
      low = middle;
    else
      high = middle;
  }
  // The first word not before key, here or at the start of the next block;
  // a word that starts with key and goes on can only come right after it.
  for (std::size_t block = low; block < block_count_ && block <= low + 1;
       ++block) {
    BlockWords words(bytes_, block_begin(block), block_end(block));
    while (words.Next()) {
      const std::u16string_view word = words.key();
      if (word < key) continue;
      if (word == key) {
        found.exact = true;
        found.morae = words.morae();
        continue;
      }
      found.longer_words = word.substr(0, key.size()) == key;
      return found;
    }
  }
  return found;
}

std::optional<WordMorae> ReadingDictionary::LongestWordAt(
    std::u16string_view text) const {
  std::optional<WordMorae> longest;
  const std::size_t most = std::min(text.size(), longest_word_);
  for (std::size_t length = 1; length <= most; ++length) {
    const Found found = Find(text.substr(0, length));
    if (found.exact) longest = WordMorae{length, found.morae};
    if (!found.longer_words) break;
  }
  return longest;
}

std::optional<KanjiMoraeAt> ReadingDictionary::KanjiMorae(
    char32_t kanji, KanjiPlace place) const {
  std::size_t low = 0;
  std::size_t high = kanji_count_;
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    const std::size_t entry = kanji_offset_ + kKanjiEntrySize * middle;
    const char32_t code_point = U32At(entry);
    if (code_point == kanji) {
      const auto index = static_cast<std::size_t>(place);
      const auto sure_bits = static_cast<unsigned char>(bytes_[entry + 7]);
      return KanjiMoraeAt{static_cast<unsigned char>(bytes_[entry + 4 + index]),
                          (sure_bits >> index & 1) != 0};
    }
    if (code_point < kanji)
      low = middle + 1;
    else
      high = middle;
  }
  return std::nullopt;
}

}  // namespace tavlin
