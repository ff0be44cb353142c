// What the phrase workshop does, decided without a window: a theme's three
// phrase files, each shown in a box and saved as the user types, kept as
// the storage lists are kept (ListSaving); each line's notes, and the
// share of the theme's slogans that scan, for the margin and the foot;
// sample slogans of the boxes as they stand.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "src/app/list_saving.h"
#include "src/rhythm/mora_meter.h"
#include "src/workshop/phrase_notes.h"
#include "src/workshop/scan_share.h"
#include "src/workshop/workshop_samples.h"

namespace tavlin {

class WorkshopHost final : public ListSaving {
 public:
  // The files of theme in folder; lines are counted with meter, which
  // outlives the host.
  WorkshopHost(std::filesystem::path folder, std::u16string theme,
               const TextCodec& shift_jis, const MoraMeter& meter,
               FileOps& ops = SystemFileOps());
  ~WorkshopHost() override;

  const std::u16string& Theme() const { return theme_; }
  std::filesystem::path FileOf(PhrasePlace place) const;

  // Loads the three files into their boxes, each even when one before it
  // failed; where a save cannot reach a file, its text goes where folders
  // say, as a storage list's does.
  void LoadFiles(const ListFolders& folders);

  // Notes the text a box holds now, and returns its lines' notes.
  const std::vector<LineNote>& Note(PhrasePlace place,
                                    std::u16string_view text);
  // The notes of the text the box held when last noted.
  const std::vector<LineNote>& NotesOf(PhrasePlace place) const {
    return notes_.at(static_cast<std::size_t>(place));
  }
  // Whether the margin and the scan show: not without the dictionary.
  bool Counting() const { return meter_.available(); }
  // The foot's line: the scan of the notes so far, or why there is none.
  std::string FootText() const;
  // Samples drawn from now on with seed, or the next where it is the one
  // they have: others each time. The same seed draws the same lines from
  // the same texts, so that a line mended shows in its sample.
  void NewSamples(std::uint32_t seed) {
    sample_seed_ = seed == sample_seed_ ? seed + 1 : seed;
  }
  WorkshopSamples Samples(const BoxTexts& boxes) const {
    return DrawSamples(boxes, sample_seed_, shift_jis_, meter_);
  }
  // The box the user works in, where notices of its file show.
  void Focus(PhrasePlace place) { active_ = static_cast<std::size_t>(place); }

 protected:
  std::size_t ListCount() const override { return kPhrasePlaces; }
  PageList& ListAt(std::size_t list) override { return files_.at(list); }
  const PageList& ListAt(std::size_t list) const override {
    return files_.at(list);
  }
  std::u16string_view ListName(std::size_t list) const override {
    return names_.at(list);
  }
  std::size_t ActiveListIndex() const override { return active_; }
  // A phrase file nobody typed into stays as it is, or absent.
  bool SavesUntouchedListsAtClose() const override { return false; }

 private:
  std::filesystem::path folder_;
  std::u16string theme_;
  const TextCodec& shift_jis_;
  const MoraMeter& meter_;
  std::uint32_t sample_seed_ = 0;
  MoraCountCache counts_{meter_};
  std::array<std::u16string, kPhrasePlaces> names_;  // the files' names
  std::array<std::vector<LineNote>, kPhrasePlaces> notes_;
  std::size_t active_ = 0;
  std::array<PageList, kPhrasePlaces> files_;
};

}  // namespace tavlin
