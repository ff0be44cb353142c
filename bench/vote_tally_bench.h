// A committee's tally at its largest: 200 filled vote sheets of 2,000
// slogans each, read and summed in well under a second.
#pragma once

namespace tavlin {

inline constexpr int kTalliedSheets = 200;
inline constexpr int kSlogansPerSheet = 2000;

void RegisterVoteTallyBenchmarks();

}  // namespace tavlin
