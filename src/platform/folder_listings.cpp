#include "src/platform/folder_listings.h"

#include "src/platform/folder_listing.h"

namespace tavlin {

const std::vector<std::filesystem::path>& FolderListings::FileNamesIn(
    const std::filesystem::path& folder) {
  // A handful of folders at most: a look through them beats a map's code.
  for (const auto& [listed, names] : listed_)
    if (listed == folder) return names;
  return listed_.emplace_back(folder, tavlin::FileNamesIn(folder)).second;
}

}  // namespace tavlin
