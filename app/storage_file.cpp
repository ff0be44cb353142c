#include "app/storage_file.h"

#include "app/storage_text.h"
#include "platform/atomic_save.h"
#include "platform/file_access.h"
#include "platform/tavlin_error.h"

namespace {

bool EndsFileName(std::filesystem::path::value_type c) {
  return c == '.' || c == '\\' || c == '/' || c == ':';
}

std::filesystem::path StorageSuffix(PhraseCategory category) {
  return category == PhraseCategory::Safety ? u8"安全保管庫.txt"
                                            : u8"品質保管庫.txt";
}

// A safety net against a folder that keeps answering "exists".
constexpr int kMaximumDivertedFiles = 1000;

}  // namespace

std::filesystem::path StorageFilePath(const std::filesystem::path& executable,
                                      PhraseCategory category) {
  std::filesystem::path::string_type base = executable.native();
  // Paths are Unicode here, so a Shift-JIS trail byte can never pose as "\".
  std::size_t at = base.size();
  while (at > 0 && !EndsFileName(base[at - 1])) --at;
  if (at > 0 && base[at - 1] == '.') base.erase(at - 1);
  base += StorageSuffix(category).native();
  return std::filesystem::path(std::move(base));
}

void LoadStorageList(StorageList& list, const std::filesystem::path& path) {
  if (!IsExistingFile(path)) return;
  std::string bytes;
  try {
    bytes = ReadWholeFile(path);
  } catch (...) {
    MarkStorageFileUnread(list);
    throw;
  }
  list.text = NormaliseStorageText(bytes);
}

void MarkStorageFileUnread(StorageList& list) { list.file_unread = true; }

std::filesystem::path DivertedStorageFilePath(
    const std::filesystem::path& storage_file, int number) {
  std::filesystem::path diverted = storage_file;
  diverted.replace_extension();
  diverted += u8".追加分";
  if (number > 1) diverted += std::to_string(number);
  diverted += ".txt";
  return diverted;
}

std::filesystem::path UnicodeStorageCopyPath(
    const std::filesystem::path& storage_file) {
  std::filesystem::path copy = storage_file;
  copy.replace_extension();
  copy += ".unicode.txt";
  return copy;
}

std::optional<std::string> SaveStorageList(const StorageList& list,
                                           const std::filesystem::path& path) {
  if (!list.file_unread) {
    SaveFileAtomically(path, list.text, ExistingFile::Replace);
    return std::nullopt;
  }
  if (list.text.empty()) return std::nullopt;
  for (int number = 1; number <= kMaximumDivertedFiles; ++number) {
    const std::filesystem::path diverted =
        DivertedStorageFilePath(path, number);
    if (SaveFileAtomically(diverted, list.text, ExistingFile::Keep)) {
      return ComposeMessage(
          "ファイル %s は読み込めなかったため、そのままにしました。"
          "保管庫の内容は %s に保存しました",
          {PathForMessage(path), PathForMessage(diverted)});
    }
  }
  throw TavlinError(ComposeMessage(
      "ファイル %s を作成できません",
      {PathForMessage(DivertedStorageFilePath(path, kMaximumDivertedFiles))}));
}

std::vector<std::string> SaveStorageLists(
    const std::vector<std::pair<const StorageList*, std::filesystem::path>>&
        lists) {
  std::vector<std::string> reports;
  for (const auto& [list, path] : lists) {
    try {
      if (std::optional<std::string> notice = SaveStorageList(*list, path))
        reports.push_back(std::move(*notice));
    } catch (const std::exception& error) {
      reports.push_back(error.what());
    }
  }
  return reports;
}
