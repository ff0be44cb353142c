// Bytes given as a reading dictionary: refused, or read without reading out
// of bounds, and every lookup answers within the text it was asked about.
#include "fuzz_input.h"
#include "src/rhythm/mora_count.h"
#include "src/rhythm/reading_dictionary.h"
#include "src/rhythm/reading_dictionary_writer.h"

using namespace tavlin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  FuzzInput input(data, size);
  const std::string_view text_bytes = input.TakeUntil('\0');
  std::u16string text;
  for (std::size_t i = 0; i + 1 < text_bytes.size(); i += 2)
    text.push_back(static_cast<char16_t>(
        static_cast<unsigned char>(text_bytes[i]) |
        static_cast<unsigned char>(text_bytes[i + 1]) << 8));
  const std::string_view rest = input.Rest();
  // The bytes as they came, and a whole dictionary with them as its words,
  // so that lookups get past the checks too.
  std::vector<DictionaryWord> words;
  for (std::size_t i = 0; i + 2 < rest.size(); i += 3)
    words.push_back({std::u16string(1 + rest[i] % 3, static_cast<char16_t>(
                                                         0x4E00 + rest[i + 1])),
                     static_cast<unsigned char>(rest[i + 2])});
  for (const std::string& bytes :
       {std::string(rest), ReadingDictionaryBytes(words, {})}) {
    std::string error;
    const auto dictionary = ReadingDictionary::FromBytes(bytes, &error);
    FUZZ_CHECK(dictionary.has_value() == error.empty());
    if (!dictionary) continue;
    for (std::size_t at = 0; at < text.size(); ++at) {
      const auto word = dictionary->LongestWordAt(text.substr(at));
      FUZZ_CHECK(!word ||
                 (word->length > 0 && word->length <= text.size() - at));
    }
    const MoraCount count = CountMorae(text, *dictionary);
    FUZZ_CHECK(count.morae >= 0);
  }
  return 0;
}
