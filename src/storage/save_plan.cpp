#include "src/storage/save_plan.h"

#include <algorithm>
#include <optional>

#include "src/platform/unicode_text.h"
#include "src/storage/storage_text.h"

namespace tavlin {

namespace {

using Kind = FileSnapshot::Kind;

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x80;
  });
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
  // The file keeps the encoding it has now, even where another writer
  // changed it; text that any encoding reads alike keeps the list's.
  if (!IsAscii(now.bytes)) plan.encoding = DetectTextEncoding(now.bytes);
  const bool changed_meanwhile =
      memory.last.kind != Kind::Read || now.bytes != memory.last.bytes;
  if (changed_meanwhile) {
    const std::optional<std::u16string> theirs =
        EncodingCodec(plan.encoding, &shift_jis).Decode(now.bytes);
    if (!theirs) return KeepBeside(memory, ours, shift_jis);
    MergedText merged =
        MergeStorageText(memory.last_text, NormaliseStorageText(*theirs), ours,
                         memory.start_text, match);
    plan.text = std::move(merged.text);
    plan.taken_in = merged.taken_in;
  }
  EncodeText(plan, memory, shift_jis);
  if (plan.bytes != now.bytes) plan.target = SavePlan::Target::File;
  return plan;
}

}  // namespace tavlin
