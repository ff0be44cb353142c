// Telling another writer's change to a list's file from this session's own,
// when the file's folder reports a change: the file is compared with what
// the session last read or wrote there, so that its own saves, its lock
// file and other files in the folder never count. The file is never opened
// for it: a look that held it open could make another writer's save fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "src/storage/save_plan.h"

namespace tavlin {

// What a look at a list's file found: its size and time, against which
// memory of it.
struct DiskLook {
  std::size_t memory = 0;
  std::uintmax_t size = 0;
  std::optional<std::int64_t> time;
};

// True where the file at path stands where memory saw none, or its size is
// not that of the bytes memory last saw, or its size or time changed since
// the last look (last, updated) against the same memory. The first look
// after memory changed takes a file of the same size for the one memory
// holds: a writer that kept the size within that moment is merged with at
// the next save, as ever. A file gone, or not to be looked at, counts as
// unchanged, as does a list whose file could not be read.
bool ChangedOnDisk(const ListMemory& memory, const std::filesystem::path& path,
                   std::optional<DiskLook>& last);

}  // namespace tavlin
