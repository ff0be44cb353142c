// Makes the reading dictionary from a MeCab lexicon's CSV files in UTF-8
// and its join costs (matrix.def):
//   tavlin_make_reading_dictionary OUTPUT MATRIX [--prefer TSV]
//                                  [--prefer-among-equals TSV] CSV...
// Each TSV holds, a line each, a written form and the reading to take for
// it: always, or where the lexicon's costs hardly tell its readings apart.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "posix/reading_dictionary_builder.h"
#include "src/platform/file_access.h"
#include "src/platform/tavlin_error.h"
#include "src/platform/text_encoding.h"
#include "src/platform/unicode_text.h"

using namespace tavlin;

namespace {

// Enough classes for the choices a phrase's reading turns on, few enough
// that every word's class and the table fit in a small file.
constexpr std::size_t kJoinClasses = 256;

std::optional<std::string> ReadFile(const char* path) {
  try {
    return ReadWholeFile(path);
  } catch (const TavlinError&) {
    return std::nullopt;
  }
}

std::optional<std::u16string> ReadUtf8File(const char* path) {
  const std::optional<std::string> bytes = ReadFile(path);
  if (!bytes) return std::nullopt;
  return DecodeUnicodeText(*bytes, TextEncoding::Utf8);
}

// A preference file's line: a form, a tab, the reading to prefer for it.
void AddPreference(ReadingDictionaryBuilder& builder, std::u16string_view line,
                   bool among_equals) {
  const std::size_t tab = line.find(u'\t');
  if (tab == std::u16string_view::npos) return;
  std::u16string surface(line.substr(0, tab));
  std::u16string reading(line.substr(tab + 1));
  if (among_equals)
    builder.PreferAmongEquals(std::move(surface), std::move(reading));
  else
    builder.Prefer(std::move(surface), std::move(reading));
}

// Reads the lexicon files and preference files named from argv[first] on;
// the lexicon entries read, or none where a file cannot be read.
std::optional<std::size_t> ReadSources(ReadingDictionaryBuilder& builder,
                                       int first, int argc, char** argv) {
  std::size_t entries = 0;
  for (int i = first; i < argc; ++i) {
    const std::string option = argv[i];
    const bool among_equals = option == "--prefer-among-equals";
    const bool preferences = among_equals || option == "--prefer";
    if (preferences && ++i >= argc) return std::nullopt;
    const std::optional<std::u16string> text = ReadUtf8File(argv[i]);
    if (!text) {
      std::cerr << "cannot read " << argv[i] << " as UTF-8\n";
      return std::nullopt;
    }
    ForEachTextLine(*text, [&](std::u16string_view line) {
      if (preferences) return AddPreference(builder, line, among_equals);
      LexiconEntry entry;
      if (!ParseLexiconLine(line, entry)) return;
      builder.Add(std::move(entry));
      ++entries;
    });
  }
  return entries;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: tavlin_make_reading_dictionary OUTPUT MATRIX "
                 "[--prefer TSV] [--prefer-among-equals TSV] CSV...\n";
    return 2;
  }
  const std::optional<std::string> matrix_text = ReadFile(argv[2]);
  const std::optional<JoinMatrix> matrix =
      matrix_text ? ParseJoinMatrix(*matrix_text) : std::nullopt;
  if (!matrix) {
    std::cerr << "cannot read " << argv[2] << " as join costs\n";
    return 1;
  }
  ReadingDictionaryBuilder builder(GroupJoinCosts(*matrix, kJoinClasses));
  const std::optional<std::size_t> entries =
      ReadSources(builder, 3, argc, argv);
  if (!entries) return 1;
  ReadingDictionaryBuilder::Result result = builder.Build();
  const std::size_t words = result.words.size();
  const std::size_t kanji = result.kanji.size();
  const std::size_t classes = result.connections.classes;
  const std::string bytes = ReadingDictionaryBytes(
      std::move(result.words), std::move(result.kanji), result.connections);
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) {
    std::cerr << "cannot write " << argv[1] << "\n";
    return 1;
  }
  std::printf(
      "%zu entries, %zu readings, %zu kanji, %zu join classes: %zu "
      "bytes\n",
      entries.value(), words, kanji, classes, bytes.size());
  return 0;
}
