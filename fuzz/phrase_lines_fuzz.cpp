// The phrase-file line rule and the phrase index against a plain
// byte-by-byte reading of the rule, and the index built with the baseline
// instructions against the one built with the widest.
#include <vector>

#include "fuzz_input.h"
#include "src/slogan/phrase_index.h"
#include "src/slogan/phrase_lines.h"
#include "src/slogan/phrase_list.h"

using namespace tavlin;

namespace {

std::vector<std::string_view> ReferenceLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t begin = 0;
  std::size_t i = 0;
  for (; i < bytes.size() && bytes[i] != '\0'; ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    lines.push_back(bytes.substr(begin, i - begin));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    begin = i + 1;
  }
  if (i > begin) lines.push_back(bytes.substr(begin, i - begin));
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> lines;
  ForEachLine(bytes, [&](std::size_t begin, std::size_t length) {
    lines.push_back(bytes.substr(begin, length));
  });
  FUZZ_CHECK(lines == ReferenceLines(bytes));

  PhraseList list;
  list.AssignFileBytes(std::string(bytes));
  const std::string_view kept = list.file_bytes();
  std::size_t next_allowed = 0;
  std::vector<std::string_view> expected;
  for (std::string_view line : lines)
    if (!IsBlankLine(line)) expected.push_back(line);
  FUZZ_CHECK(list.size() == expected.size());
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string_view phrase = list[i];
    FUZZ_CHECK(phrase == expected[i]);
    FUZZ_CHECK(!IsBlankLine(phrase));
    FUZZ_CHECK(phrase.find_first_of(std::string_view("\r\n\0", 3)) ==
               std::string_view::npos);
    // The phrases are pieces of the input, in its order.
    const std::size_t offset =
        static_cast<std::size_t>(phrase.data() - kept.data());
    FUZZ_CHECK(offset >= next_allowed && offset + phrase.size() <= kept.size());
    next_allowed = offset + phrase.size();
  }

  // Whatever instructions the processor offers, the index is the same.
  const PhraseIndex widest = IndexPhrases(bytes);
  const PhraseIndex baseline = IndexPhrasesWithBaselineInstructions(bytes);
  FUZZ_CHECK(widest.count == baseline.count &&
             widest.text_end == baseline.text_end &&
             widest.line_starts == baseline.line_starts);
  return 0;
}
