// The rhythm meter's benchmarks: the dictionary loads in under 5 ms and a
// phrase counts in under 10 µs.
#pragma once

#include <benchmark/benchmark.h>

namespace tavlin {

void RegisterRhythmBenchmarks(const char* dictionary);
// Prints how often the meter counts as Debian's mecab does the phrases of
// mecab_morae (bench/data/mecab-morae.tsv), which that tool wrote.
void ReportAgreementWithMecab(const char* dictionary, const char* mecab_morae);

}  // namespace tavlin
