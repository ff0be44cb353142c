// Benchmarks of the core: a generation over three phrase files of a million
// lines each against merely reading those files, loading a 10 MB storage
// file, storing a slogan in a list of 100,000 lines, and a committee's
// tally of vote sheets. Ends with the generation's time and peak memory
// against their targets, and the tally's time a sheet.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include "bench_data.h"
#include "heap_counter.h"
#include "large_list_bench.h"
#include "rhythm_bench.h"
#include "vote_tally_bench.h"
#include "src/platform/file_access.h"
#include "src/platform/text_encoding.h"
#include "src/slogan/slogan_generator.h"
#include "src/storage/storage_file.h"
#include "src/storage/storage_merge.h"
#include "src/storage/storage_places.h"
#include "src/storage/storage_save.h"
#include "src/storage/storage_start.h"
#include "src/storage/storage_text.h"
#include "src/storage/vote_sheet.h"

using namespace tavlin;

namespace {

// The page the program's first generation runs for.
constexpr std::u16string_view kSafety = u"安全";

class DiscardingList final : public SloganListTarget {
 public:
  void RemoveAll() override { count = 0; }
  void Append(ShiftJisView slogan) override {
    benchmark::DoNotOptimize(slogan.bytes().data());
    ++count;
  }
  int count = 0;
};

// The baseline: the three files read into memory and held there, as a
// generation holds them, and released between runs as FirstGeneration
// releases its lists. Holding them matters: a buffer given back at once is
// handed out again for the next file, while three held together need fresh
// memory from the system.
void ReadPhraseFilesOnly(benchmark::State& state, const BenchData* data) {
  const PhraseFileNames names = PhraseFileNamesOf(PhraseCategory::Safety);
  for (auto _ : state) {
    std::string held[3];
    int next = 0;
    for (const auto* name : {&names.upper, &names.middle, &names.lower}) {
      held[next] = ReadWholeFile(data->folder() / *name);
      benchmark::DoNotOptimize(held[next++].data());
    }
    state.PauseTiming();
    for (std::string& bytes : held) bytes = std::string();
    state.ResumeTiming();
  }
}

void Generation(benchmark::State& state, const BenchData* data) {
  PhraseLists lists;
  DiscardingList list;
  PhraseHolds holds;  // none held, as at the start
  std::uint32_t tick = 0;
  for (auto _ : state) {
    GenerateThemeSlogans(data->folder(), kSafety, lists, ++tick, list, &holds);
  }
  if (list.count != kSlogansPerGeneration) state.SkipWithError("no slogans");
}

// The program's first generation, or one after every file changed: all three
// files are split into phrases again.
void FirstGeneration(benchmark::State& state, const BenchData* data) {
  DiscardingList list;
  PhraseHolds holds;  // none held, as at the start
  for (auto _ : state) {
    PhraseLists lists;
    GenerateThemeSlogans(data->folder(), kSafety, lists, 1, list, &holds);
    state.PauseTiming();
    lists = PhraseLists();  // releasing is not part of a generation
    state.ResumeTiming();
  }
}

void LoadStorageFile(benchmark::State& state, const BenchData* data) {
  for (auto _ : state) {
    StorageList list;
    LoadStorageList(list, data->storage_file());
    benchmark::DoNotOptimize(list.text.bytes().data());
  }
}

void StoreSloganInALongList(benchmark::State& state) {
  const ShiftJisText original(StorageText());
  const ShiftJisText slogan(UnlistedSlogan());
  for (auto _ : state) {
    state.PauseTiming();
    ShiftJisText text = original;
    state.ResumeTiming();
    StoreSlogan(text, slogan);
    benchmark::DoNotOptimize(text.bytes().data());
  }
}

class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      // With repetitions, the mean stands for the benchmark.
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "mean")
        continue;
      milliseconds[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> milliseconds;
};

// The most the heap holds during the program's first generation, which
// reads and indexes all three files.
std::size_t PeakHeapOfAFirstGeneration(const BenchData& data) {
  PhraseLists lists;
  DiscardingList list;
  PhraseHolds holds;  // none held, as at the start
  ResetHeapPeak();
  GenerateThemeSlogans(data.folder(), kSafety, lists, 1, list, &holds);
  return HeapPeakBytes();
}

