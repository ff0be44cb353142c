#include "src/rhythm/reading_dictionary.h"

#include <algorithm>
#include <array>

#include "src/platform/messages.h"

namespace tavlin {

namespace {

constexpr std::size_t kHeaderSize = 40;
constexpr char kMagic[] = "TVRD";
constexpr std::size_t kLongestKey = 255;
constexpr std::size_t kReadingSize = 5;

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
    readings_at_ = at_ + 2 + 2 * own;
    at_ = readings_at_ + 1 + kReadingSize * Byte(readings_at_);
    return true;
  }
  std::u16string_view key() const { return {key_.data(), length_}; }
  // The count of readings, then the readings.
  std::size_t readings_at() const { return readings_at_; }

 private:
  unsigned Byte(std::size_t offset) const {
    return static_cast<unsigned char>(bytes_[offset]);
  }
  const std::string& bytes_;
  std::size_t at_;
  std::size_t end_;
  std::array<char16_t, 2 * kLongestKey> key_{};
  std::size_t length_ = 0;
  std::size_t readings_at_ = 0;
};

}  // namespace

std::uint32_t ReadingDictionaryChecksum(std::string_view bytes) {
  // FNV-1a over eight bytes at a time, then over the bytes left: a file of
  // megabytes is checked in well under a millisecond.
  constexpr std::uint64_t kPrime = 1099511628211u;
  std::uint64_t hash = 14695981039346656037u;
  std::size_t at = 0;
  for (; at + 8 <= bytes.size(); at += 8) {
    std::uint64_t word = 0;
    for (std::size_t i = 8; i-- > 0;)
      word = word << 8 | static_cast<unsigned char>(bytes[at + i]);
    hash = (hash ^ word) * kPrime;
  }
  for (; at < bytes.size(); ++at)
    hash = (hash ^ static_cast<unsigned char>(bytes[at])) * kPrime;
  return static_cast<std::uint32_t>(hash ^ hash >> 32);
}

std::uint32_t ReadingDictionary::U32At(std::size_t offset) const {
  std::uint32_t value = 0;
  for (std::size_t i = 4; i-- > 0;) value = value << 8 | ByteAt(offset + i);
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
  *error = kDamagedReadingDictionary;
  if (bytes_.size() < kHeaderSize ||
      std::string_view(bytes_).substr(0, 4) != kMagic)
    return false;
  if (U32At(4) != kReadingDictionaryVersion) {
    *error = kOtherReadingDictionaryVersion;
    return false;
  }
  if (U32At(8) !=
      ReadingDictionaryChecksum(std::string_view(bytes_).substr(kHeaderSize)))
    return false;
  word_count_ = U32At(12);
  block_count_ = U32At(16);
  kanji_count_ = U32At(20);
  longest_word_ = U32At(24);
  classes_ = U32At(28);
  if (classes_ == 0 || classes_ > kMostWordClasses) return false;
  std::array<std::uint8_t, 8> context{};
  for (std::size_t i = 0; i < context.size(); ++i) {
    context[i] = static_cast<std::uint8_t>(ByteAt(32 + i));
    if (context[i] >= classes_ || (i >= 6 && context[i] != 0)) return false;
  }
  context_ = {context[0], context[1], context[2],
              context[3], context[4], context[5]};
  const std::size_t size = bytes_.size();
  kanji_offset_ = kHeaderSize;
  if (kanji_count_ > (size - kanji_offset_) / kKanjiEntrySize) return false;
  joins_offset_ = kanji_offset_ + kKanjiEntrySize * kanji_count_;
  if (2 * classes_ * classes_ > size - joins_offset_) return false;
  blocks_offset_ = joins_offset_ + 2 * classes_ * classes_;
  if (block_count_ > (size - blocks_offset_) / 4) return false;
  words_offset_ = blocks_offset_ + 4 * block_count_;
  if (longest_word_ > kLongestKey ||
      block_count_ != (word_count_ + kWordsPerBlock - 1) / kWordsPerBlock)
    return false;
  return CheckWords();
}

