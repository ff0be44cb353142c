#include "src/storage/storage_file.h"

#include "src/platform/file_access.h"
#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "src/slogan/phrase_theme.h"
#include "src/storage/storage_text.h"

namespace tavlin {

namespace {

using Kind = FileSnapshot::Kind;

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool EndsFileName(std::filesystem::path::value_type c) {
  return c == '.' || c == '\\' || c == '/' || c == ':';
}

}  // namespace

std::filesystem::path StorageFilePath(const std::filesystem::path& executable,
                                      PhraseCategory category) {
  return StorageFilePath(executable, ThemeName(category));
}

std::filesystem::path StorageFilePath(const std::filesystem::path& executable,
                                      std::u16string_view theme) {
  std::filesystem::path::string_type base = executable.native();
  // Paths are Unicode here, so a Shift-JIS trail byte can never pose as "\".
  std::size_t at = base.size();
  while (at > 0 && !EndsFileName(base[at - 1])) --at;
  if (at > 0 && base[at - 1] == '.') base.erase(at - 1);
  base += std::filesystem::path(std::u16string(theme) + u"保管庫.txt").native();
  return std::filesystem::path(std::move(base));
}

void LoadStorageList(StorageList& list, const std::filesystem::path& path) {
  list.file = TakeFileSnapshot(path);
  list.unicode_copy = {};
  list.unicode_copy_taken = false;
  switch (list.file.kind) {
    case Kind::Unread:
      throw CannotOpenFileError(path);
    case Kind::Read:
      list.text = NormaliseStorageText(list.file.bytes);
      list.unicode_copy = TakeFileSnapshot(UnicodeStorageCopyPath(path));
      break;
    case Kind::Missing:
    case Kind::NotTaken:
      break;
  }
}

void MarkStorageFileUnread(StorageList& list) {
  list.file = {Kind::Unread, {}};
  list.unicode_copy_taken = false;
}

std::optional<std::string> UnicodeTextToShow(
    const StorageList& list,
    const std::function<ShiftJisText(std::string_view utf8)>& to_shift_jis) {
  if (list.file.kind != Kind::Read || list.unicode_copy.kind != Kind::Read)
    return std::nullopt;
  std::string_view text = list.unicode_copy.bytes;
  if (text.starts_with(kUtf8ByteOrderMark))
    text.remove_prefix(kUtf8ByteOrderMark.size());
  if (to_shift_jis(text).bytes() != list.file.bytes) return std::nullopt;
  return std::string(text);
}

std::filesystem::path StorageLockPath(const std::filesystem::path& file) {
  std::filesystem::path lock = file;
  lock.replace_extension(".lock");
  return lock;
}

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
    const std::filesystem::path& storage_file, int number) {
  std::filesystem::path copy = storage_file;
  copy.replace_extension();
  copy += ".unicode";
  if (number > 1) copy += std::to_string(number);
  copy += ".txt";
  return copy;
}

}  // namespace tavlin
