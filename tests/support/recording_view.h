// A window for the host, for tests: boxes that hold text, timers that are
// only noted, and the notices it was told, in order.
#pragma once

#include <atomic>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "src/app/host_view.h"

namespace tavlin {

class RecordingView final : public HostView {
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

  // The texts told at place, in order.
  std::vector<std::string> ToldAt(Notice::Place place) const {
    std::vector<std::string> texts;
    for (const Notice& notice : told)
      if (notice.place == place) texts.push_back(notice.report.text);
    return texts;
  }
};

}  // namespace tavlin
