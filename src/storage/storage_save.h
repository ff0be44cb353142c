// Saving a storage list as the user works: under a lock that other copies
// honour, the file is read, the save is planned (merging another writer's
// lines) and the plan carried out; where the file cannot take it, the text
// goes beside it, then to the user's folder, and at the end of a Windows
// session to the temporary folder, never nowhere without a word.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "src/platform/file_access.h"
#include "src/platform/messages.h"
#include "src/storage/save_plan.h"
#include "src/storage/storage_file.h"
#include "src/storage/storage_places.h"

namespace tavlin {

// One list's file as a session keeps it.
struct StorageFileState {
  StorageLocation location;  // loaded_from is the place saves go to
  ListMemory memory;
  // Where this session set its text aside while the file could not take
  // it (beside the file, in the user's folder, in the temporary folder):
  // replaced by its later diversions, and renamed as taken in once the
  // list's own file holds a save.
  std::vector<std::filesystem::path> set_aside;
  // Files a save replaced while another writer's text stood there, kept as
  // side files with their bases until the list's own file holds a save
  // that merged them, then removed.
  std::vector<std::filesystem::path> displaced;
  // What this session last wrote to the copy in the user's folder.
  std::optional<ListMemory> user_copy_memory;
  // Since when another copy has held the list's lock, as saves found it.
  std::optional<std::chrono::steady_clock::time_point> locked_since;
};

// A save held back by another copy's lock longer than this sets the text
// aside, as a failed save does.
inline constexpr std::chrono::seconds kLongestLockWait{10};

struct SaveOutcome {
  enum class Result {
    Done,    // the list is where it belongs, or safe elsewhere as told
    Locked,  // another copy is saving: try again in a moment
    Failed,  // the text could be written nowhere; failure says why
  };
  Result result = Result::Done;
  // The list after the save, where it is not the box's text as given:
  // another writer's lines came in, or went.
  std::optional<std::u16string> merged;
  std::size_t taken_in = 0;
  // Lines the box held that another writer deleted from the file.
  std::vector<std::u16string> removed;
  // Where the text went elsewhere than the list's own file, a report says
  // where; every save that went there says it again.
  bool elsewhere = false;
  std::vector<UserReport> reports;
  std::string failure;
};

// What a save goes by besides the list and its text.
struct SaveRequest {
  SaveMoment moment;
  const TextCodec& shift_jis;
  const LineMatch& match;
  FileOps& ops;
  std::chrono::steady_clock::time_point now;
};

// Why a save left the list's file as it is.
enum class Refusal { Unread, Changed, NotReplaceable, Locked };

// A save the list's file refused: what it was to get, for the detour.
struct RefusedSave {
  Refusal why;
  std::string failure;  // the system's words, where it gave any
  SavePlan plan;
  std::u16string text;  // the list's text after the plan
};

// The save at the list's current place alone, under that file's lock:
// where the file refuses the text, refused says why, and the lock, where
// one was taken, stays held until the caller lets it go.
struct LockedWrite {
  SaveOutcome outcome;
  std::optional<RefusedSave> refused;
  std::unique_ptr<FileLock> lock;
};
LockedWrite SaveAtCurrentPlace(StorageFileState& state,
                               std::u16string_view ours,
                               const SaveRequest& request);

// Saves ours, the box's text, in the file's encoding (Shift-JIS through
// shift_jis), at the moment now. Never waits on another copy's lock: a lock
// nobody holds is broken, a live one gives Locked until it has been held
// for kLongestLockWait, or at once at the end of a Windows session, after
// which the text is set aside.
SaveOutcome SaveStorageListNow(StorageFileState& state,
                               std::u16string_view ours, SaveMoment moment,
                               const TextCodec& shift_jis,
                               const LineMatch& match,
                               FileOps& ops = SystemFileOps(),
                               std::chrono::steady_clock::time_point now =
                                   std::chrono::steady_clock::now());

}  // namespace tavlin
