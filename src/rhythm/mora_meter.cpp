#include "src/rhythm/mora_meter.h"

#include <system_error>

#include "src/platform/file_access.h"
#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "src/platform/text_encoding.h"
#include "src/platform/unicode_text.h"

namespace tavlin {

namespace {

std::string LineNumbers(const std::vector<std::size_t>& numbers) {
  std::string text;
  for (const std::size_t number : numbers)
    text += (text.empty() ? "" : ", ") + std::to_string(number);
  return text;
}

}  // namespace

MoraMeter MoraMeter::Load(const std::filesystem::path& folder,
                          const TextCodec& shift_jis) {
  MoraMeter meter;
  const std::filesystem::path dictionary = folder / kReadingDictionaryFileName;
  if (!IsExistingFile(dictionary)) {
    meter.why_unavailable_ = ComposeMessage(
        kNoReadingDictionary, {PathForMessage(dictionary.filename())});
    return meter;
  }
  std::string error;
  // A dictionary is well under a megabyte: a file far larger is not one,
  // and is not read into memory to find that out.
  constexpr std::uintmax_t kLargestDictionary = 16u << 20;
  std::error_code size_error;
  const std::uintmax_t size =
      std::filesystem::file_size(dictionary, size_error);
  try {
    if (size_error || size > kLargestDictionary)
      error = kDamagedReadingDictionary;
    else
      meter.dictionary_ =
          ReadingDictionary::FromBytes(ReadWholeFile(dictionary), &error);
  } catch (const TavlinError& failure) {
    error = failure.what();
  }
  if (!meter.dictionary_) {
    meter.why_unavailable_ =
        ComposeMessage(kUnusableReadingDictionary,
                       {PathForMessage(dictionary.filename()), error});
    return meter;
  }

  meter.ReloadWorkplaceReadings(folder, shift_jis);
  return meter;
}

bool MoraMeter::ReloadWorkplaceReadings(const std::filesystem::path& folder,
                                        const TextCodec& shift_jis) {
  const std::filesystem::path readings = folder / kWorkplaceReadingsFileName;
  std::optional<std::string> bytes;
  try {
    // A file that went is as one emptied.
    if (IsExistingFile(readings))
      bytes = ReadWholeFileIfChanged(readings, workplace_bytes_);
    else if (!workplace_bytes_.empty())
      bytes = std::string();
  } catch (const TavlinError&) {
    // Held open by an editor that shares nothing: tried again next time.
  }
  if (!bytes) return false;
  workplace_bytes_ = std::move(*bytes);
  workplace_ = WorkplaceReadings();
  readings_notice_.clear();
  const TextEncoding encoding = DetectTextEncoding(workplace_bytes_);
  const std::optional<std::u16string> text =
      encoding == TextEncoding::ShiftJis
          ? shift_jis.Decode(workplace_bytes_)
          : DecodeUnicodeText(workplace_bytes_, encoding);
  if (!text) {
    readings_notice_ = ComposeMessage(kUnreadableWorkplaceReadings,
                                      {PathForMessage(readings.filename())});
    return true;
  }
  std::vector<std::size_t> bad_lines;
  workplace_ = WorkplaceReadings::FromText(*text, bad_lines);
  if (!bad_lines.empty())
    readings_notice_ = ComposeMessage(
        kBadWorkplaceReadings,
        {PathForMessage(readings.filename()), LineNumbers(bad_lines)});
  return true;
}

MoraCount MoraMeter::Count(std::u16string_view phrase) const {
  if (!dictionary_) return MoraCount{0, false, false};
  return CountMorae(phrase, workplace_.empty() ? nullptr : &workplace_,
                    *dictionary_);
}

}  // namespace tavlin
