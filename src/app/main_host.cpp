#include "src/app/main_host.h"

#include <map>
#include <string>
#include <utility>

#include "src/platform/tavlin_error.h"
#include "src/slogan/slogan_generator.h"
#include "src/storage/removed_record.h"
#include "src/storage/storage_places.h"

namespace tavlin {

namespace {

// Takes a generation's slogans as rows, their parts also in the text the
// screen shows.
class RowCollector final : public SloganListTarget {
 public:
  explicit RowCollector(const TextCodec& shift_jis) : shift_jis_(shift_jis) {}
  void RemoveAll() override { rows.clear(); }
  void Append(ShiftJisView slogan) override {
    SloganRow& row = rows.emplace_back();
    row.has_parts = false;
    row.parts[0] = ShiftJisText(std::string(slogan.bytes()));
    row.shown_parts[0] = Shown(slogan);
  }
  void AppendParts(const ComposedSlogan& slogan) override {
    SloganRow& row = rows.emplace_back();
    for (std::size_t i = 0; i < kPhrasePositions; ++i) {
      row.parts[i] = ShiftJisText(std::string(slogan.parts[i].bytes()));
      row.shown_parts[i] = Shown(slogan.parts[i]);
      row.held[i] = slogan.held[i];
    }
  }

  SloganRows rows;

 private:
  std::u16string Shown(ShiftJisView text) const {
    return shift_jis_.Decode(text.bytes()).value_or(std::u16string());
  }
  const TextCodec& shift_jis_;
};

// The rhythm of a drawn slogan by the meter, each phrase counted once a
// generation however often it is drawn.
class MeteredRhythm final : public SloganRhythmOf {
 public:
  MeteredRhythm(const MoraMeter& meter, const TextCodec& shift_jis)
      : meter_(meter), shift_jis_(shift_jis) {}
  SloganRhythm Of(const ComposedSlogan& slogan) const override {
    SloganRhythm rhythm;
    for (std::size_t i = 0; i < kPhrasePositions; ++i)
      rhythm.parts[i] = CountOf(slogan.parts[i].bytes());
    return rhythm;
  }

