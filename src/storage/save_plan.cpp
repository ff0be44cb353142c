#include "src/storage/save_plan.h"

#include <algorithm>
#include <optional>

#include "src/platform/unicode_text.h"
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
  if (bytes.empty()) return true;
  // UTF-8 as written is valid throughout: only a leading mark, which the
  // text's own U+FEFF makes, would be taken for something else.
  if (encoding == TextEncoding::Utf8) return !bytes.starts_with("\xEF\xBB\xBF");
  if (DetectTextEncoding(bytes) == encoding) return true;
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

// Sets the bytes of text, the plan's, in the plan's encoding: the very
// bytes it stood for when it was last read or written, if it is that text
// still.
void EncodeText(SavePlan& plan, std::u16string_view text,
                const ListMemory& memory, const TextCodec& shift_jis) {
  if (SameText(text, memory.last_text) && plan.encoding == memory.encoding) {
    plan.bytes = memory.TextBytes();
    return;
  }
  plan.bytes = EncodeListText(text, plan.encoding, shift_jis);
}

// The file cannot be merged with: what the session has goes beside it.
SavePlan KeepBeside(const ListMemory& memory, std::u16string_view ours,
                    const TextCodec& shift_jis) {
  SavePlan plan;
  plan.encoding = memory.encoding;
  if (memory.NothingOfTheSession(ours)) return plan;
  plan.target = SavePlan::Target::SideFile;
  EncodeText(plan, ours, memory, shift_jis);
  return plan;
}

// Another writer changed the file since the session last saw it: merged
// with, in the encoding the file has now; text that any encoding reads
// alike keeps the list's.
SavePlan PlanOverChangedFile(const ListMemory& memory, const FileSnapshot& now,
                             std::u16string_view ours,
                             const TextCodec& shift_jis,
                             const LineMatch& match) {
  SavePlan plan;
  plan.encoding =
      IsAsciiText(now.bytes) ? memory.encoding : DetectTextEncoding(now.bytes);
  const std::optional<std::u16string> theirs =
      EncodingCodec(plan.encoding, &shift_jis).Decode(now.bytes);
  // What would not load whole is never merged with, nor written over.
  if (!theirs || theirs->find(u'\0') != std::u16string::npos)
    return KeepBeside(memory, ours, shift_jis);
  const std::u16string& file_text =
      plan.file_text.emplace(NormaliseStorageText(*theirs));
  plan.file_encoding = plan.encoding;
  MergedText merged =
      MergeStorageText(memory.last_text, file_text, ours, match);
  plan.taken_in = merged.taken_in;
  plan.removed = std::move(merged.removed);
  // A box as the file was takes the file as it is now: nothing to write.
  if (SameText(ours, memory.last_text)) {
    plan.bytes = LoadedTextBytes(now.bytes, plan.encoding, file_text);
    if (!SameText(file_text, ours)) plan.merged = file_text;
    return plan;
  }
  if (!SameText(merged.text, ours)) plan.merged = std::move(merged.text);
  // An emptied file stays as it is, whatever an empty text would be
  // written as in its encoding.
  if (TextAfter(plan, ours).empty() && file_text.empty()) {
    plan.bytes = now.bytes;
    return plan;
  }
  EncodeText(plan, TextAfter(plan, ours), memory, shift_jis);
  if (plan.bytes != now.bytes) plan.target = SavePlan::Target::File;
  return plan;
}

}  // namespace

TextFingerprint FingerprintOf(std::u16string_view text) {
  // FNV-1a and a multiplicative hash with another constant, in one pass.
  TextFingerprint print;
  print.size = text.size();
  for (const char16_t unit : text) {
    print.first = (print.first ^ unit) * 1099511628211ull;
    print.second = (print.second + unit + 1) * 0x9E3779B97F4A7C15ull;
  }
  return print;
}

void ListMemory::Remember(FileSnapshot file, std::u16string_view text,
                          std::optional<std::string> bytes, TextEncoding in) {
  last = std::move(file);
  // The text may be a view of last_text itself; a longer one gets a string
  // of its own size, not twice the old one's.
  if (!SameText(last_text, text)) {
    if (text.size() <= last_text.capacity())
      last_text = text;
    else
      last_text = std::u16string(text);
  }
  if (bytes && *bytes == last.bytes) bytes.reset();
  text_bytes = std::move(bytes);
  encoding = in;
}

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
  plan.encoding = memory.encoding;
  if (memory.last.kind == Kind::NotTaken) return plan;  // never loaded
  switch (now.kind) {
    case Kind::Missing:
      // A file removed meanwhile holds nothing to lose.
      EncodeText(plan, ours, memory, shift_jis);
      if (!plan.bytes.empty() || moment != SaveMoment::WhileWorking)
        plan.target = SavePlan::Target::File;
      return plan;
    case Kind::Unread:
    case Kind::NotTaken:
      return KeepBeside(memory, ours, shift_jis);
    case Kind::Read:
      break;
  }
  if (memory.last.kind != Kind::Read || now.bytes != memory.last.bytes)
    return PlanOverChangedFile(memory, now, ours, shift_jis, match);
  // A file and box as last seen are written only where the file is not
  // yet in its normal form.
  EncodeText(plan, ours, memory, shift_jis);
  if (plan.bytes != now.bytes) plan.target = SavePlan::Target::File;
  return plan;
}

}  // namespace tavlin
