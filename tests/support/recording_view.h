// A window for the host, for tests: boxes that hold text, timers that are
// only noted, and what it was told and asked to show or open, in order.
#pragma once

#include <atomic>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "src/app/main_view.h"

namespace tavlin {

class RecordingView final : public MainView {
 public:
  // The pages whose boxes are made, with what they show.
  std::map<std::size_t, std::u16string> boxes;
  std::map<std::size_t, unsigned> timers;  // the page's save, in ms
  std::vector<Notice> told;
  int closes = 0;
  std::atomic<int> wakes = 0;

  std::optional<std::u16string> ListText(std::size_t page) const override {
    const auto box = boxes.find(page);
    if (box == boxes.end()) return std::nullopt;
    return box->second;
  }
  bool ShowList(std::size_t page, std::u16string_view text) override {
    if (boxes.count(page)) boxes[page] = text;
    return true;
  }
  void ShowMergedList(std::size_t page, std::u16string_view text) override {
    if (boxes.count(page)) boxes[page] = text;
  }
  void SaveListAfter(std::size_t page, unsigned ms) override {
    timers[page] = ms;
  }
  void CancelListSave(std::size_t page) override { timers.erase(page); }
  void Tell(const Notice& notice) override { told.push_back(notice); }
  void CloseAgain() override { ++closes; }
  void WakeForSaveResults() override { ++wakes; }

  // What the main window's host asked for.
  std::vector<std::size_t> pages_shown;
  std::vector<std::size_t> pages_added;
  std::vector<SloganRows> rows_shown;
  int redraws = 0;
  bool generate_enabled = false;
  std::u16string caret_line;
  std::vector<int> box_commands;
  std::vector<std::u16string> copied;
  std::vector<std::u16string> posters;
  int infos = 0;
  std::vector<WorkshopAsked> workshops;
  std::optional<std::filesystem::path> sheet_written;  // by the next export
  std::vector<VoteSheetAsked> sheets;
  std::vector<VoteTallyAsked> tallies;
  std::vector<std::u16string> to_put_back;  // what the user picks

  bool ShowPage(std::size_t page) override {
    pages_shown.push_back(page);
    return boxes.try_emplace(page).second;
  }
  void PageAdded(std::size_t page) override { pages_added.push_back(page); }
  void ShowRows(const SloganRows& rows) override { rows_shown.push_back(rows); }
  void RedrawRows() override { ++redraws; }
  void EnableGenerate(bool enabled) override { generate_enabled = enabled; }
  std::u16string LineAtCaret(std::size_t) const override { return caret_line; }
  void EditList(std::size_t page, const ListEdit& edit) override {
    ApplyStorageEdit(boxes.at(page), edit);
  }
  void RunTextBoxCommand(std::size_t, int command) override {
    box_commands.push_back(command);
  }
  void CopyText(std::u16string_view text) override {
    copied.emplace_back(text);
  }
  void ShowPoster(std::u16string_view, std::u16string_view slogan) override {
    posters.emplace_back(slogan);
  }
  void ShowInfo(std::string_view) override { ++infos; }
  void OpenWorkshop(const WorkshopAsked& asked) override {
    workshops.push_back(asked);
  }
  std::optional<std::filesystem::path> ExportVoteSheet(
      const VoteSheetAsked& asked) override {
    sheets.push_back(asked);
    return sheet_written;
  }
  void TallyVotes(const VoteTallyAsked& asked) override {
    tallies.push_back(asked);
  }
  std::vector<std::u16string> PickRemovedLines(
      std::u16string_view, const std::vector<RemovedLine>&) override {
    return to_put_back;
  }

  // The texts told at place, in order.
  std::vector<std::string> ToldAt(Notice::Place place) const {
    std::vector<std::string> texts;
    for (const Notice& notice : told)
      if (notice.place == place) texts.push_back(notice.report.text);
    return texts;
  }
};

}  // namespace tavlin
