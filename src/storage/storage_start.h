// The start of a storage list's session: its file loaded from its place or
// places, and what earlier sessions set aside or kept beside it taken in.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "src/platform/file_access.h"
#include "src/platform/folder_listings.h"
#include "src/platform/messages.h"
#include "src/storage/storage_file.h"
#include "src/storage/storage_merge.h"
#include "src/storage/storage_places.h"
#include "src/storage/storage_save.h"

namespace tavlin {

// Takes what was loaded (list, shown as text) as the start of a session.
StorageFileState StartStorageSession(const StorageList& list,
                                     const StorageLocation& location,
                                     std::u16string_view text);

// A list at the start of a session.
struct StorageStart {
  StorageFileState state;
  // What the box shows: the list, merged with the copy in the user's
  // folder where there is one.
  std::u16string shown;
  std::vector<UserReport> notices;
  // Where the list could not be loaded faithfully (its file cannot be read,
  // or does not decode cleanly): why. The list then starts empty, and its
  // file is never written over.
  std::optional<std::string> failure;
};

// Loads a list from its place or places for a session, decoding its file
// in the file's own encoding (Shift-JIS through shift_jis). Text that
// earlier sessions set aside is merged in, each with its base, and lines
// an earlier version kept in Unicode copies beside a Shift-JIS file are
// restored where the file shows them as "?". The folders are listed once,
// in listings where given: lists read together share them.
StorageStart StartStorageList(const StorageLocation& location,
                              const TextCodec& shift_jis,
                              const LineMatch& match,
                              FileOps& ops = SystemFileOps(),
                              FolderListings* listings = nullptr);

}  // namespace tavlin
