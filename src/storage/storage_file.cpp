#include "src/storage/storage_file.h"

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
  list.unicode_copies.clear();
  list.unicode_copy_path.clear();
  list.unicode_copy = {};
  list.unicode_copy_taken = false;
  switch (list.file.kind) {
    case Kind::Unread:
      throw CannotOpenFileError(path);
    case Kind::Read:
      list.text = NormaliseStorageText(list.file.bytes);
      list.encoding = DetectTextEncoding(list.file.bytes);
      // Only a Shift-JIS file needs a copy for what it cannot hold.
      if (list.encoding != TextEncoding::ShiftJis) break;
      for (int number = 1; number <= kMaximumNumberedFiles; ++number) {
        const std::filesystem::path copy = UnicodeStorageCopyPath(path, number);
        FileSnapshot snapshot = TakeFileSnapshot(copy);
        if (snapshot.kind == Kind::Missing) break;
        list.unicode_copies.emplace_back(copy, std::move(snapshot));
      }
      break;
    case Kind::Missing:
    case Kind::NotTaken:
      break;
  }
}

StorageTextShown StorageTextToShow(StorageList& list,
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
  for (const auto& [path, copy] : list.unicode_copies) {
    if (copy.kind != Kind::Read) continue;
    std::optional<std::u16string> text =
        DecodeUnicodeText(copy.bytes, TextEncoding::Utf8WithBom);
    if (text) text = NormaliseStorageText(*text);
    // Both in normal form: the file may since have lost its outer blanks.
    bool lossy = false;
    if (text && shift_jis.Encode(*text, lossy) == list.text.bytes()) {
      shown.text = *text;
      list.unicode_copy_path = path;
      list.unicode_copy = copy;
      list.unicode_copy_taken = true;
      shown.unmatched_copies.clear();
      return shown;
    }
    shown.unmatched_copies.push_back(path);
  }
  return shown;
}

void MarkStorageFileUnread(StorageList& list) {
  list.file = {Kind::Unread, {}};
  list.unicode_copy_taken = false;
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
