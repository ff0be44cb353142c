// The names of a folder's files, from one listing of the folder.
#pragma once

#include <filesystem>
#include <vector>

namespace tavlin {

// The names (not paths) of the files in folder, folders left out, in the
// order the system lists them. Each file's kind comes with the listing:
// nothing is asked of a file on its own, which on a network share would
// cost a round trip for every file beside the program. Empty when folder
// is empty or cannot be listed.
std::vector<std::filesystem::path> FileNamesIn(
    const std::filesystem::path& folder);

}  // namespace tavlin
