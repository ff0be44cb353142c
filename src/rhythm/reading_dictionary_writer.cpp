#include "src/rhythm/reading_dictionary_writer.h"

#include <algorithm>
#include <cstdint>

#include "src/rhythm/reading_dictionary.h"

namespace tavlin {

namespace {

constexpr std::size_t kLongestWord = 255;

void PutU32(std::string& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes.push_back(static_cast<char>(value & 0xFF));
    value >>= 8;
  }
}

void SetU32(std::string& bytes, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) {
    bytes[offset + i] = static_cast<char>(value & 0xFF);
    value >>= 8;
  }
}

std::uint32_t Clamped(int value, int most) {
  return static_cast<std::uint32_t>(std::clamp(value, 0, most));
}

// Sorted by key, the first of each key kept, too long words left out.
template <typename Entry, typename Key>
void SortedUnique(std::vector<Entry>& entries, Key key) {
  std::stable_sort(
      entries.begin(), entries.end(),
      [&](const Entry& a, const Entry& b) { return key(a) < key(b); });
  entries.erase(std::unique(entries.begin(), entries.end(),
                            [&](const Entry& a, const Entry& b) {
                              return key(a) == key(b);
                            }),
                entries.end());
}

// Each kanji: its code point, its morae alone, after and before another
// kanji, and which of the three are sure.
void PutKanji(std::string& body, const std::vector<KanjiMoraeCounts>& kanji) {
  for (const KanjiMoraeCounts& counts : kanji) {
    PutU32(body, static_cast<std::uint32_t>(counts.kanji));
    unsigned sure_bits = 0;
    for (std::size_t place = 0; place < 3; ++place) {
      body.push_back(static_cast<char>(Clamped(counts.morae[place], 255)));
      if (counts.sure[place]) sure_bits |= 1u << place;
    }
    body.push_back(static_cast<char>(sure_bits));
  }
}

// The words front-coded in blocks of kWordsPerBlock, each block's offset in
// the index before them; returns the longest word's length.
std::size_t PutWords(std::string& body,
                     const std::vector<DictionaryWord>& words) {
  const std::size_t block_count =
      (words.size() + kWordsPerBlock - 1) / kWordsPerBlock;
  const std::size_t offsets_at = body.size();
  body.resize(body.size() + 4 * block_count);
  std::string word_bytes;
  std::size_t longest = 0;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::u16string& word = words[i].word;
    longest = std::max(longest, word.size());
    std::size_t shared = 0;
    if (i % kWordsPerBlock == 0) {
      SetU32(body, offsets_at + 4 * (i / kWordsPerBlock),
             static_cast<std::uint32_t>(word_bytes.size()));
    } else {
      const std::u16string& previous = words[i - 1].word;
      while (shared < previous.size() && shared < word.size() &&
             previous[shared] == word[shared])
        ++shared;
    }
    word_bytes.push_back(static_cast<char>(shared));
    word_bytes.push_back(static_cast<char>(word.size() - shared));
    for (std::size_t unit = shared; unit < word.size(); ++unit) {
      word_bytes.push_back(static_cast<char>(word[unit] & 0xFF));
      word_bytes.push_back(static_cast<char>(word[unit] >> 8));
    }
    word_bytes.push_back(static_cast<char>(Clamped(words[i].morae, 255)));
  }
  body += word_bytes;
  return longest;
}

}  // namespace

std::string ReadingDictionaryBytes(std::vector<DictionaryWord> words,
                                   std::vector<KanjiMoraeCounts> kanji) {
  std::erase_if(words, [](const DictionaryWord& word) {
    return word.word.empty() || word.word.size() > kLongestWord;
  });
  SortedUnique(words, [](const DictionaryWord& word) -> const std::u16string& {
    return word.word;
  });
  SortedUnique(kanji,
               [](const KanjiMoraeCounts& counts) { return counts.kanji; });
  std::string body;
  PutKanji(body, kanji);
  const std::size_t longest = PutWords(body, words);
  const std::size_t block_count =
      (words.size() + kWordsPerBlock - 1) / kWordsPerBlock;

  std::string bytes = "TVRD";
  PutU32(bytes, kReadingDictionaryVersion);
  PutU32(bytes, ReadingDictionaryChecksum(body));
  PutU32(bytes, static_cast<std::uint32_t>(words.size()));
  PutU32(bytes, static_cast<std::uint32_t>(block_count));
  PutU32(bytes, static_cast<std::uint32_t>(kanji.size()));
  PutU32(bytes, static_cast<std::uint32_t>(longest));
  PutU32(bytes, 0);  // room for what a later version needs
  return bytes + body;
}

}  // namespace tavlin
