// Where a save keeps the file it replaces: a side file of the list, its
// base (the file as the save expected it) written first. A writer that
// honours no lock and wrote just before the replace then has its text on
// disk until the save has merged it in, whatever ends the program between;
// the next start takes the side file in three ways, and one that holds
// only what was expected adds nothing.
#pragma once

#include <filesystem>
#include <string_view>

#include "src/platform/file_access.h"

namespace tavlin {

class DisplacedTextKeeper {
 public:
  // A free side-file name beside file, its base holding expected_old;
  // none where none can be made or file is empty, and the save goes on
  // without.
  DisplacedTextKeeper(const std::filesystem::path& file,
                      std::string_view expected_old, FileOps& ops);
  DisplacedTextKeeper(const DisplacedTextKeeper&) = delete;
  DisplacedTextKeeper& operator=(const DisplacedTextKeeper&) = delete;
  // Removes the side file, then its base, unless kept.
  ~DisplacedTextKeeper();

  const std::filesystem::path& path() const { return path_; }
  // The side file holds another writer's text: it stays to be taken in.
  void Keep() { kept_ = true; }

 private:
  FileOps& ops_;
  std::filesystem::path path_;
  bool kept_ = false;
};

}  // namespace tavlin