// The same after switching pages: the phrases of the other theme stay held
// until each file of this one has been read.
std::size_t PeakHeapAfterSwitchingPages(const BenchData& data) {
  PhraseLists lists;
  DiscardingList list;
  PhraseHolds holds;  // none held, as at the start
  GenerateThemeSlogans(data.folder(), kSafety, lists, 1, list, &holds);
  for (PhraseList* position : {&lists.upper, &lists.middle, &lists.lower}) {
    std::string other;
    other.reserve(position->file_bytes().size() + 1);
    other.append(position->file_bytes()).append("x");
    position->AssignFileBytes(std::move(other));
  }
  ResetHeapPeak();
  GenerateThemeSlogans(data.folder(), kSafety, lists, 2, list, &holds);
  return HeapPeakBytes();
}

// The most the heap takes beyond the file's own bytes while a phrase file of
// nothing but blank lines is split: no room may be held for the lines that
// are dropped.
std::size_t HeapBeyondBlankLines(std::size_t file_bytes) {
  std::string bytes;
  bytes.reserve(file_bytes);
  while (bytes.size() + 2 <= file_bytes) bytes.append("\r\n");
  PhraseList list;
  const std::size_t before = HeapBytesInUse();
  ResetHeapPeak();
  list.AssignFileBytes(std::move(bytes));
  return HeapPeakBytes() - before;
}

double Megabytes(std::size_t bytes) { return bytes / 1e6; }

}  // namespace

// A session of a 10,000-line list, as the program keeps one, saved as the
// user works: nothing changed, a slogan stored, or another copy's line to
// merge in as well.
enum class SaveCase { Unchanged, AfterAStore, MergingAnotherCopy };

void WriteWholeFile(const std::filesystem::path& file,
                    const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

void SaveTenThousandLines(benchmark::State& state, const BenchData* data,
                          SaveCase save_case) {
  const std::filesystem::path file = data->folder() / "list.txt";
  std::string text;
  for (int line = 0; line < 10'000; ++line)
    text += "slogan number " + std::to_string(line) + "\r\n";
  text.resize(text.size() - 2);
  const EncodingCodec codec(TextEncoding::Utf8);
  const LineMatch exactly = [](std::u16string_view a, std::u16string_view b) {
    return a == b;
  };
  const std::u16string shown = *codec.Decode(text);
  const std::u16string stored = shown + u"\r\na new slogan\r\n";
  for (auto _ : state) {
    state.PauseTiming();
    WriteWholeFile(file, text);
    StorageList list;
    StorageLocation location;
    location.beside_program = file;
    LoadStorageListFrom(list, location);
    StorageFileState session = StartStorageSession(list, location, shown);
    if (save_case == SaveCase::MergingAnotherCopy)
      WriteWholeFile(file, text + "\r\nanother copy's slogan");
    state.ResumeTiming();
    const SaveOutcome outcome = SaveStorageListNow(
        session, save_case == SaveCase::Unchanged ? shown : stored,
        SaveMoment::WhileWorking, codec, exactly);
    benchmark::DoNotOptimize(outcome.merged);
  }
}

// Merging a list of 100,000 lines with another writer's, each side having
// changed a different 1% of the lines: the merge a start or a save runs.
void MergeAHundredThousandLines(benchmark::State& state) {
  std::u16string base, theirs, ours;
  for (int line = 0; line < 100'000; ++line) {
    const std::string number = std::to_string(line);
    const std::u16string slogan =
        u"安全第一 " + std::u16string(number.begin(), number.end());
    base += slogan + u"\r\n";
    theirs += (line % 100 == 0 ? u"theirs " : u"") + slogan + u"\r\n";
    ours += (line % 100 == 50 ? u"OURS " : u"") + slogan + u"\r\n";
  }
  // The store rule's comparison, letter case ignored, as the program has it.
  const LineMatch ignoring_case = [](std::u16string_view a,
                                     std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(
               a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
                 const auto lower = [](char16_t c) {
                   return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32)
                                                 : c;
                 };
                 return lower(x) == lower(y);
               });
  };
  for (auto _ : state) {
    const MergedText merged =
        MergeStorageText(base, theirs, ours, ignoring_case);
    benchmark::DoNotOptimize(merged.text.data());
  }
}

