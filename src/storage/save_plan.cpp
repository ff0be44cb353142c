#include "src/storage/save_plan.h"

#include <algorithm>
#include <optional>

#include "src/storage/storage_text.h"

namespace tavlin {

namespace {

using Kind = FileSnapshot::Kind;

// Text that every encoding but UTF-16 reads alike. A zero byte is not
// text: it is how UTF-16 writes ASCII.
bool IsAsciiText(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) {
    return c != '\0' && static_cast<unsigned char>(c) < 0x80;
  });
}

// Whether a load tells these bytes' encoding as the one they were written
// in; ASCII reads alike in Shift-JIS and UTF-8 without a mark.
bool ReadsBackAs(std::string_view bytes, TextEncoding encoding) {
  if (bytes.empty() || DetectTextEncoding(bytes) == encoding) return true;
  return IsAsciiText(bytes) &&
         (encoding == TextEncoding::ShiftJis || encoding == TextEncoding::Utf8);
}

TextEncoding WithMark(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::ShiftJis:
    case TextEncoding::Utf8:
      return TextEncoding::Utf8WithBom;
    case TextEncoding::Utf16LeWithoutMark:
      return TextEncoding::Utf16Le;
    case TextEncoding::Utf16BeWithoutMark:
      return TextEncoding::Utf16Be;
    default:
      return encoding;
  }
}

// Sets the bytes of the plan's text in the plan's encoding: the very bytes
// it stood for when it was last read or written, if it is that text still.
void EncodeText(SavePlan& plan, const ListMemory& memory,
                const TextCodec& shift_jis) {
  if (plan.text == memory.last_text && plan.encoding == memory.encoding) {
    plan.bytes = memory.last_text_bytes;
    return;
  }
  plan.bytes = EncodeListText(plan.text, plan.encoding, shift_jis);
}

// The file cannot be merged with: what the session has goes beside it.
SavePlan KeepBeside(const ListMemory& memory, std::u16string_view ours,
                    const TextCodec& shift_jis) {
  SavePlan plan;
  plan.text = ours;
  plan.encoding = memory.encoding;
  if (plan.text == memory.start_text) return plan;  // nothing of the session's
  plan.target = SavePlan::Target::SideFile;
  EncodeText(plan, memory, shift_jis);
  return plan;
}

}  // namespace

std::string LoadedTextBytes(std::string_view file_bytes, TextEncoding encoding,
                            std::u16string_view text) {
  if (encoding == TextEncoding::ShiftJis)
    return NormaliseStorageText(file_bytes).bytes();
  bool lossy = false;
  return EncodeUnicodeText(text, encoding, lossy);
}

std::string EncodeListText(std::u16string_view text, TextEncoding& encoding,
                           const TextCodec& shift_jis) {
  bool lossy = false;
  std::string bytes = EncodingCodec(encoding, &shift_jis).Encode(text, lossy);
  if (!lossy && ReadsBackAs(bytes, encoding)) return bytes;
  if (WithMark(encoding) == encoding) return bytes;
  encoding = WithMark(encoding);
  return EncodeUnicodeText(text, encoding, lossy);
}

SavePlan PlanStorageSave(const ListMemory& memory, const FileSnapshot& now,
                         std::u16string_view ours, SaveMoment moment,
                         const TextCodec& shift_jis, const LineMatch& match) {
  SavePlan plan;
  plan.text = ours;
  plan.encoding = memory.encoding;
  if (memory.last.kind == Kind::NotTaken) return plan;  // never loaded
  switch (now.kind) {
    case Kind::Missing:
      // A file removed meanwhile holds nothing to lose.
      EncodeText(plan, memory, shift_jis);
      if (!plan.bytes.empty() || moment != SaveMoment::WhileWorking)
        plan.target = SavePlan::Target::File;
      return plan;
    case Kind::Unread:
    case Kind::NotTaken:
      return KeepBeside(memory, ours, shift_jis);
    case Kind::Read:
      break;
  }
  const bool changed_meanwhile =
      memory.last.kind != Kind::Read || now.bytes != memory.last.bytes;
  const bool ours_unchanged = ours == memory.last_text;
  if (!changed_meanwhile && ours_unchanged) {
    // Written only where the file is not yet in its normal form.
    plan.bytes = memory.last_text_bytes;
    if (plan.bytes != now.bytes) plan.target = SavePlan::Target::File;
    return plan;
  }
  // The file keeps the encoding it has now, even where another writer
  // changed it; text that any encoding reads alike keeps the list's.
  if (!IsAsciiText(now.bytes)) plan.encoding = DetectTextEncoding(now.bytes);
  if (changed_meanwhile) {
    const std::optional<std::u16string> theirs =
        EncodingCodec(plan.encoding, &shift_jis).Decode(now.bytes);
    // What would not load whole is never merged with, nor written over.
    if (!theirs || theirs->find(u'\0') != std::u16string::npos)
      return KeepBeside(memory, ours, shift_jis);
    const std::u16string& file_text =
        plan.file_text.emplace(NormaliseStorageText(*theirs));
    MergedText merged =
        MergeStorageText(memory.last_text, file_text, ours, match);
    plan.taken_in = merged.taken_in;
    plan.removed = std::move(merged.removed);
    // A box as the file was takes the file as it is now: nothing to write.
    if (ours_unchanged) {
      plan.text = file_text;
      plan.bytes = LoadedTextBytes(now.bytes, plan.encoding, plan.text);
      return plan;
    }
    plan.text = std::move(merged.text);
    // An emptied file stays as it is, whatever an empty text would be
    // written as in its encoding.
    if (plan.text.empty() && file_text.empty()) {
      plan.bytes = now.bytes;
      return plan;
    }
  }
  EncodeText(plan, memory, shift_jis);
  if (plan.bytes != now.bytes) plan.target = SavePlan::Target::File;
  return plan;
}

}  // namespace tavlin
