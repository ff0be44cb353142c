// What the main window does, decided without a window: the pages and which
// one is active, each page's holds and history of generations, the phrase
// lists and the generation, and the order of a page switch and of storing.
// The window tells the host what happened and shows what it answers; the
// program's folder, the codec and the seed come in from outside.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "src/app/page_spec.h"
#include "src/platform/text_codec.h"
#include "src/rhythm/mora_meter.h"
#include "src/slogan/generation_history.h"
#include "src/slogan/phrase_holds.h"
#include "src/slogan/phrase_list.h"
#include "src/slogan/slogan_row.h"

namespace tavlin {

class MainHost {
 public:
  // shift_jis turns phrases into the text rows show, and phrase files in a
  // Unicode encoding into Shift-JIS.
  MainHost(std::vector<PageSpec> pages, std::filesystem::path program_folder,
           const TextCodec& shift_jis);

  std::size_t PageCount() const { return pages_.size(); }
  const std::filesystem::path& ProgramFolder() const { return program_folder_; }
  const PageSpec& Page(std::size_t page) const { return pages_.at(page).entry; }
  std::size_t Active() const { return active_; }
  PhraseHolds& Holds() { return pages_[active_].holds; }
  GenerationHistory& History() { return pages_[active_].history; }

  // Whether the active page composes slogans: not without phrase files.
  bool CanGenerate() const { return Page(active_).phrase_theme.has_value(); }
  // The rows of a new generation for the active page, drawn with seed and
  // kept in its history; none for a page without phrase files. A phrase
  // file that cannot be read throws, and nothing changes but the lists
  // read before it.
  const SloganRows& Generate(std::uint32_t seed);

  // The rhythm meter, once loaded; until then, and without a dictionary,
  // rows show no counts and generations ignore 五・七・五.
  void UseMeter(MoraMeter meter) { meter_ = std::move(meter); }
  const MoraMeter& Meter() const { return meter_; }
  // Whether generations keep to 五・七・五 (the list's menu, off at start).
  bool FiveSevenFive() const { return five_seven_five_; }
  void SetFiveSevenFive(bool on) { five_seven_five_ = on; }
  // How many rows of the last generation scan, where it kept to 五・七・五
  // and found fewer than five; nothing otherwise.
  std::optional<int> FewScanning() const { return few_scanning_; }
  // What the last generation found wrong in 読み.txt, read again there
  // because it changed; empty otherwise.
  const std::string& ReadingsNotice() const { return readings_notice_; }

  // What the window does for an event, in this order: the host decides,
  // the window carries it out.
  enum class Step {
    SaveChangedLists,  // every list typed into since its last save
    ShowPage,          // the active page's storage box, holds and history
    Generate,          // a new generation for the active page, shown
    StoreSelected,     // the selected row into the active page's list
    SaveActiveList,    // that list, at once
  };
  using Steps = std::vector<Step>;

  // The user chose another page: the page left is on disk as it is left,
  // then the chosen one shows with a new generation.
  Steps PageChosen(std::size_t page);
  // A double-click or Enter on the list: a stored slogan is on disk at
  // once. Nothing without a selected row.
  Steps StoreAsked(bool row_selected) const;

  // Makes page the active one.
  void SwitchTo(std::size_t page);

  // Holds part of the row, or lets it go; false where the row has no parts.
  bool ToggleHold(const SloganRow& row, std::size_t part);
  bool IsHeld(const SloganRow& row, std::size_t part) const;

 private:
  struct PageState {
    PageSpec entry;
    PhraseHolds holds;
    GenerationHistory history;
  };

  std::vector<PageState> pages_;
  std::filesystem::path program_folder_;
  const TextCodec& shift_jis_;
  PhraseLists phrases_;  // UpperPhrases, MiddlePhrases, LowerPhrases
  SloganRows empty_;
  std::size_t active_ = 0;
  MoraMeter meter_;
  bool five_seven_five_ = false;
  std::optional<int> few_scanning_;
  std::string readings_notice_;
};

}  // namespace tavlin
