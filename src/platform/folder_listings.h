// Folders listed once however often they are asked for.
#pragma once

#include <filesystem>
#include <utility>
#include <vector>

namespace tavlin {

// What FileNamesIn gives, each folder listed at its first asking only.
// Reading a list looks for text set aside and for Unicode copies beside
// it, in the user's folder and in the temporary folder, and every list
// beside the program looks in the same folder: one listing each serves
// them all. A listing kept is the folder as it was, so keep one only while
// the files found are read, never for a save that names a new file.
class FolderListings {
 public:
  const std::vector<std::filesystem::path>& FileNamesIn(
      const std::filesystem::path& folder);

 private:
  std::vector<
      std::pair<std::filesystem::path, std::vector<std::filesystem::path>>>
      listed_;
};

}  // namespace tavlin
