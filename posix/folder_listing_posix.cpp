#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <memory>

#include "src/platform/folder_listing.h"

namespace tavlin {

namespace {

struct DirectoryClose {
  void operator()(DIR* directory) const noexcept { closedir(directory); }
};

// A file system that does not tell the kind in the listing is asked once
// for that entry; a link counts as what it leads to.
bool IsFileEntry(DIR* directory, const dirent& entry) {
  if (entry.d_type == DT_REG) return true;
  if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) return false;
  struct stat info {};
  return fstatat(dirfd(directory), entry.d_name, &info, 0) == 0 &&
         S_ISREG(info.st_mode);
}

}  // namespace

std::vector<std::filesystem::path> FileNamesIn(
    const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> names;
  if (folder.empty()) return names;
  const std::unique_ptr<DIR, DirectoryClose> directory(opendir(folder.c_str()));
  if (!directory) return names;
  while (const dirent* entry = readdir(directory.get()))
    if (IsFileEntry(directory.get(), *entry)) names.emplace_back(entry->d_name);
  return names;
}

}  // namespace tavlin
