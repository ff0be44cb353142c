// The UTF-8 copies that earlier versions kept beside a Shift-JIS list
// ("<name>.unicode.txt", "<name>.unicode2.txt" and on) for characters
// Shift-JIS cannot hold: the list itself shows each such line as its
// Shift-JIS rendering, with "?" where a character was lost.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "src/platform/folder_listings.h"
#include "src/platform/text_codec.h"

namespace tavlin {

struct RestoredLines {
  std::u16string text;
  // The copies read: their lines are the list's once it is saved.
  std::vector<std::filesystem::path> copies;
};

// The list's text, file's as shown, with each line that is the Shift-JIS
// rendering of a copy's line given back that line, in the copies' order;
// any other line, "?" and all, stays as it is.
// The copies are looked for in listings.
RestoredLines RestoreFromUnicodeCopies(const std::filesystem::path& file,
                                       std::u16string_view text,
                                       const TextCodec& shift_jis,
                                       FolderListings& listings);

}  // namespace tavlin
