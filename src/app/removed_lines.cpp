#include "src/app/removed_lines.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <memory>
#include <thread>

#include "src/platform/atomic_save.h"

namespace tavlin {

namespace {

// Another copy writes the record for a moment only: waited for briefly,
// then written all the same, as nothing but the record is at stake.
constexpr int kLockTries = 20;
constexpr std::chrono::milliseconds kLockPause{25};

std::filesystem::path LockPathOf(const std::filesystem::path& record) {
  std::filesystem::path lock = record;
  lock += ".lock";
  return lock;
}

}  // namespace

std::int64_t SecondsNow() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

std::vector<RemovedLine> RemovedLines::Read() const {
  if (record_.empty() || LookAtPath(record_) != PathKind::File) return {};
  try {
    return ReadRemovedRecord(ReadWholeFile(record_));
  } catch (const std::exception&) {
    return {};
  }
}

std::vector<RemovedLine> RemovedLines::All() const {
  std::vector<RemovedLine> all = Read();
  if (unwritten_) AddRemoved(all, known_, SecondsNow());
  return all;
}

template <typename Change>
void RemovedLines::Update(Change change, FileOps& ops) {
  std::unique_ptr<FileLock> lock;
  if (!record_.empty()) {
    std::error_code ignored;
    std::filesystem::create_directories(record_.parent_path(), ignored);
    for (int tries = 0; tries < kLockTries; ++tries) {
      if (ops.TryLock(LockPathOf(record_), lock) != LockResult::HeldElsewhere)
        break;
      std::this_thread::sleep_for(kLockPause);
    }
  }
  std::vector<RemovedLine> record = Read();
  // What the session kept where the record could not take it goes first.
  if (unwritten_) AddRemoved(record, known_, SecondsNow());
  change(record);
  known_ = std::move(record);
  unwritten_ = true;
  if (record_.empty()) return;
  try {
    SaveFileAtomically(record_, RemovedRecordBytes(known_),
                       ExistingFile::Replace, ops);
    unwritten_ = false;
  } catch (const std::exception&) {
  }
}

void RemovedLines::Add(std::vector<RemovedLine> added, std::int64_t now,
                       FileOps& ops) {
  if (added.empty()) return;
  Update([&](std::vector<RemovedLine>& record) { AddRemoved(record, added, now); },
         ops);
}

void RemovedLines::Take(const std::vector<std::u16string>& lines,
                        FileOps& ops) {
  const auto taken = [&](const RemovedLine& entry) {
    return std::find(lines.begin(), lines.end(), entry.line) != lines.end();
  };
  Update(
      [&](std::vector<RemovedLine>& record) { std::erase_if(record, taken); },
      ops);
}

std::size_t RemovedLines::TellUntold(FileOps& ops) {
  const std::vector<RemovedLine> record = All();
  known_ = record;
  const auto untold = std::count_if(
      record.begin(), record.end(),
      [](const RemovedLine& entry) { return !entry.told; });
  if (untold == 0) return 0;
  Update(
      [](std::vector<RemovedLine>& now) {
        for (RemovedLine& entry : now) entry.told = true;
      },
      ops);
  return static_cast<std::size_t>(untold);
}

}  // namespace tavlin
