#include "src/storage/save_plan.h"

#include <optional>

#include "src/platform/unicode_text.h"
#include "src/storage/storage_text.h"

namespace tavlin {

namespace {

using Kind = FileSnapshot::Kind;

// Sets the bytes of the plan's text: the very bytes it stood for when it
// was last read or written, if it is that text still.
void EncodeText(SavePlan& plan, const ListMemory& memory,
                const TextCodec& codec) {
  bool lossy = false;
  std::string encoded = codec.Encode(plan.text, lossy);
  plan.unicode_text = lossy ? Utf8FromU16(plan.text) : std::string();
  plan.bytes = plan.text == memory.last_text ? memory.last_text_bytes
                                             : std::move(encoded);
}

// The file cannot be merged with: what the session has goes beside it.
SavePlan KeepBeside(const ListMemory& memory, std::u16string_view ours,
                    const TextCodec& codec) {
  SavePlan plan;
  plan.text = ours;
  if (plan.text == memory.start_text) return plan;  // nothing of the session's
  plan.target = SavePlan::Target::SideFile;
  bool lossy = false;
  plan.bytes = codec.Encode(plan.text, lossy);
  plan.unicode_text = lossy ? Utf8FromU16(plan.text) : std::string();
  return plan;
}

}  // namespace

SavePlan PlanStorageSave(const ListMemory& memory, const FileSnapshot& now,
                         std::u16string_view ours, SaveMoment moment,
                         const TextCodec& codec, const LineMatch& match) {
  SavePlan plan;
  plan.text = ours;
  if (memory.last.kind == Kind::NotTaken) return plan;  // never loaded
  switch (now.kind) {
    case Kind::Missing:
      // A file removed meanwhile holds nothing to lose.
      EncodeText(plan, memory, codec);
      if (!plan.bytes.empty() || moment != SaveMoment::WhileWorking)
        plan.target = SavePlan::Target::File;
      return plan;
    case Kind::Unread:
    case Kind::NotTaken:
      return KeepBeside(memory, ours, codec);
    case Kind::Read:
      break;
  }
  const bool changed_meanwhile =
      memory.last.kind != Kind::Read || now.bytes != memory.last.bytes;
  if (changed_meanwhile) {
    const std::optional<std::u16string> theirs =
        codec.Decode(NormaliseStorageText(now.bytes).bytes());
    if (!theirs) return KeepBeside(memory, ours, codec);
    MergedText merged = MergeStorageText(memory.last_text, *theirs, ours,
                                         memory.start_text, match);
    plan.text = std::move(merged.text);
    plan.taken_in = merged.taken_in;
  }
  EncodeText(plan, memory, codec);
  if (plan.bytes != now.bytes) plan.target = SavePlan::Target::File;
  return plan;
}

}  // namespace tavlin
