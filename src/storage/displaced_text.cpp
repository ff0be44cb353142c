#include "src/storage/displaced_text.h"

#include <exception>

#include "src/platform/atomic_save.h"
#include "src/storage/storage_file.h"
#include "src/storage/storage_places.h"

namespace tavlin {

DisplacedTextKeeper::DisplacedTextKeeper(const std::filesystem::path& file,
                                         std::string_view expected_old,
                                         FileOps& ops)
    : ops_(ops) {
  if (file.empty()) return;
  for (int number = 1; number <= kMaximumNumberedFiles; ++number) {
    const std::filesystem::path name = DivertedStorageFilePath(file, number);
    if (LookAtPath(name) != PathKind::Missing) continue;
    try {
      // The base first: a side file never stands without it.
      if (!SaveFileAtomically(SetAsideBasePath(name), expected_old,
                              ExistingFile::Keep, ops))
        continue;
    } catch (const std::exception&) {
      return;
    }
    path_ = name;
    return;
  }
}

DisplacedTextKeeper::~DisplacedTextKeeper() {
  if (kept_ || path_.empty()) return;
  ops_.Remove(path_);
  ops_.Remove(SetAsideBasePath(path_));
}

}  // namespace tavlin
