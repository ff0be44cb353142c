// A folder of its own for each test, removed with everything in it when the
// test ends, and small helpers for the files in it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tavlin {

class TempFolder {
 public:
  // In parent, or in the system's temporary folder.
  explicit TempFolder(const std::filesystem::path& parent = {});
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const {
    return path_ / name;
  }

 private:
  std::filesystem::path path_;
};

void WriteBytes(const std::filesystem::path& file, std::string_view bytes);
std::string ReadBytes(const std::filesystem::path& file);
// The names of the entries of a folder, sorted, as UTF-8.
std::vector<std::string> EntriesOf(const std::filesystem::path& folder);
void SetReadOnly(const std::filesystem::path& file, bool read_only);

}  // namespace tavlin
