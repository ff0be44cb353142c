// Counts the morae of each line of standard input (UTF-8) and prints one
// line for each: the count, or ? where it cannot be counted.
//   tavlin_mora [DICTIONARY]
// Without an argument it reads the dictionary the build made.
#include <iostream>
#include <string>

#include "src/platform/file_access.h"
#include "src/platform/tavlin_error.h"
#include "src/platform/text_encoding.h"
#include "src/rhythm/mora_count.h"
#include "src/rhythm/reading_dictionary.h"

using namespace tavlin;

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : TAVLIN_BUILT_DICTIONARY;
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
    const MoraCount count =
        text ? CountMorae(*text, *dictionary) : MoraCount{0, false, false};
    if (count.countable)
      std::cout << count.morae << '\n';
    else
      std::cout << "?\n";
  }
  return 0;
}
