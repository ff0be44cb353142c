#include "support/list_session.h"

#include "src/platform/text_encoding.h"

namespace tavlin {

std::optional<std::u16string> ByteCodec::Decode(std::string_view bytes) const {
  std::u16string text;
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) == 0xFF) return std::nullopt;
    text += static_cast<char16_t>(static_cast<unsigned char>(c));
  }
  return text;
}

std::string ByteCodec::Encode(std::u16string_view text, bool& lossy) const {
  std::string bytes;
  lossy = false;
  for (const char16_t c : text) {
    const bool fits = c < 0xFF;
    lossy = lossy || !fits;
    bytes += fits ? static_cast<char>(c) : '?';
  }
  return bytes;
}

bool SameSloganIgnoringCase(std::u16string_view a, std::u16string_view b) {
  const auto lower = [](char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
  };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

std::u16string U16FromUtf8(std::string_view utf8) {
  return EncodingCodec(TextEncoding::Utf8).Decode(utf8).value();
}

std::u16string Latin1(std::string_view bytes) {
  std::u16string text;
  for (const char c : bytes)
    text += static_cast<char16_t>(static_cast<unsigned char>(c));
  return text;
}

namespace {

StorageLocation BesideOnly(const std::filesystem::path& file) {
  StorageLocation location;
  location.beside_program = file;
  return location;
}

}  // namespace

ListSession::ListSession(const std::filesystem::path& file)
    : ListSession(BesideOnly(file)) {}

ListSession::ListSession(const StorageLocation& location, FileOps& ops) {
  StorageStart start =
      StartStorageList(location, ByteCodec(), SameSloganIgnoringCase, ops);
  state = std::move(start.state);
  shown_ = std::move(start.shown);
  notices_ = std::move(start.notices);
  load_failed_ = start.failure.has_value();
}

SaveOutcome ListSession::Save(std::u16string_view box, SaveMoment moment,
                              FileOps& ops,
                              const std::filesystem::path& temporary_folder) {
  if (!temporary_folder.empty())
    state.location.in_temporary_folder =
        temporary_folder / state.location.beside_program.filename();
  SaveOutcome outcome = SaveStorageListNow(state, box, moment, ByteCodec(),
                                           SameSloganIgnoringCase, ops, now_);
  shown_ = outcome.merged.value_or(std::u16string(box));
  return outcome;
}

}  // namespace tavlin
