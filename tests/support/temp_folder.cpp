#include "support/temp_folder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <stdexcept>

namespace tavlin {

namespace fs = std::filesystem;

namespace {

void MakeWritable(const fs::path& root) {
  std::error_code ignored;
  fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ignored);
  for (fs::recursive_directory_iterator it(root, ignored), end; it != end;
       it.increment(ignored)) {
    fs::permissions(it->path(), fs::perms::owner_write,
                    fs::perm_options::add | fs::perm_options::nofollow,
                    ignored);
  }
}

}  // namespace

TempFolder::TempFolder(const fs::path& parent) {
  static std::atomic<int> counter{0};
  const auto stamp =
      std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = (parent.empty() ? fs::temp_directory_path() : parent) /
          ("tavlin-test-" + std::to_string(stamp) + "-" +
           std::to_string(counter++));
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  MakeWritable(path_);
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

void WriteBytes(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write test file");
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read test file");
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> EntriesOf(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    const std::u8string name = entry.path().filename().u8string();
    names.emplace_back(name.begin(), name.end());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void SetReadOnly(const fs::path& file, bool read_only) {
  const fs::perms write =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(file, write,
                  read_only ? fs::perm_options::remove : fs::perm_options::add);
}

}  // namespace tavlin
