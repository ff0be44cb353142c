#include "vote_tally_bench.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "src/platform/text_encoding.h"
#include "src/platform/unicode_text.h"
#include "src/storage/vote_tally.h"

namespace tavlin {

namespace {

std::u16string Slogan(int number) {
  const std::string digits = std::to_string(number);
  return u"安全は 一人ひとりの 心がけ" +
         std::u16string(digits.begin(), digits.end());
}

// As Excel saves the exported sheet back: UTF-8 with its mark, a few
// slogans marked and one given two votes (the sheet's alone, so that no two
// sheets are the same file), and every other sheet sorted the other way round,
// so that no sheet's rows follow the list.
std::string FilledSheet(int sheet) {
  std::string csv = "\xEF\xBB\xBF番号,標語,文字数,判定,投票\r\n";
  for (int row = 0; row < kSlogansPerSheet; ++row) {
    const int number = sheet % 2 == 0 ? row : kSlogansPerSheet - 1 - row;
    const char* vote = number == 1000 + sheet      ? "2"
                       : number % 50 == sheet % 50 ? "○"
                                                   : "";
    csv += std::to_string(number + 1) + "," + Utf8FromU16(Slogan(number)) +
           ",14,可," + vote + "\r\n";
  }
  return csv;
}

void TallyCommitteeSheets(benchmark::State& state) {
  std::vector<std::u16string> list;
  for (int number = 0; number < kSlogansPerSheet; ++number)
    list.push_back(Slogan(number));
  std::vector<VoteSheetFile> files;
  for (int sheet = 0; sheet < kTalliedSheets; ++sheet)
    files.push_back(
        {u"委員" + Slogan(sheet) + u".csv", FilledSheet(sheet), {}});
  // Every sheet is UTF-8: Shift-JIS is never asked for.
  const EncodingCodec no_shift_jis(TextEncoding::ShiftJis);
  for (auto _ : state) {
    const VoteTally tally = TallyVoteSheets(list, files, no_shift_jis);
    if (tally.summary.sheets_read != kTalliedSheets)
      state.SkipWithError("a sheet was not read");
    benchmark::DoNotOptimize(tally.slogans.data());
  }
  state.counters["per_sheet"] = benchmark::Counter(
      kTalliedSheets, benchmark::Counter::kIsIterationInvariantRate |
                          benchmark::Counter::kInvert);
}

}  // namespace

void RegisterVoteTallyBenchmarks() {
  benchmark::RegisterBenchmark("TallyVoteSheets200x2000", TallyCommitteeSheets)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
}

}  // namespace tavlin
