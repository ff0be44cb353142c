// One storage list as a session of the program keeps it, for tests: loaded
// from its place or places, shown as text, and saved as the box's text,
// through the program's own rules with a stand-in for Shift-JIS.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "src/platform/file_access.h"
#include "src/platform/text_codec.h"
#include "src/storage/storage_save.h"
#include "src/storage/storage_start.h"

namespace tavlin {

// Each byte is the character of that code, as Latin-1 has it; but 0xFF,
// which Shift-JIS leaves undefined, does not decode, and a character beyond
// one byte (or 0xFF itself) is written as "?".
class ByteCodec final : public TextCodec {
 public:
  std::optional<std::u16string> Decode(std::string_view bytes) const override;
  std::string Encode(std::u16string_view text, bool& lossy) const override;
};

// The same slogan with ASCII letter case ignored.
bool SameSloganIgnoringCase(std::u16string_view a, std::u16string_view b);

std::u16string U16FromUtf8(std::string_view utf8);
// Bytes as the text ByteCodec decodes them to.
std::u16string Latin1(std::string_view bytes);

class ListSession {
 public:
  // Loads the list as a start does, from its place or both places, ops
  // telling which folders take new files.
  explicit ListSession(const StorageLocation& location,
                       FileOps& ops = SystemFileOps());
  explicit ListSession(const std::filesystem::path& file);

  SaveOutcome Save(std::u16string_view box,
                   SaveMoment moment = SaveMoment::Closing,
                   FileOps& ops = SystemFileOps(),
                   const std::filesystem::path& temporary_folder = {});
  SaveOutcome Save(std::string_view latin1_box,
                   SaveMoment moment = SaveMoment::Closing) {
    return Save(Latin1(latin1_box), moment);
  }

  // Moves the session's clock on, as waiting for a lock would.
  void Wait(std::chrono::seconds time) { now_ += time; }

  const std::u16string& shown() const { return shown_; }
  const std::vector<UserReport>& notices() const { return notices_; }
  bool load_failed() const { return load_failed_; }
  StorageFileState state;

 private:
  std::u16string shown_;
  std::vector<UserReport> notices_;
  bool load_failed_ = false;
  std::chrono::steady_clock::time_point now_ = std::chrono::steady_clock::now();
};

}  // namespace tavlin