// A vote sheet of 100,000 slogans, every one the same or all different:
// the same ones must take about as long.
void VoteSheetOfAHundredThousand(benchmark::State& state, bool all_the_same) {
  std::vector<std::u16string> slogans;
  for (int row = 0; row < 100'000; ++row) {
    const std::string number = all_the_same ? "" : std::to_string(row);
    slogans.push_back(u"安全第一 " +
                      std::u16string(number.begin(), number.end()));
  }
  for (auto _ : state) {
    const std::string sheet =
        VoteSheetCsv(slogans, kDefaultMaxSloganCharacters);
    benchmark::DoNotOptimize(sheet.data());
  }
}

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const BenchData data;

  benchmark::RegisterBenchmark("ReadPhraseFilesOnly", ReadPhraseFilesOnly,
                               &data)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("Generation", Generation, &data)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("FirstGeneration", FirstGeneration, &data)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("LoadStorageFile10MB", LoadStorageFile, &data)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("StoreSlogan100kLines", StoreSloganInALongList)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();

  benchmark::RegisterBenchmark("SaveUnchanged10kLines", SaveTenThousandLines,
                               &data, SaveCase::Unchanged)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("SaveAfterStore10kLines", SaveTenThousandLines,
                               &data, SaveCase::AfterAStore)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("SaveMergingAnotherCopy10kLines",
                               SaveTenThousandLines, &data,
                               SaveCase::MergingAnotherCopy)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();

  benchmark::RegisterBenchmark("Merge100kLinesOnePercentDifferent",
                               MergeAHundredThousandLines)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();

  benchmark::RegisterBenchmark("VoteSheet100kDifferent",
                               VoteSheetOfAHundredThousand, false)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("VoteSheet100kTheSame",
                               VoteSheetOfAHundredThousand, true)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();

  RegisterRhythmBenchmarks(TAVLIN_BUILT_DICTIONARY);
  RegisterLargeListBenchmarks(data.folder());
  RegisterVoteTallyBenchmarks();

  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const auto& times = reporter.milliseconds;
  const auto baseline = times.find("ReadPhraseFilesOnly");
  if (baseline != times.end()) {
    std::printf("\n");
    // Unchanged files are compared, not parsed: close to reading them.
    const struct {
      const char* name;
      double most;
    } ratios[] = {{"Generation", 1.2}, {"FirstGeneration", 2.0}};
    for (const auto& ratio : ratios) {
      const auto generation = times.find(ratio.name);
      if (generation == times.end()) continue;
      std::printf(
          "%s / reading the files only: %.2fx (target: at most %.1fx)\n",
          ratio.name, generation->second / baseline->second, ratio.most);
    }
  }
  const double files = Megabytes(data.phrase_bytes());
  const double limit =
      Megabytes(data.phrase_bytes() * 12 / 10 + 2 * data.phrase_lines());
  std::printf(
      "Peak heap of a first generation: %.1f MB (target: under %.1f MB, 1.2 "
      "times the %.1f MB of phrase files plus 2 bytes for each of %zu "
      "lines)\n",
      Megabytes(PeakHeapOfAFirstGeneration(data)), limit, files,
      data.phrase_lines());
  std::printf(
      "Peak heap of a generation after switching pages: %.1f MB (the other "
      "theme's %.1f MB stay held until each new file is read)\n",
      Megabytes(PeakHeapAfterSwitchingPages(data)), files);
  constexpr std::size_t kBlankFileBytes = 50'000'000;
  std::printf(
      "Heap taken beyond a phrase file of %.0f MB of blank lines while it is "
      "split: %.1f MB (target: well under the file's size)\n",
      Megabytes(kBlankFileBytes),
      Megabytes(HeapBeyondBlankLines(kBlankFileBytes)));
  const auto tally = times.find("TallyVoteSheets200x2000");
  if (tally != times.end())
    std::printf(
        "A tally of %d vote sheets of %d slogans: %.0f ms, %.2f ms a sheet "
        "(target: well under a second in all)\n",
        kTalliedSheets, kSlogansPerSheet, tally->second,
        tally->second / kTalliedSheets);
  ReportLargeListHeap(data.folder());
  ReportWaitDuringSlowSaves(data.folder());
  ReportAgreementWithMecab(TAVLIN_BUILT_DICTIONARY, TAVLIN_MECAB_MORAE);
  return 0;
}
