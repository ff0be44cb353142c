// The filled vote sheets the user chose, read for the tally as they lie,
// never written to.
#pragma once

#include <filesystem>
#include <vector>

#include "src/storage/vote_tally.h"

namespace tavlin {

// Each file's bytes, read while other programs keep it open for writing
// as well (Excel holds a sheet it shows); a file that cannot be read, or
// is too large to be a vote sheet, comes with why instead.
std::vector<VoteSheetFile> ReadVoteSheetFiles(
    const std::vector<std::filesystem::path>& paths);

}  // namespace tavlin
