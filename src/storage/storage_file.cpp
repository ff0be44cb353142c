#include "src/storage/storage_file.h"

#include "src/platform/atomic_save.h"
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

// A safety net against a folder that keeps answering "exists".
constexpr int kMaximumNumberedFiles = 1000;

// Why a list's file is left alone at exit.
enum class LeftAlone { Unread, Changed, NotReplaceable };

std::string_view NoticePattern(LeftAlone why) {
  switch (why) {
    case LeftAlone::Unread:
      return kLeftUnreadFile;
    case LeftAlone::Changed:
      return kLeftChangedFile;
    case LeftAlone::NotReplaceable:
      return kLeftUnreplaceableFile;
  }
  return {};
}

// Writes the text to the first diverted file that is free, together with
// room for its Unicode copy where one is needed.
std::filesystem::path WriteDiverted(const StorageList& list,
                                    const std::filesystem::path& path,
                                    FileOps& ops) {
  for (int number = 1; number <= kMaximumNumberedFiles; ++number) {
    const std::filesystem::path diverted =
        DivertedStorageFilePath(path, number);
    if (!list.unicode_text.empty() &&
        LookAtPath(UnicodeStorageCopyPath(diverted)) != PathKind::Missing)
      continue;
    if (SaveFileAtomically(diverted, list.text.bytes(), ExistingFile::Keep,
                           ops))
      return diverted;
  }
  throw CannotCreateFileError(
      DivertedStorageFilePath(path, kMaximumNumberedFiles));
}

// Keeps the whole text in UTF-8 beside the file it was written to, where
// Shift-JIS could not hold it. Only a copy that the list took in is
// replaced, or removed once an edited text fits Shift-JIS; any other copy
// stays and the new one takes the next free name.
void KeepUnicodeCopy(const StorageList& list, bool untouched,
                     const std::filesystem::path& written, bool in_place,
                     std::vector<std::string>& notices, FileOps& ops) {
  const std::filesystem::path copy = UnicodeStorageCopyPath(written);
  const bool own_copy = in_place && list.unicode_copy_taken &&
                        IsStillAsSnapshot(copy, list.unicode_copy);
  try {
    if (list.unicode_text.empty()) {
      if (own_copy && !untouched) {
        std::error_code ignored;
        std::filesystem::remove(copy, ignored);
      }
      return;
    }
    const std::string bytes =
        std::string(kUtf8ByteOrderMark) + list.unicode_text;
    std::filesystem::path target = copy;
    if (own_copy) {
      SaveFileAtomically(copy, bytes, ExistingFile::Replace, ops);
    } else {
      int number = 1;
      while (!SaveFileAtomically(target, bytes, ExistingFile::Keep, ops)) {
        if (++number > kMaximumNumberedFiles)
          throw CannotCreateFileError(target);
        target = UnicodeStorageCopyPath(written, number);
      }
    }
    notices.push_back(ComposeMessage(
        kKeptUnicodeCopy, {PathForMessage(written), PathForMessage(target)}));
  } catch (const std::exception& error) {
    notices.push_back(error.what());
  }
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

bool IsStorageListUntouched(const StorageList& list) {
  if (list.file.kind == Kind::Read)
    return list.text == NormaliseStorageText(list.file.bytes);
  return list.text.empty();
}

std::vector<std::string> SaveStorageList(const StorageList& list,
                                         const std::filesystem::path& path,
                                         FileOps& ops) {
  if (list.file.kind == Kind::NotTaken) return {};
  std::vector<std::string> notices;
  // Normalising a large file's bytes again is not free: once per save.
  const bool untouched = IsStorageListUntouched(list);
  LeftAlone why = LeftAlone::Unread;
  // A file removed meanwhile holds nothing to lose; any other change is
  // another writer's, and that writer's lines stay.
  const bool missing_now = LookAtPath(path) == PathKind::Missing;
  if (list.file.kind == Kind::Unread) {
    why = LeftAlone::Unread;
  } else if (!missing_now && !IsStillAsSnapshot(path, list.file)) {
    why = LeftAlone::Changed;
  } else {
    // A file that is missing must still be missing when the new one takes
    // its place: one that appears meanwhile is another writer's.
    const ExistingFile existing =
        missing_now ? ExistingFile::Keep : ExistingFile::Replace;
    try {
      if (SaveFileAtomically(path, list.text.bytes(), existing, ops)) {
        KeepUnicodeCopy(list, untouched, path, true, notices, ops);
        return notices;
      }
      why = LeftAlone::Changed;
    } catch (const TavlinError&) {
      // With nothing of the session's to keep, the failure itself is told.
      if (untouched) throw;
      why = LeftAlone::NotReplaceable;
    }
  }
  if (untouched) return notices;
  const std::filesystem::path diverted = WriteDiverted(list, path, ops);
  notices.push_back(ComposeMessage(
      NoticePattern(why), {PathForMessage(path), PathForMessage(diverted)}));
  KeepUnicodeCopy(list, untouched, diverted, false, notices, ops);
  return notices;
}

std::filesystem::path SaveStorageListAsNewFile(
    const StorageList& list, const std::filesystem::path& path,
    std::vector<std::string>& notices, FileOps& ops) {
  const std::filesystem::path written =
      SaveFileAtomically(path, list.text.bytes(), ExistingFile::Keep, ops)
          ? path
          : WriteDiverted(list, path, ops);
  KeepUnicodeCopy(list, false, written, false, notices, ops);
  return written;
}

}  // namespace tavlin
