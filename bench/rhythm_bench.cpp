// The rhythm meter: reading and checking the dictionary the build made, and
// counting a phrase with it.
#include "rhythm_bench.h"

#include <cstdio>
#include <string>

#include "src/platform/file_access.h"
#include "src/platform/tavlin_error.h"
#include "src/platform/text_encoding.h"
#include "src/platform/unicode_text.h"
#include "src/rhythm/mora_count.h"
#include "src/rhythm/reading_dictionary.h"

namespace tavlin {

namespace {

void LoadReadingDictionary(benchmark::State& state, const char* path) {
  for (auto _ : state) {
    std::string error;
    const auto dictionary =
        ReadingDictionary::FromBytes(ReadWholeFile(path), &error);
    if (!dictionary) state.SkipWithError(error.c_str());
    benchmark::DoNotOptimize(dictionary);
  }
}

// Phrases of every kind: words, inflections, kanji without a word, kana,
// digits and letters.
constexpr std::u16string_view kPhrases[] = {
    u"今日も一日", u"指差呼称で",   u"一人ひとりの", u"安全確認",
    u"5Sを続けて", u"慣れた作業も", u"品質は心",     u"ヒヤリハット",
};

void CountPhraseMorae(benchmark::State& state, const char* path) {
  std::string error;
  const auto dictionary =
      ReadingDictionary::FromBytes(ReadWholeFile(path), &error);
  if (!dictionary) {
    state.SkipWithError(error.c_str());
    return;
  }
  std::size_t next = 0;
  for (auto _ : state) {
    const MoraCount count =
        CountMorae(kPhrases[next++ % std::size(kPhrases)], *dictionary);
    benchmark::DoNotOptimize(count);
  }
}

}  // namespace

void ReportAgreementWithMecab(const char* dictionary_path,
                              const char* mecab_morae) {
  std::string error;
  std::optional<ReadingDictionary> dictionary;
  std::optional<std::u16string> table;
  try {
    dictionary =
        ReadingDictionary::FromBytes(ReadWholeFile(dictionary_path), &error);
    table = DecodeUnicodeText(ReadWholeFile(mecab_morae), TextEncoding::Utf8);
  } catch (const TavlinError& failure) {
    error = failure.what();
  }
  if (!dictionary || !table) {
    std::printf("Agreement with mecab not measured: %s\n", error.c_str());
    return;
  }
  int phrases = 0;
  int agreed = 0;
  ForEachTextLine(*table, [&](std::u16string_view line) {
    const std::size_t tab = line.find(u'\t');
    if (line.empty() || line[0] == u'#' || tab == std::u16string_view::npos)
      return;
    const int theirs = std::stoi(Utf8FromU16(line.substr(tab + 1)));
    ++phrases;
    if (CountMorae(line.substr(0, tab), *dictionary).morae == theirs) ++agreed;
  });
  std::printf(
      "Agreement with mecab (ipadic) on %d phrases with kanji: %.1f%% "
      "(scripts/compare-readings-with-mecab.sh lists where they differ)\n",
      phrases, phrases ? 100.0 * agreed / phrases : 0.0);
}

void RegisterRhythmBenchmarks(const char* dictionary) {
  benchmark::RegisterBenchmark("LoadReadingDictionary", LoadReadingDictionary,
                               dictionary)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("CountPhraseMorae", CountPhraseMorae, dictionary)
      ->Unit(benchmark::kMicrosecond);
}

}  // namespace tavlin
