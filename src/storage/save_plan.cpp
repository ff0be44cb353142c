#include "src/storage/save_plan.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <unordered_map>
#include <vector>

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

// A line the file's encoding could not hold comes back from the file as its
// lossy rendering ("?" for "〜"). Where the session knows the line it
// stands for, theirs gets it back, so that base, theirs and ours meet in
// one domain and the line is neither lost nor doubled.
std::u16string WithKnownLines(std::u16string_view theirs,
                              std::initializer_list<std::u16string_view> known,
                              const TextCodec& codec) {
  std::unordered_map<std::u16string, std::u16string_view> lines_of;
  for (const std::u16string_view text : known) {
    bool lossy = false;
    codec.Encode(text, lossy);
    if (!lossy) continue;
    for (const std::u16string_view line : StorageLines(text)) {
      const std::string bytes = codec.Encode(line, lossy);
      if (!lossy) continue;
      if (std::optional<std::u16string> rendering = codec.Decode(bytes))
        lines_of.emplace(std::move(*rendering), line);
    }
  }
  if (lines_of.empty()) return std::u16string(theirs);
  std::u16string restored;
  restored.reserve(theirs.size());
  const std::vector<std::u16string_view> lines = StorageLines(theirs);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) restored += u"\r\n";
    const auto found = lines_of.find(std::u16string(lines[i]));
    restored += found == lines_of.end() ? lines[i] : found->second;
  }
  return restored;
}

// Sets the bytes of the plan's text in the plan's encoding: the very bytes
// it stood for when it was last read or written, if it is that text still.
void EncodeText(SavePlan& plan, const ListMemory& memory,
                const TextCodec& shift_jis) {
  bool lossy = false;
  std::string encoded =
      EncodingCodec(plan.encoding, &shift_jis).Encode(plan.text, lossy);
  plan.unicode_text = lossy ? Utf8FromU16(plan.text) : std::string();
  const bool as_last =
      plan.text == memory.last_text && plan.encoding == memory.encoding;
  plan.bytes = as_last ? memory.last_text_bytes : std::move(encoded);
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

SavePlan PlanStorageSave(const ListMemory& memory, const FileSnapshot& now,
                         std::u16string_view ours, SaveMoment moment,
                         const TextCodec& shift_jis, const LineMatch& match,
                         const std::u16string* now_in_unicode) {
  SavePlan plan;
  plan.text = ours;
  plan.encoding = memory.encoding;
  plan.own = OwnLinesAfter(memory.own, memory.last_text, ours);
  plan.file_text = memory.last_text;
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
  // The file keeps the encoding it has now, even where another writer
  // changed it; text that any encoding reads alike keeps the list's.
  if (!IsAsciiText(now.bytes)) plan.encoding = DetectTextEncoding(now.bytes);
  const bool changed_meanwhile =
      memory.last.kind != Kind::Read || now.bytes != memory.last.bytes;
  if (changed_meanwhile) {
    std::optional<std::u16string> theirs =
        now_in_unicode
            ? std::optional(*now_in_unicode)
            : EncodingCodec(plan.encoding, &shift_jis).Decode(now.bytes);
    // What would not load whole is never merged with, nor written over.
    if (!theirs || theirs->find(u'\0') != std::u16string::npos)
      return KeepBeside(memory, ours, shift_jis);
    plan.file_text = NormaliseStorageText(*theirs);
    if (plan.encoding == TextEncoding::ShiftJis && !now_in_unicode)
      plan.file_text =
          WithKnownLines(plan.file_text, {ours, memory.last_text}, shift_jis);
    MergedText merged = MergeStorageText(memory.last_text, plan.file_text, ours,
                                         plan.own, match);
    plan.text = std::move(merged.text);
    plan.taken_in = merged.taken_in;
    plan.own = OwnLinesIn(plan.own, plan.text);
    // An emptied file stays as it is, whatever an empty text would be
    // written as in its encoding.
    if (plan.text.empty() && plan.file_text.empty()) {
      plan.bytes = now.bytes;
      return plan;
    }
  }
  EncodeText(plan, memory, shift_jis);
  if (plan.bytes != now.bytes) plan.target = SavePlan::Target::File;
  return plan;
}

}  // namespace tavlin
