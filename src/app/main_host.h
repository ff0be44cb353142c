// What the main window does, decided without a window: the pages and which
// one is active, each page whole (its phrases and generations, its holds
// and history, its storage list and the saving of it), the order of a page
// switch and of storing, and what the user is told. The window tells the
// host what happened and shows what it answers (HostView); the program's
// folder, the codec, the seed and the file system come in from outside.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "src/app/list_saving.h"
#include "src/app/page_spec.h"
#include "src/platform/text_codec.h"
#include "src/rhythm/mora_meter.h"
#include "src/slogan/generation_history.h"
#include "src/slogan/phrase_holds.h"
#include "src/slogan/phrase_list.h"
#include "src/slogan/slogan_row.h"

namespace tavlin {

class MainHost final : public ListSaving {
 public:
  // shift_jis turns phrases into the text rows show, and phrase files in a
  // Unicode encoding into Shift-JIS; storage lists match their lines with
  // match and reach their files through ops.
  MainHost(std::vector<PageSpec> pages, std::filesystem::path program_folder,
           const TextCodec& shift_jis, LineMatch match = SameLine,
           FileOps& ops = SystemFileOps());
  ~MainHost() override;

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
  // What the meter found wrong in 読み.txt is told over the slogan list.
  void UseMeter(MoraMeter meter);
  const MoraMeter& Meter() const { return meter_; }
  // Whether generations keep to 五・七・五 (the list's menu, off at start).
  bool FiveSevenFive() const { return five_seven_five_; }
  void SetFiveSevenFive(bool on) { five_seven_five_ = on; }

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
  const std::u16string& ActiveTheme() const {
    return Page(active_).storage_theme;
  }

  // The storage lists, kept as ListSaving keeps them. Loads every page's
  // list, each even when one before it failed.
  void LoadLists(const ListFolders& folders);
  // Saves the active page's list now, as after a store.
  void SaveActiveList() { SaveList(active_); }
  // A page for a theme made while the program runs, last in tab order,
  // its list loaded; its index.
  std::size_t AddPage(PageSpec page);
  // Phrase files written since the start give their page generations.
  void FindPhraseFiles();

  // Holds part of the row, or lets it go; false where the row has no parts.
  bool ToggleHold(const SloganRow& row, std::size_t part);
  bool IsHeld(const SloganRow& row, std::size_t part) const;

 private:
  struct PageState {
    PageSpec entry;
    PhraseHolds holds;
    GenerationHistory history;
    PageList list;
  };

  std::size_t ListCount() const override { return pages_.size(); }
  PageList& ListAt(std::size_t page) override { return pages_.at(page).list; }
  const PageList& ListAt(std::size_t page) const override {
    return pages_.at(page).list;
  }
  std::u16string_view ListName(std::size_t page) const override {
    return Page(page).storage_theme;
  }
  std::size_t ActiveListIndex() const override { return active_; }
  std::filesystem::path RemovedRecordOf(std::size_t page) const override;
  // Tells what a generation found, over the slogan list.
  void TellOfSlogans(std::string text);

  std::vector<PageState> pages_;
  std::filesystem::path program_folder_;
  PhraseLists phrases_;  // UpperPhrases, MiddlePhrases, LowerPhrases
  SloganRows empty_;
  std::size_t active_ = 0;
  ListFolders folders_;  // where lists go that their folder cannot take
  MoraMeter meter_;
  bool five_seven_five_ = false;
};

}  // namespace tavlin
