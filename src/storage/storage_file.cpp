#include "src/storage/storage_file.h"

#include <algorithm>
#include <string>

#include "src/platform/file_access.h"
#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "src/slogan/phrase_theme.h"
#include "src/storage/storage_text.h"

namespace tavlin {

namespace {

using Kind = FileSnapshot::Kind;

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
  list.encoding = TextEncoding::ShiftJis;
  switch (list.file.kind) {
    case Kind::Unread:
      throw CannotOpenFileError(path);
    case Kind::Read:
      list.text = NormaliseStorageText(list.file.bytes);
      list.encoding = DetectTextEncoding(list.file.bytes);
      break;
    case Kind::Missing:
    case Kind::NotTaken:
      break;
  }
}

StorageTextShown StorageTextToShow(const StorageList& list,
                                   const TextCodec& shift_jis) {
  StorageTextShown shown;
  if (list.file.kind != Kind::Read) return shown;
  const std::optional<std::u16string> decoded =
      EncodingCodec(list.encoding, &shift_jis).Decode(list.file.bytes);
  // A zero character would cut the text where the box shows it: what
  // follows it would be lost at the first save.
  if (!decoded || decoded->find(u'\0') != std::u16string::npos) {
    shown.faithful = false;
    return shown;
  }
  shown.text = NormaliseStorageText(*decoded);
  return shown;
}

void MarkStorageFileUnread(StorageList& list) {
  list.file = {Kind::Unread, {}};
}

std::filesystem::path StorageLockPath(const std::filesystem::path& file) {
  std::filesystem::path lock = file;
  lock.replace_extension(".lock");
  return lock;
}

std::filesystem::path NumberedBesidePath(const std::filesystem::path& file,
                                         std::u8string_view kind, int number) {
  std::filesystem::path numbered = file;
  numbered.replace_extension();
  numbered += kind;
  if (number > 1) numbered += std::to_string(number);
  numbered += ".txt";
  return numbered;
}

std::filesystem::path DivertedStorageFilePath(
    const std::filesystem::path& storage_file, int number) {
  return NumberedBesidePath(storage_file, u8".追加分", number);
}

std::filesystem::path UnicodeStorageCopyPath(
    const std::filesystem::path& storage_file, int number) {
  return NumberedBesidePath(storage_file, u8".unicode", number);
}

}  // namespace tavlin

namespace tavlin {

std::vector<std::filesystem::path> NumberedFilesBeside(
    const std::filesystem::path& file, std::u8string_view kind,
    FolderListings* listings) {
  const std::u16string first =
      NumberedBesidePath(file, kind, 1).filename().u16string();
  const std::u16string prefix = first.substr(0, first.size() - 4);  // ".txt"
  const std::filesystem::path folder = file.parent_path();
  std::vector<std::pair<long, std::filesystem::path>> found;
  FolderListings listed_here;
  FolderListings& listed_in = listings ? *listings : listed_here;
  for (const std::filesystem::path& listed : listed_in.FileNamesIn(folder)) {
    const std::u16string name = listed.u16string();
    if (name.size() < prefix.size() + 4 ||
        name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - 4, 4, u".txt") != 0)
      continue;
    const std::u16string digits =
        name.substr(prefix.size(), name.size() - prefix.size() - 4);
    if (digits.size() > 6 ||
        !std::all_of(digits.begin(), digits.end(),
                     [](char16_t c) { return c >= u'0' && c <= u'9'; }))
      continue;
    long number = 1;
    if (!digits.empty())
      number = std::stol(std::string(digits.begin(), digits.end()));
    // "<name>.追加分1.txt" is no name the program makes.
    if (!digits.empty() && (number < 2 || digits[0] == u'0')) continue;
    found.emplace_back(number, folder / listed);
  }
  std::sort(found.begin(), found.end());
  std::vector<std::filesystem::path> paths;
  for (auto& [number, path] : found) paths.push_back(std::move(path));
  return paths;
}

}  // namespace tavlin
