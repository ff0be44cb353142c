#include "src/workshop/workshop_host.h"

#include <utility>

#include "src/slogan/slogan_generator.h"

namespace tavlin {

WorkshopHost::WorkshopHost(std::filesystem::path folder, std::u16string theme,
                           const TextCodec& shift_jis, const MoraMeter& meter,
                           FileOps& ops)
    : ListSaving(shift_jis, SameLine, ops),
      folder_(std::move(folder)),
      theme_(std::move(theme)),
      shift_jis_(shift_jis),
      meter_(meter) {
  const PhraseFileNames names = PhraseFileNamesOf(theme_);
  names_ = {names.upper.u16string(), names.middle.u16string(),
            names.lower.u16string()};
}

WorkshopHost::~WorkshopHost() { StopSaving(); }

std::filesystem::path WorkshopHost::FileOf(PhrasePlace place) const {
  return folder_ / names_.at(static_cast<std::size_t>(place));
}

void WorkshopHost::LoadFiles(const ListFolders& folders) {
  for (std::size_t place = 0; place < kPhrasePlaces; ++place)
    LoadList(place, PlacesOf(FileOf(static_cast<PhrasePlace>(place)), folders));
}

const std::vector<LineNote>& WorkshopHost::Note(PhrasePlace place,
                                                std::u16string_view text) {
  std::vector<LineNote>& notes = notes_.at(static_cast<std::size_t>(place));
  notes = NotesOfLines(text, place, counts_);
  return notes;
}

std::string WorkshopHost::FootText() const {
  if (!meter_.available()) return meter_.why_unavailable();
  return ScanShareText(ScanShareOf(notes_));
}

}  // namespace tavlin
