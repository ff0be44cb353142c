#include <windows.h>

#include "src/platform/folder_listing.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

std::vector<std::filesystem::path> FileNamesIn(
    const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> names;
  if (folder.empty()) return names;
  WIN32_FIND_DATAW found{};
  // The basic form leaves out the short names, which nobody here reads.
  const UniqueFindHandle search(FindFirstFileExW(
      (folder / L"*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
      nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!search) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
      names.emplace_back(found.cFileName);
  } while (FindNextFileW(search.get(), &found));
  return names;
}

}  // namespace tavlin
