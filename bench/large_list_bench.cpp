#include "large_list_bench.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "heap_counter.h"
#include "src/app/save_worker.h"
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

namespace {

// The system's file operations, each taking 200 ms, as an office share that
// answers slowly does.
class SlowFileOps final : public FileOps {
 public:
  CreateResult CreateNew(const std::filesystem::path& path,
                         std::unique_ptr<OutputFile>& file) override {
    Wait();
    return SystemFileOps().CreateNew(path, file);
  }
  bool IsReadOnly(const std::filesystem::path& path) override {
    Wait();
    return SystemFileOps().IsReadOnly(path);
  }
  bool IsFolder(const std::filesystem::path& path) override {
    Wait();
    return SystemFileOps().IsFolder(path);
  }
  bool IsFile(const std::filesystem::path& path) override {
    Wait();
    return SystemFileOps().IsFile(path);
  }
  bool Rename(const std::filesystem::path& from,
              const std::filesystem::path& to, bool replace) override {
    Wait();
    return SystemFileOps().Rename(from, to, replace);
  }
  bool Remove(const std::filesystem::path& path) override {
    Wait();
    return SystemFileOps().Remove(path);
  }
  LockResult TryLock(const std::filesystem::path& path,
                     std::unique_ptr<FileLock>& lock) override {
    Wait();
    return SystemFileOps().TryLock(path, lock);
  }
  bool BreakStaleLock(const std::filesystem::path& path) override {
    Wait();
    return SystemFileOps().BreakStaleLock(path);
  }
  ReplaceResult ReplaceKeepingOld(
      const std::filesystem::path& from, const std::filesystem::path& to,
      const std::filesystem::path& backup) override {
    Wait();
    return SystemFileOps().ReplaceKeepingOld(from, to, backup);
  }

 private:
  static void Wait() {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
};

}  // namespace

void ReportWaitDuringSlowSaves(const std::filesystem::path& folder) {
  const std::filesystem::path file = folder / "slow-list.txt";
  std::ofstream(file, std::ios::binary | std::ios::trunc) << "safety first";
  StorageStart start = Start(file);
  SlowFileOps slow;
  SaveWorker worker(nullptr);
  using Clock = std::chrono::steady_clock;
  Clock::duration longest{};
  const auto timed = [&](auto&& step) {
    const Clock::time_point begun = Clock::now();
    step();
    longest = std::max(longest, Clock::now() - begun);
  };
  std::u16string box = start.shown;
  for (int save = 0; save < 3; ++save) {
    box += u"\r\n標語 " + std::u16string(1, static_cast<char16_t>(u'0' + save));
    timed([&] {
      worker.Post([&start, &slow, sent = box]() -> std::function<void()> {
        SaveStorageListNow(start.state, sent, SaveMoment::WhileWorking,
                           EncodingCodec(TextEncoding::Utf8), kExactly, slow);
        return nullptr;
      });
    });
    // The window's loop meanwhile: it takes up results as they come.
    while (worker.Busy()) {
      timed([&] { worker.TakeResults(); });
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  std::printf(
      "Longest the window's thread waited while three saves ran beside it on "
      "a file layer of 200 ms a call: %.3f ms (target: under 16 ms)\n",
      std::chrono::duration<double, std::milli>(longest).count());
}

}  // namespace tavlin
