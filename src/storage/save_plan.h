// The decision of one save of a storage list, as plain data: from what
// this session last read or wrote at the file, what the file holds now and
// what the box holds, what the list becomes and what is to be written
// where. Nothing here touches a file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "src/platform/file_snapshot.h"
#include "src/platform/text_codec.h"
#include "src/platform/text_encoding.h"
#include "src/storage/storage_merge.h"

namespace tavlin {

// What a session knows of its list's file.
struct ListMemory {
  // The file's bytes as this session last read or wrote them, or that it
  // was missing, or could not be read.
  FileSnapshot last;
  std::u16string last_text;  // the list's text as of then
  // The bytes that text stands for: the file's as loaded, normalised, or
  // as written. An unchanged text is saved as these, whatever a conversion
  // would make of it.
  std::string last_text_bytes;
  // The file's encoding as last read or written; a new file is Shift-JIS.
  TextEncoding encoding = TextEncoding::ShiftJis;
  std::u16string start_text;  // as loaded at start
};

// The bytes a text loaded from file bytes in encoding stands for: for
// Shift-JIS the file's own bytes normalised, so that a character with two
// codes keeps the one the file has; in any other encoding the text's own.
std::string LoadedTextBytes(std::string_view file_bytes, TextEncoding encoding,
                            std::u16string_view text);

// The bytes of text in encoding; where the next load would not read them
// back as this text (a character Shift-JIS cannot hold, bytes that would
// pass for another encoding), in the form with a byte-order mark, UTF-8
// for Shift-JIS, and encoding says so.
std::string EncodeListText(std::u16string_view text, TextEncoding& encoding,
                           const TextCodec& shift_jis);

enum class SaveMoment {
  WhileWorking,   // a store, a pause in typing, a page switch, deactivation
  Closing,        // the window closes
  EndingSession,  // Windows ends: no question can be asked any more
};

struct SavePlan {
  enum class Target {
    None,      // the file already holds these bytes, or nothing is to keep
    File,      // write bytes over the file (or create it)
    SideFile,  // the file cannot be merged with: the text goes beside it
  };
  Target target = Target::None;
  std::u16string text;       // what the list holds after the save
  std::size_t taken_in = 0;  // other writers' lines the merge brought in
  // Lines the box held that another writer deleted from the file.
  std::vector<std::u16string> removed;
  std::string bytes;                               // what the target gets
  TextEncoding encoding = TextEncoding::ShiftJis;  // the bytes' encoding
  // The file's text that the plan was made from, where another writer
  // changed it since the memory's: the base of a merge with a writer that
  // wrote between the plan and the replace.
  std::optional<std::u16string> file_text;
};

// The plan of saving ours over a file that now holds now, in the file's
// encoding (Shift-JIS through shift_jis). A file another writer changed
// since memory.last is merged with; one that cannot be read or does not
// decode cleanly is left as it is, and the session's text goes beside it.
// A file that already holds the bytes is not written; a missing file is
// created when the list has text, or at closing. Where the box is as the
// file was and the file changed, the list becomes the file's text and
// nothing is written. Text Shift-JIS cannot hold makes the file UTF-8
// with its mark. A file and box as last seen cost no work per line.
SavePlan PlanStorageSave(const ListMemory& memory, const FileSnapshot& now,
                         std::u16string_view ours, SaveMoment moment,
                         const TextCodec& shift_jis, const LineMatch& match);

}  // namespace tavlin
