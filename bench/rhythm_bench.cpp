// The rhythm meter: reading and checking the dictionary the build made, and
// counting a phrase with it.
#include "rhythm_bench.h"

#include <string>

#include "src/platform/file_access.h"
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

void RegisterRhythmBenchmarks(const char* dictionary) {
  benchmark::RegisterBenchmark("LoadReadingDictionary", LoadReadingDictionary,
                               dictionary)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("CountPhraseMorae", CountPhraseMorae, dictionary)
      ->Unit(benchmark::kMicrosecond);
}

}  // namespace tavlin
