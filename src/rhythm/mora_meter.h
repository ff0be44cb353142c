// The rhythm meter: the reading dictionary and a workplace's own readings
// beside the program, and the counts of phrases made with them.
// Without a whole dictionary it is not available, and says why.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "src/platform/text_codec.h"
#include "src/rhythm/mora_count.h"
#include "src/rhythm/reading_dictionary.h"
#include "src/rhythm/workplace_readings.h"

namespace tavlin {

class MoraMeter {
 public:
  // Reads 読み辞書.dic and 読み.txt from folder; shift_jis decodes a
  // Shift-JIS 読み.txt.
  static MoraMeter Load(const std::filesystem::path& folder,
                        const TextCodec& shift_jis);

  bool available() const { return dictionary_.has_value(); }
  // One line for the information window where it is not available; empty
  // where it is, and before it is loaded.
  const std::string& why_unavailable() const { return why_unavailable_; }
  // The lines of 読み.txt that were not used, to be told once each time
  // the file is read; empty where all were.
  const std::string& readings_notice() const { return readings_notice_; }
  // Reads 読み.txt again where it changed since it was last read, as the
  // phrase files are at every generation; true where it changed (or went).
  bool ReloadWorkplaceReadings(const std::filesystem::path& folder,
                               const TextCodec& shift_jis);

  // Counts with the workplace's readings first; call only where available.
  MoraCount Count(std::u16string_view phrase) const;

 private:
  std::optional<ReadingDictionary> dictionary_;
  WorkplaceReadings workplace_;
  std::string workplace_bytes_;  // 読み.txt as last read; none if none
  std::string why_unavailable_;
  std::string readings_notice_;
};

}  // namespace tavlin
