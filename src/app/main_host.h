// What the main window does, decided without a window: the pages and which
// one is active, each page whole (its phrases and generations, its holds
// and history, its storage list and the saving of it), the order of a page
// switch and of storing, and what the user is told. The window tells the
// host what happened and shows what it answers (HostView); the program's
// folder, the codec, the seeds and the file system come in from outside.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "src/app/list_saving.h"
#include "src/app/main_view.h"
#include "src/app/page_spec.h"
#include "src/platform/text_codec.h"
#include "src/rhythm/mora_meter.h"
#include "src/slogan/generation_history.h"
#include "src/slogan/phrase_holds.h"
#include "src/slogan/phrase_list.h"
#include "src/slogan/slogan_row.h"
#include "src/ui/slogan_menu.h"

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
  // The page in view; the window's tabs follow it.
  std::size_t Active() const { return active_; }
  const PhraseHolds& Holds() const { return pages_[active_].holds; }
  const GenerationHistory& History() const { return pages_[active_].history; }
  // The rows the list shows now, as the host last told the window.
  const SloganRows& ShownRows() const { return shown_rows_; }

  // The window that shows the host, from its creation on; a view of the
  // lists alone shows no page and opens nothing.
  using ListSaving::Attach;
  void Attach(MainView& view) {
    ListSaving::Attach(view);
    view_ = &view;
  }
  // Where each generation's seed comes from: the clock, in the program;
  // without it every generation draws from the generator's usual seed.
  void UseSeeds(std::function<std::uint32_t()> seeds) {
    seeds_ = std::move(seeds);
  }
  // The window is made: every page's list is loaded, and the first page
  // shows a first generation.
  void Start(const ListFolders& folders);

  // A user's act, as the command table names it: a menu item, a key or a
  // button. row is the list's selected row, where one is.
  void Run(int command, std::optional<std::size_t> row = std::nullopt);
  // The user chose a page: the page left is on disk as it is left, then
  // the chosen one shows with a new generation.
  void ChoosePage(std::size_t page);
  // A theme made in the workshop: its page, last in tab order, its list
  // loaded; nothing beyond the most pages there can be.
  void AddThemePage(PageSpec page);

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
  // Reads the meter's dictionary and the workplace's readings beside the
  // program; a failure is told over the window.
  void LoadMeter();
  const MoraMeter& Meter() const { return meter_; }
  // Whether generations keep to 五・七・五 (the list's menu, off at start).
  bool FiveSevenFive() const { return five_seven_five_; }
  // What the list's menu offers for the selected row, where one is.
  SloganMenuState SloganMenu(std::optional<std::size_t> row) const;

  // Makes page the active one, without showing it.
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
  // The folders of the lists in changed (a bit a page, the first 64)
  // reported a change: each such list looks whether another writer changed
  // it; a failure is told over the window.
  void FoldersChanged(std::uint64_t changed);
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

  // The page actions the commands run, each a function of its own
  // (page_actions.cpp): a new command is a row of the command table and
  // one action there.
  friend struct PageActions;
  const SloganRow* ShownRow(std::optional<std::size_t> row) const;

  std::vector<PageState> pages_;
  std::filesystem::path program_folder_;
  PhraseLists phrases_;  // UpperPhrases, MiddlePhrases, LowerPhrases
  SloganRows empty_;
  std::size_t active_ = 0;
  ListFolders folders_;  // where lists go that their folder cannot take
  MoraMeter meter_;
  bool five_seven_five_ = false;
  MainView* view_ = nullptr;
  std::function<std::uint32_t()> seeds_;
  SloganRows shown_rows_;
  // Where the last vote sheet went this session: the filled ones are
  // looked for there first. Empty until one is written.
  std::filesystem::path vote_sheet_folder_;
};

}  // namespace tavlin
