#include "src/storage/unicode_copies.h"

#include <deque>
#include <optional>
#include <unordered_map>

#include "src/platform/file_snapshot.h"
#include "src/platform/text_encoding.h"
#include "src/storage/storage_file.h"
#include "src/storage/storage_merge.h"
#include "src/storage/storage_text.h"

namespace tavlin {

RestoredLines RestoreFromUnicodeCopies(const std::filesystem::path& file,
                                       std::u16string_view text,
                                       const TextCodec& shift_jis,
                                       FolderListings& listings) {
  RestoredLines restored{std::u16string(text), {}};
  // Each rendering's lines, in the order the copies hold them, so that
  // "A〜B" and "A♡B", both "A?B" in the list, each come back once.
  std::unordered_map<std::u16string, std::deque<std::u16string>> lines_of;
  for (const std::filesystem::path& copy :
       NumberedFilesBeside(file, u8".unicode", &listings)) {
    const FileSnapshot read = TakeFileSnapshot(copy);
    if (read.kind != FileSnapshot::Kind::Read) continue;
    const std::optional<std::u16string> decoded =
        EncodingCodec(DetectTextEncoding(read.bytes), &shift_jis)
            .Decode(read.bytes);
    if (!decoded) continue;  // no copy of ours: left alone
    restored.copies.push_back(copy);
    const std::u16string tidy = NormaliseStorageText(*decoded);
    for (const std::u16string_view line : StorageLines(tidy)) {
      bool lossy = false;
      const std::string bytes = shift_jis.Encode(line, lossy);
      if (!lossy) continue;
      if (std::optional<std::u16string> rendering = shift_jis.Decode(bytes))
        lines_of[std::move(*rendering)].emplace_back(line);
    }
  }
  if (lines_of.empty()) return restored;
  std::u16string text_now;
  text_now.reserve(text.size());
  const std::vector<std::u16string_view> lines = StorageLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text_now += u"\r\n";
    const auto found = lines_of.find(std::u16string(lines[i]));
    if (found == lines_of.end() || found->second.empty()) {
      text_now += lines[i];
      continue;
    }
    text_now += found->second.front();
    found->second.pop_front();
  }
  restored.text = std::move(text_now);
  return restored;
}

}  // namespace tavlin
