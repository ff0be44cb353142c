#include "src/storage/storage_start.h"

#include <exception>

#include "src/platform/file_access.h"
#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "src/platform/text_encoding.h"
#include "src/storage/storage_merge.h"
#include "src/storage/unicode_copies.h"

namespace tavlin {

namespace {

using Kind = FileSnapshot::Kind;

// The base a copy or set-aside text was written with, in UTF-8 or, once
// taken in, as the text itself; empty where there is none, which makes its
// merge a plain union: nothing lost.
std::u16string BaseText(const std::filesystem::path& base,
                        const TextCodec& shift_jis) {
  const FileSnapshot file = TakeFileSnapshot(base);
  if (file.kind != Kind::Read) return {};
  return EncodingCodec(DetectTextEncoding(file.bytes), &shift_jis)
      .Decode(file.bytes)
      .value_or(std::u16string());
}

// Takes the text of file, a copy or text set aside, into the list shown,
// three ways with its base; the first save of the list renames both.
void TakeInWithBase(StorageStart& start, const std::filesystem::path& file,
                    const StorageList& list, const TextCodec& shift_jis,
                    const LineMatch& match) {
  const StorageTextShown shown = StorageTextToShow(list, shift_jis);
  if (!shown.faithful) return;  // left as it is
  start.shown = MergeStorageText(BaseText(SetAsideBasePath(file), shift_jis),
                                 start.shown, shown.text, match)
                    .text;
  start.state.location.to_take_in.push_back({file, list.file.bytes});
}

// Text that earlier sessions set aside beside place ("<name>.追加分.txt",
// "<name>.追加分2.txt" and on, whatever numbers are missing).
void TakeInSetAside(StorageStart& start, const std::filesystem::path& place,
                    const TextCodec& shift_jis, const LineMatch& match,
                    FolderListings& listings) {
  for (const std::filesystem::path& aside :
       NumberedFilesBeside(place, u8".追加分", &listings)) {
    if (LookAtPath(aside) != PathKind::File) continue;
    StorageList list;
    try {
      LoadStorageList(list, aside);
    } catch (const std::exception&) {
      continue;  // left as it is, and tried again at the next start
    }
    TakeInWithBase(start, aside, list, shift_jis, match);
  }
}

void TakeInEverySetAside(StorageStart& start, const StorageLocation& loaded,
                         const TextCodec& shift_jis, const LineMatch& match,
                         FolderListings& listings) {
  for (const std::filesystem::path* place :
       {&loaded.beside_program, &loaded.in_user_folder,
        &loaded.in_temporary_folder})
    if (!place->empty())
      TakeInSetAside(start, *place, shift_jis, match, listings);
}

}  // namespace

StorageFileState StartStorageSession(const StorageList& list,
                                     const StorageLocation& location,
                                     std::u16string_view text) {
  StorageFileState state;
  state.location = location;
  // A text shown as loaded is written back as those bytes; the normal form
  // is Shift-JIS's bytes normalised, in any other encoding the text's own.
  state.memory.Remember(list.file, text,
                        LoadedTextBytes(list.file.bytes, list.encoding, text),
                        list.encoding);
  state.memory.start = FingerprintOf(text);
  return state;
}

StorageStart StartStorageList(const StorageLocation& location,
                              const TextCodec& shift_jis,
                              const LineMatch& match, FileOps& ops,
                              FolderListings* listings) {
  FolderListings listed_here;
  FolderListings& listed = listings ? *listings : listed_here;
  StorageStart start;
  StorageList list;
  StorageLocation loaded = location;
  LoadedPlaces places;
  try {
    places = LoadStorageListFrom(list, loaded, ops);
  } catch (const std::exception& error) {
    start.state = StartStorageSession(list, loaded, u"");
    start.failure = error.what();
    return start;
  }
  if (places.notice)
    start.notices.push_back({UserReport::Kind::Notice, *places.notice});
  const StorageTextShown shown = StorageTextToShow(list, shift_jis);
  const std::filesystem::path& file = SavePathOf(loaded);
  if (!shown.faithful) {
    list.file = {Kind::Unread, {}};
    start.state = StartStorageSession(list, loaded, u"");
    start.failure = ComposeMessage(kNotDecodedCleanly, {PathForMessage(file)});
    // What earlier sessions set aside beside it shows all the same.
    TakeInEverySetAside(start, loaded, shift_jis, match, listed);
    return start;
  }
  start.state = StartStorageSession(list, loaded, shown.text);
  start.shown = shown.text;
  if (list.encoding == TextEncoding::ShiftJis) {
    RestoredLines restored =
        RestoreFromUnicodeCopies(file, start.shown, shift_jis, listed);
    start.shown = std::move(restored.text);
    for (std::filesystem::path& copy : restored.copies)
      start.state.location.to_take_in.push_back({std::move(copy), {}});
  }
  // With a copy in the user's folder too, the list shown is their merge,
  // the file beside the program first; the first save puts it there.
  if (places.user_copy)
    TakeInWithBase(start, places.user_copy_path, *places.user_copy, shift_jis,
                   match);
  TakeInEverySetAside(start, loaded, shift_jis, match, listed);
  return start;
}

}  // namespace tavlin
