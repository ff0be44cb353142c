#include "src/rhythm/reading_dictionary_writer.h"

#include <algorithm>
#include <cstdint>
#include <tuple>

#include "src/rhythm/reading_dictionary.h"

namespace tavlin {

namespace {

constexpr std::size_t kLongestWord = 255;
constexpr std::size_t kMostReadings = 255;

void PutU32(std::string& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes.push_back(static_cast<char>(value & 0xFF));
    value >>= 8;
  }
}

void PutI16(std::string& bytes, int value) {
  const auto bits = static_cast<std::uint16_t>(
      static_cast<std::int16_t>(std::clamp(value, -32768, 32767)));
  bytes.push_back(static_cast<char>(bits & 0xFF));
  bytes.push_back(static_cast<char>(bits >> 8));
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

// The join costs, every class with every class; a class beyond them is
// taken as the last.
void PutConnections(std::string& body, const ConnectionCosts& connections) {
  const std::size_t classes = connections.classes;
  for (std::size_t i = 0; i < classes * classes; ++i)
    PutI16(body, i < connections.costs.size() ? connections.costs[i] : 0);
}

// The readings of one written form: each its morae, its classes and its
// cost.
void PutReadings(std::string& bytes, const DictionaryWord* first,
                 std::size_t count) {
  bytes.push_back(static_cast<char>(count));
  for (std::size_t i = 0; i < count; ++i) {
    bytes.push_back(
        static_cast<char>(Clamped(first[i].morae, 127) |
                          (first[i].suffix_after_kanji ? 0x80 : 0)));
    bytes.push_back(static_cast<char>(first[i].left));
    bytes.push_back(static_cast<char>(first[i].right));
    PutI16(bytes, first[i].cost);
  }
}

// The written forms front-coded in blocks of kWordsPerBlock, each block's
// offset in the index before them; returns the count of written forms and
// the longest one's length.
std::pair<std::size_t, std::size_t> PutWords(
    std::string& body, const std::vector<DictionaryWord>& words) {
  std::vector<std::size_t> starts;  // of each written form's readings
  for (std::size_t i = 0; i < words.size(); ++i)
    if (i == 0 || words[i].word != words[i - 1].word) starts.push_back(i);
  const std::size_t forms = starts.size();
  const std::size_t block_count = (forms + kWordsPerBlock - 1) / kWordsPerBlock;
  const std::size_t offsets_at = body.size();
  body.resize(body.size() + 4 * block_count);
  std::string word_bytes;
  std::size_t longest = 0;
  for (std::size_t form = 0; form < forms; ++form) {
    const std::u16string& word = words[starts[form]].word;
    longest = std::max(longest, word.size());
    std::size_t shared = 0;
    if (form % kWordsPerBlock == 0) {
      SetU32(body, offsets_at + 4 * (form / kWordsPerBlock),
             static_cast<std::uint32_t>(word_bytes.size()));
    } else {
      const std::u16string& previous = words[starts[form - 1]].word;
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
    const std::size_t end = form + 1 < forms ? starts[form + 1] : words.size();
    PutReadings(word_bytes, &words[starts[form]],
                std::min(end - starts[form], kMostReadings));
  }
  body += word_bytes;
  return {forms, longest};
}

// Words with no form or too long a form go, and of readings alike in all
// but cost the cheapest stands for them.
void KeepCheapestReadings(std::vector<DictionaryWord>& words) {
  std::erase_if(words, [](const DictionaryWord& word) {
    return word.word.empty() || word.word.size() > kLongestWord;
  });
  const auto alike = [](const DictionaryWord& word) {
    return std::tie(word.word, word.morae, word.left, word.right,
                    word.suffix_after_kanji);
  };
  std::stable_sort(words.begin(), words.end(),
                   [&](const DictionaryWord& a, const DictionaryWord& b) {
                     return std::tuple_cat(alike(a), std::tie(a.cost)) <
                            std::tuple_cat(alike(b), std::tie(b.cost));
                   });
  words.erase(
      std::unique(words.begin(), words.end(),
                  [&](const DictionaryWord& a, const DictionaryWord& b) {
                    return alike(a) == alike(b);
                  }),
      words.end());
}

// Each kanji once, in order, the first of its counts kept.
void SortKanji(std::vector<KanjiMoraeCounts>& kanji) {
  std::stable_sort(kanji.begin(), kanji.end(),
                   [](const KanjiMoraeCounts& a, const KanjiMoraeCounts& b) {
                     return a.kanji < b.kanji;
                   });
  kanji.erase(
      std::unique(kanji.begin(), kanji.end(),
                  [](const KanjiMoraeCounts& a, const KanjiMoraeCounts& b) {
                    return a.kanji == b.kanji;
                  }),
      kanji.end());
}

// The file's head: its mark, version, checksum, counts and the classes of
// the contexts a word meets.
std::string DictionaryHead(const std::string& body, std::size_t forms,
                           std::size_t longest, std::size_t kanji,
                           std::size_t classes, const ContextClasses& context) {
  const auto in_table = [&](std::uint8_t c) {
    return static_cast<char>(std::min<std::size_t>(c, classes - 1));
  };
  std::string bytes = "TVRD";
  PutU32(bytes, kReadingDictionaryVersion);
  PutU32(bytes, ReadingDictionaryChecksum(body));
  PutU32(bytes, static_cast<std::uint32_t>(forms));
  PutU32(bytes, static_cast<std::uint32_t>((forms + kWordsPerBlock - 1) /
                                           kWordsPerBlock));
  PutU32(bytes, static_cast<std::uint32_t>(kanji));
  PutU32(bytes, static_cast<std::uint32_t>(longest));
  PutU32(bytes, static_cast<std::uint32_t>(classes));
  for (const std::uint8_t c :
       {context.edge_right, context.edge_left, context.number_right,
        context.letters_right, context.unknown_left, context.unknown_right,
        std::uint8_t{0}, std::uint8_t{0}})
    bytes.push_back(in_table(c));
  return bytes;
}

}  // namespace

std::string ReadingDictionaryBytes(std::vector<DictionaryWord> words,
                                   std::vector<KanjiMoraeCounts> kanji,
                                   const ConnectionCosts& connections) {
  KeepCheapestReadings(words);
  SortKanji(kanji);
  const std::size_t classes =
      std::clamp<std::size_t>(connections.classes, 1, kMostWordClasses);
  ConnectionCosts kept = connections;
  kept.classes = classes;
  // A class beyond the table would read past it.
  for (DictionaryWord& word : words) {
    word.left = static_cast<std::uint8_t>(
        std::min<std::size_t>(word.left, classes - 1));
    word.right = static_cast<std::uint8_t>(
        std::min<std::size_t>(word.right, classes - 1));
  }
  std::string body;
  PutKanji(body, kanji);
  PutConnections(body, kept);
  const auto [forms, longest] = PutWords(body, words);
  return DictionaryHead(body, forms, longest, kanji.size(), classes,
                        connections.context) +
         body;
}

}  // namespace tavlin