// Each block's words must lie within it, each share no more than the word
// before it has (a block's first nothing), and each reading name classes
// the join costs have.
bool ReadingDictionary::CheckWords() {
  const std::size_t size = bytes_.size();
  std::size_t words_seen = 0;
  for (std::size_t block = 0; block < block_count_; ++block) {
    std::size_t at = words_offset_ + U32At(blocks_offset_ + 4 * block);
    const std::size_t end =
        block + 1 < block_count_
            ? words_offset_ + U32At(blocks_offset_ + 4 * (block + 1))
            : size;
    if (at < words_offset_ || end > size || at >= end) return false;
    std::size_t previous_length = 0;
    std::size_t in_block = 0;
    while (at < end) {
      if (end - at < 3) return false;
      const std::size_t shared = ByteAt(at);
      const std::size_t own = ByteAt(at + 1);
      if ((in_block == 0 && shared != 0) || shared > previous_length ||
          shared + own == 0 || shared + own > longest_word_ ||
          end - at < 3 + 2 * own)
        return false;
      const std::size_t readings_at = at + 2 + 2 * own;
      const std::size_t readings = ByteAt(readings_at);
      if (readings == 0 || end - readings_at - 1 < kReadingSize * readings)
        return false;
      for (std::size_t r = 0; r < readings; ++r) {
        const std::size_t reading = readings_at + 1 + kReadingSize * r;
        if (ByteAt(reading + 1) >= classes_ || ByteAt(reading + 2) >= classes_)
          return false;
      }
      previous_length = shared + own;
      at = readings_at + 1 + kReadingSize * readings;
      ++in_block;
    }
    if (in_block > kWordsPerBlock) return false;
    words_seen += in_block;
  }
  return words_seen == word_count_;
}

ReadingDictionary::Found ReadingDictionary::Find(
    std::u16string_view key, std::size_t& first_block) const {
  Found found;
  if (block_count_ == 0) return found;
  const auto block_begin = [&](std::size_t block) {
    return words_offset_ + U32At(blocks_offset_ + 4 * block);
  };
  const auto block_end = [&](std::size_t block) {
    return block + 1 < block_count_ ? block_begin(block + 1) : bytes_.size();
  };
  // The last block whose first word is not after key; a longer key than
  // the one asked before cannot lie before that one's block.
  std::size_t low = first_block;
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
  first_block = low;
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
        found.readings_at = words.readings_at();
        continue;
      }
      found.longer_words = word.substr(0, key.size()) == key;
      return found;
    }
  }
  return found;
}

WordReading ReadingDictionary::ReadingAt(std::size_t offset,
                                         std::size_t length) const {
  const auto cost = static_cast<std::int16_t>(
      static_cast<std::uint16_t>(ByteAt(offset + 3) | ByteAt(offset + 4) << 8));
  return {length,
          static_cast<int>(ByteAt(offset) & 0x7F),
          (ByteAt(offset) & 0x80) != 0,
          static_cast<std::uint8_t>(ByteAt(offset + 1)),
          static_cast<std::uint8_t>(ByteAt(offset + 2)),
          cost};
}

void ReadingDictionary::ReadingsAt(std::u16string_view text,
                                   std::vector<WordReading>& readings) const {
  const std::size_t most = std::min(text.size(), longest_word_);
  std::size_t first_block = 0;
  for (std::size_t length = 1; length <= most; ++length) {
    const Found found = Find(text.substr(0, length), first_block);
    if (found.exact) {
      const std::size_t count = ByteAt(found.readings_at);
      for (std::size_t r = 0; r < count; ++r)
        readings.push_back(
            ReadingAt(found.readings_at + 1 + kReadingSize * r, length));
    }
    if (!found.longer_words) break;
  }
}

std::optional<WordMorae> ReadingDictionary::LongestWordAt(
    std::u16string_view text) const {
  std::vector<WordReading> readings;
  ReadingsAt(text, readings);
  if (readings.empty()) return std::nullopt;
  const std::size_t longest = readings.back().length;
  const WordReading* cheapest = nullptr;
  for (const WordReading& reading : readings)
    if (reading.length == longest &&
        (!cheapest || reading.cost < cheapest->cost))
      cheapest = &reading;
  return WordMorae{longest, cheapest->morae};
}

int ReadingDictionary::JoinCost(std::uint8_t right, std::uint8_t left) const {
  const std::size_t at = joins_offset_ + 2 * (right * classes_ + left);
  return static_cast<std::int16_t>(
      static_cast<std::uint16_t>(ByteAt(at) | ByteAt(at + 1) << 8));
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
      const unsigned sure_bits = ByteAt(entry + 7);
      return KanjiMoraeAt{static_cast<int>(ByteAt(entry + 4 + index)),
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
