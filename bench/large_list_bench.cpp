#include "large_list_bench.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "heap_counter.h"
#include "src/platform/text_encoding.h"
#include "src/storage/storage_merge.h"
#include "src/storage/storage_save.h"
#include "src/storage/storage_start.h"

namespace tavlin {

namespace {

constexpr std::size_t kListBytes = 10'000'000;

const LineMatch kExactly = [](std::u16string_view a, std::u16string_view b) {
  return a == b;
};

// A UTF-8 list of about 10 MB of numbered Japanese slogans.
std::string TenMegabyteList() {
  std::string text;
  text.reserve(kListBytes + 64);
  for (int line = 0; text.size() < kListBytes; ++line)
    text += "\xE5\xAE\x89\xE5\x85\xA8\xE7\xAC\xAC\xE4\xB8\x80 " +
            std::to_string(line) + "\r\n";
  text.resize(text.size() - 2);
  return text;
}

std::filesystem::path WrittenList(const std::filesystem::path& folder) {
  const std::filesystem::path file = folder / "list10mb.txt";
  static const std::string text = TenMegabyteList();
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
  return file;
}

StorageStart Start(const std::filesystem::path& file) {
  StorageLocation location;
  location.beside_program = file;
  return StartStorageList(location, EncodingCodec(TextEncoding::Utf8),
                          kExactly);
}

// The box's text after a store: a string of its own size, as the box holds
// its text.
std::u16string Stored(std::u16string shown) {
  constexpr std::u16string_view kSlogan = u"\r\n新しい標語\r\n";
  std::u16string box;
  box.reserve(shown.size() + kSlogan.size());
  box.append(shown).append(kSlogan);
  return box;
}

void LoadTenMegabytes(benchmark::State& state,
                      const std::filesystem::path* folder) {
  const std::filesystem::path file = WrittenList(*folder);
  for (auto _ : state) {
    const StorageStart start = Start(file);
    benchmark::DoNotOptimize(start.shown.data());
  }
}

// A save as the user works: the box unchanged, or a slogan stored in it.
void SaveTenMegabytes(benchmark::State& state,
                      const std::filesystem::path* folder, bool stored) {
  const std::filesystem::path file = WrittenList(*folder);
  const EncodingCodec codec(TextEncoding::Utf8);
  for (auto _ : state) {
    state.PauseTiming();
    WrittenList(*folder);
    StorageStart start = Start(file);
    if (stored) start.shown = Stored(std::move(start.shown));
    state.ResumeTiming();
    const SaveOutcome outcome = SaveStorageListNow(
        start.state, start.shown, SaveMoment::WhileWorking, codec, kExactly);
    benchmark::DoNotOptimize(outcome.merged);
  }
}

// 40,000 lines that differ from each other only in letter case, each side
// adding its own: every line shares one folded key.
void MergeLinesDifferingInCase(benchmark::State& state) {
  std::u16string base, theirs, ours;
  for (int line = 0; line < 40'000; ++line) {
    std::u16string slogan = u"abcdefghijklmnop";
    for (std::size_t bit = 0; bit < slogan.size(); ++bit)
      if (line & (1 << bit))
        slogan[bit] = static_cast<char16_t>(slogan[bit] - 0x20);
    (line % 2 == 0 ? base : line % 4 == 1 ? theirs : ours) += slogan + u"\r\n";
  }
  theirs = base + theirs;
  ours = base + ours;
  const LineMatch ignoring_case = [](std::u16string_view a,
                                     std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
    return true;
  };
  for (auto _ : state) {
    const MergedText merged =
        MergeStorageText(base, theirs, ours, ignoring_case);
    benchmark::DoNotOptimize(merged.text.data());
  }
}

}  // namespace

void RegisterLargeListBenchmarks(const std::filesystem::path& folder) {
  static const std::filesystem::path where = folder;
  benchmark::RegisterBenchmark("LoadList10MB", LoadTenMegabytes, &where)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("SaveUnchangedList10MB", SaveTenMegabytes,
                               &where, false)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("SaveAfterStoreList10MB", SaveTenMegabytes,
                               &where, true)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("Merge40kLinesDifferingInCase",
                               MergeLinesDifferingInCase)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
}

void ReportLargeListHeap(const std::filesystem::path& folder) {
  const std::filesystem::path file = WrittenList(folder);
  const std::size_t before = HeapBytesInUse();
  ResetHeapPeak();
  std::size_t loading = 0;
  {
    StorageStart start = Start(file);
    loading = HeapPeakBytes() - before;
    start.shown = Stored(std::move(start.shown));
    SaveStorageListNow(start.state, start.shown, SaveMoment::WhileWorking,
                       EncodingCodec(TextEncoding::Utf8), kExactly);
  }
  std::printf(
      "Peak heap of loading a 10 MB list and saving a store into it: %.1f MB "
      "(target: under 100 MB; loading alone %.1f MB)\n",
      static_cast<double>(HeapPeakBytes() - before) / 1e6,
      static_cast<double>(loading) / 1e6);
}

}  // namespace tavlin
