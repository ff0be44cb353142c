// The decision of one save of a storage list, as plain data: from what
// this session last read or wrote at the file, what the file holds now and
// what the box holds, what the list becomes and what is to be written
// where. Nothing here touches a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "src/platform/file_snapshot.h"
#include "src/platform/text_codec.h"
#include "src/platform/text_encoding.h"
#include "src/storage/storage_merge.h"

namespace tavlin {

// A text told apart from others by its length and two hashes, where
// keeping a second copy of a list of megabytes would cost its size again.
struct TextFingerprint {
  // As made, that of the empty text.
  std::size_t size = 0;
  std::uint64_t first = 14695981039346656037ull, second = 0;
  bool operator==(const TextFingerprint&) const = default;
};
TextFingerprint FingerprintOf(std::u16string_view text);

// What a session knows of its list's file.
struct ListMemory {
  // The file's bytes as this session last read or wrote them, or that it
  // was missing, or could not be read.
  FileSnapshot last;
  std::u16string last_text;  // the list's text as of then
  // The bytes that text stands for, where they are not last's own bytes:
  // the file's as loaded, normalised. An unchanged text is saved as these,
  // whatever a conversion would make of it.
  std::optional<std::string> text_bytes;
  // The file's encoding as last read or written; a new file is Shift-JIS.
  TextEncoding encoding = TextEncoding::ShiftJis;
  TextFingerprint start;  // the text as loaded at start

  const std::string& TextBytes() const {
    return text_bytes ? *text_bytes : last.bytes;
  }
  // Remembers that the file holds file, standing for text in bytes
  // (nothing: the file's own bytes).
  void Remember(FileSnapshot file, std::u16string_view text,
                std::optional<std::string> bytes, TextEncoding in);
  // Whether text holds nothing the session did: the text as loaded, with
  // nothing written since. A box undone to the text as loaded after a save
  // changed the file is the session's own, to keep.
  bool NothingOfTheSession(std::u16string_view text) const {
    return FingerprintOf(text) == start && FingerprintOf(last_text) == start;
  }
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
  // What the list holds after the save, where that is not the box's text
  // as given (another writer's lines merged in or taken): the box's text
  // is never copied for nothing.
  std::optional<std::u16string> merged;
  std::size_t taken_in = 0;  // other writers' lines the merge brought in
  // Lines the box held that another writer deleted from the file.
  std::vector<std::u16string> removed;
  std::string bytes;                               // what the target gets
  TextEncoding encoding = TextEncoding::ShiftJis;  // the bytes' encoding
  // The file's text that the plan was made from, where another writer
  // changed it since the memory's: the base of a merge with a writer that
  // wrote between the plan and the replace.
  std::optional<std::u16string> file_text;
  TextEncoding file_encoding = TextEncoding::ShiftJis;  // file_text's file's
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
// What the list holds after a save planned with ours as the box's text.
inline std::u16string_view TextAfter(const SavePlan& plan,
                                     std::u16string_view ours) {
  return plan.merged ? std::u16string_view(*plan.merged) : ours;
}

SavePlan PlanStorageSave(const ListMemory& memory, const FileSnapshot& now,
                         std::u16string_view ours, SaveMoment moment,
                         const TextCodec& shift_jis, const LineMatch& match);

}  // namespace tavlin
