// The rhythm meter's benchmarks: the dictionary loads in under 5 ms and a
// phrase counts in under 10 µs.
#pragma once

#include <benchmark/benchmark.h>

namespace tavlin {

void RegisterRhythmBenchmarks(const char* dictionary);

}  // namespace tavlin
