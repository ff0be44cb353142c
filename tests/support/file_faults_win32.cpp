#include <windows.h>

#include "platform/unique_handle_win32.h"
#include "support/file_faults.h"

namespace fs = std::filesystem;

namespace {

class HeldFile final : public UnreadableFile, public OpenHandle {
 public:
  explicit HeldFile(HANDLE handle) : handle_(handle) {}

 private:
  UniqueFileHandle handle_;
};

}  // namespace

std::unique_ptr<UnreadableFile> MakeUnreadable(const fs::path& file) {
  // A writer keeps readers that deny writing out.
  return std::make_unique<HeldFile>(CreateFileW(
      file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool MakeFolderReadOnly(const fs::path&) { return false; }
void MakeFolderWritable(const fs::path&) {}

std::unique_ptr<OpenHandle> HoldOpen(const fs::path& file, bool& holds) {
  HANDLE handle =
      CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  holds = handle != INVALID_HANDLE_VALUE;
  return std::make_unique<HeldFile>(handle);
}
