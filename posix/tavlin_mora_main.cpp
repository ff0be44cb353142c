// Counts the morae of each line of standard input (UTF-8) and prints one
// line for each: the count, or ? where it cannot be counted; with --words,
// a tab and the pieces it was read as, each with its morae (安全/4 第一/4).
//   tavlin_mora [--words] [DICTIONARY]
// Without a dictionary it reads the one the build made.
#include <iostream>
#include <string>

#include "src/platform/file_access.h"
#include "src/platform/tavlin_error.h"
#include "src/platform/text_encoding.h"
#include "src/platform/unicode_text.h"
#include "src/rhythm/mora_count.h"
#include "src/rhythm/reading_dictionary.h"

using namespace tavlin;

int main(int argc, char** argv) {
  int next = 1;
  const bool show_words = argc > next && std::string(argv[next]) == "--words";
  if (show_words) ++next;
  const std::string path = argc > next ? argv[next] : TAVLIN_BUILT_DICTIONARY;
  std::string error;
  std::optional<ReadingDictionary> dictionary;
  try {
    dictionary = ReadingDictionary::FromBytes(ReadWholeFile(path), &error);
  } catch (const TavlinError& failure) {
    error = failure.what();
  }
  if (!dictionary) {
    std::cerr << "tavlin_mora: " << path << ": " << error << "\n";
    return 1;
  }
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::optional<std::u16string> text =
        DecodeUnicodeText(line, TextEncoding::Utf8);
    std::vector<ReadWord> words;
    const MoraCount count = text ? CountMorae(*text, nullptr, *dictionary,
                                              show_words ? &words : nullptr)
                                 : MoraCount{0, false, false};
    if (count.countable)
      std::cout << count.morae;
    else
      std::cout << "?";
    if (show_words && text) {
      std::cout << '\t';
      std::size_t at = 0;
      for (const ReadWord& word : words) {
        std::cout << (at > 0 ? " " : "")
                  << Utf8FromU16(
                         std::u16string_view(*text).substr(at, word.length))
                  << '/' << word.morae;
        at += word.length;
      }
    }
    std::cout << '\n';
  }
  return 0;
}
