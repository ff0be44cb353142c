// Makes the reading dictionary from a MeCab lexicon's CSV files in UTF-8:
//   tavlin_make_reading_dictionary OUTPUT [--prefer TSV] CSV...
// TSV holds, a line each, a written form and the reading to take for it.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "posix/reading_dictionary_builder.h"
#include "src/platform/file_access.h"
#include "src/platform/tavlin_error.h"
#include "src/platform/text_encoding.h"
#include "src/platform/unicode_text.h"
#include "src/rhythm/reading_dictionary_writer.h"

using namespace tavlin;

namespace {

std::optional<std::u16string> ReadUtf8File(const char* path) {
  try {
    return DecodeUnicodeText(ReadWholeFile(path), TextEncoding::Utf8);
  } catch (const TavlinError&) {
    return std::nullopt;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: tavlin_make_reading_dictionary OUTPUT [--prefer TSV] "
                 "CSV...\n";
    return 2;
  }
  ReadingDictionaryBuilder builder;
  std::size_t entries = 0;
  for (int i = 2; i < argc; ++i) {
    const bool preferences = std::string(argv[i]) == "--prefer";
    if (preferences && ++i >= argc) return 2;
    const std::optional<std::u16string> text = ReadUtf8File(argv[i]);
    if (!text) {
      std::cerr << "cannot read " << argv[i] << " as UTF-8\n";
      return 1;
    }
    ForEachTextLine(*text, [&](std::u16string_view line) {
      if (preferences) {
        const std::size_t tab = line.find(u'\t');
        if (tab != std::u16string_view::npos)
          builder.Prefer(std::u16string(line.substr(0, tab)),
                         std::u16string(line.substr(tab + 1)));
        return;
      }
      LexiconEntry entry;
      if (!ParseLexiconLine(line, entry)) return;
      builder.Add(std::move(entry));
      ++entries;
    });
  }
  ReadingDictionaryBuilder::Result result = builder.Build();
  const std::size_t kept = result.words.size();
  const std::size_t kanji = result.kanji.size();
  const std::string bytes =
      ReadingDictionaryBytes(std::move(result.words), std::move(result.kanji));
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) {
    std::cerr << "cannot write " << argv[1] << "\n";
    return 1;
  }
  std::printf(
      "%zu entries, %zu words with kanji, %zu kept, %zu kanji: %zu "
      "bytes\n",
      entries, result.words_with_kanji, kept, kanji, bytes.size());
  return 0;
}