 private:
  MoraCount CountOf(std::string_view phrase) const {
    const auto known = counts_.find(phrase);
    if (known != counts_.end()) return known->second;
    const MoraCount count =
        meter_.Count(shift_jis_.Decode(phrase).value_or(std::u16string()));
    counts_.emplace(std::string(phrase), count);
    return count;
  }
  const MoraMeter& meter_;
  const TextCodec& shift_jis_;
  mutable std::map<std::string, MoraCount, std::less<>> counts_;
};

}  // namespace

MainHost::MainHost(std::vector<PageSpec> pages,
                   std::filesystem::path program_folder,
                   const TextCodec& shift_jis, LineMatch match, FileOps& ops)
    : ListSaving(shift_jis, std::move(match), ops),
      program_folder_(std::move(program_folder)) {
  for (PageSpec& entry : pages) pages_.emplace_back().entry = std::move(entry);
  phrases_.shift_jis = &shift_jis_;
}

MainHost::~MainHost() { StopSaving(); }

void MainHost::LoadLists(const ListFolders& folders) {
  folders_ = folders;
  // Every list beside the program looks in the same three folders.
  FolderListings listings;
  for (std::size_t page = 0; page < pages_.size(); ++page)
    LoadList(page, PlacesOf(Page(page).storage_file, folders), &listings);
}

std::filesystem::path MainHost::RemovedRecordOf(std::size_t page) const {
  return RemovedRecordPath(
      UserFolderStoragePath(folders_.user, Page(page).storage_file));
}

void MainHost::TellOfSlogans(std::string text) {
  Tell({Notice::Place::SloganList,
        active_,
        {UserReport::Kind::Notice, std::move(text)}});
}

void MainHost::UseMeter(MoraMeter meter) {
  meter_ = std::move(meter);
  // The rows show their counts, and screen readers read them, from now on.
  if (view_ && meter_.available()) view_->RedrawRows();
  if (!meter_.readings_notice().empty())
    TellOfSlogans(meter_.readings_notice());
}

void MainHost::LoadMeter() {
  try {
    UseMeter(MoraMeter::Load(program_folder_, shift_jis_));
  } catch (...) {
    Tell({Notice::Place::Window, active_, CurrentExceptionReport()});
  }
}

void MainHost::FoldersChanged(std::uint64_t changed) {
  try {
    for (std::size_t page = 0; page < pages_.size() && page < 64; ++page)
      if ((changed >> page & 1) != 0) ListChangedOnDisk(page);
  } catch (...) {
    Tell({Notice::Place::Window, active_, CurrentExceptionReport()});
  }
}

const SloganRows& MainHost::Generate(std::uint32_t seed) {
  const std::optional<std::u16string>& theme = Page(active_).phrase_theme;
  if (!theme) return empty_;
  // A workplace's readings are read again where they changed, as the
  // phrase files are.
  std::string readings_notice;
  if (meter_.available() &&
      meter_.ReloadWorkplaceReadings(program_folder_, shift_jis_))
    readings_notice = meter_.readings_notice();
  RowCollector rows(shift_jis_);
  const MeteredRhythm rhythm(meter_, shift_jis_);
  const bool scan = five_seven_five_ && meter_.available();
  PageState& page = pages_[active_];
  const int scanning =
      GenerateThemeSlogans(program_folder_, *theme, phrases_, seed, rows,
                           &page.holds, scan ? &rhythm : nullptr);
  page.history.Add(std::move(rows.rows));
  // What is wrong with 読み.txt comes first: it may be why few scan.
  if (!readings_notice.empty())
    TellOfSlogans(std::move(readings_notice));
  else if (scan && scanning < kSlogansPerGeneration)
    TellOfSlogans(ComposeMessage(
        kFewFiveSevenFive,
        {std::to_string(kMostFiveSevenFiveDraws), std::to_string(scanning)}));
  return History().Shown();
}

std::size_t MainHost::AddPage(PageSpec page) {
  FinishSaves();  // the pages' lists are the saves' while they run
  pages_.emplace_back().entry = std::move(page);
  const std::size_t added = pages_.size() - 1;
  LoadList(added, PlacesOf(Page(added).storage_file, folders_));
  return added;
}

void MainHost::FindPhraseFiles() {
  for (PageState& page : pages_)
    if (!page.entry.phrase_theme &&
        AnyPhraseFile(program_folder_, page.entry.storage_theme))
      page.entry.phrase_theme = page.entry.storage_theme;
}

SloganMenuState MainHost::SloganMenu(std::optional<std::size_t> row) const {
  const SloganRow* slogan = ShownRow(row);
  SloganMenuState state;
  state.slogan_selected = slogan != nullptr;
  state.any_held = Holds().any();
  state.can_go_back = History().CanGoBack();
  state.can_go_forward = History().CanGoForward();
  for (std::size_t part = 0; slogan && part < kPhrasePositions; ++part)
    state.part_held[part] = IsHeld(*slogan, part);
  state.rhythm_shown = meter_.available();
  state.five_seven_five = five_seven_five_;
  return state;
}

void MainHost::SwitchTo(std::size_t page) {
  active_ = page < pages_.size() ? page : 0;
}

bool MainHost::IsHeld(const SloganRow& row, std::size_t part) const {
  const std::optional<ShiftJisText>& held =
      pages_[active_].holds.phrases.at(part);
  return row.has_parts && held && *held == row.parts[part];
}

bool MainHost::ToggleHold(const SloganRow& row, std::size_t part) {
  if (!row.has_parts || part >= kPhrasePositions) return false;
  std::optional<ShiftJisText>& held = pages_[active_].holds.phrases[part];
  if (IsHeld(row, part))
    held.reset();
  else
    held = row.parts[part];
  return true;
}

}  // namespace tavlin
