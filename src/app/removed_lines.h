// One list's removed lines as a session keeps them: the record in the
// user's folder, shared by every copy and session, and what this session
// removed where no record can be kept. Written beside the window after a
// save, read on the window's thread; the two never run at once (a window
// call waits for the saves under way first).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "src/platform/file_access.h"
#include "src/storage/removed_record.h"

namespace tavlin {

class RemovedLines {
 public:
  // record: where the record lies; empty, kept for the session only.
  void KeepAt(std::filesystem::path record) { record_ = std::move(record); }

  // Adds what a save removed; a record that cannot be written keeps them
  // for the session all the same.
  void Add(std::vector<RemovedLine> added, std::int64_t now, FileOps& ops);
  // Every line the record holds now, newest first, with this session's.
  std::vector<RemovedLine> All() const;
  bool Any() const { return !known_.empty(); }
  // Takes lines out of the record: they are in the list again.
  void Take(const std::vector<std::u16string>& lines, FileOps& ops);
  // Lines dropped at an earlier close and not told of yet; marked told.
  std::size_t TellUntold(FileOps& ops);

 private:
  std::vector<RemovedLine> Read() const;
  // Changes the record under its lock, as read just before.
  template <typename Change>
  void Update(Change change, FileOps& ops);

  std::filesystem::path record_;
  std::vector<RemovedLine> known_;  // as last read or written
  bool unwritten_ = false;          // known_ holds what the record could not
};

// Seconds since 1970, UTC: the times the record keeps.
std::int64_t SecondsNow();

}  // namespace tavlin
