// Lists kept in files as the user edits them, each shown in a box of a
// window: loaded at start, saved beside the window after a pause in typing
// and at once when the window closes, tried again as a save found, merged
// with what another writer did, and what the saves have to tell told once.
// The main window's storage lists and the phrase workshop's files are kept
// so; a host names its lists and holds them, this does the rest.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "src/app/host_view.h"
#include "src/app/notice_route.h"
#include "src/app/page_list.h"
#include "src/app/save_worker.h"
#include "src/platform/file_access.h"
#include "src/platform/folder_listings.h"
#include "src/platform/text_codec.h"
#include "src/storage/storage_merge.h"

namespace tavlin {

class ListSaving {
 public:
  // Files in Shift-JIS are written through shift_jis; lines are matched
  // with match; files are reached through ops.
  ListSaving(const TextCodec& shift_jis, LineMatch match, FileOps& ops);
  ListSaving(const ListSaving&) = delete;
  ListSaving& operator=(const ListSaving&) = delete;
  virtual ~ListSaving();

  static bool SameLine(std::u16string_view a, std::u16string_view b) {
    return a == b;
  }

  // The window that shows the lists, from its creation on. What there is
  // to tell is held until the window shows, then told through it.
  void Attach(HostView& view) { view_ = &view; }
  void WindowShows();
  void Tell(Notice notice) { notices_.Tell(std::move(notice)); }

  // Where a list goes when its own folder cannot take it.
  struct ListFolders {
    std::filesystem::path user;       // the user's roaming folder
    std::filesystem::path temporary;  // at the end of a Windows session
  };
  // The places of the list whose own file is file.
  static StorageLocation PlacesOf(const std::filesystem::path& file,
                                  const ListFolders& folders);
  // Loads the list from its place or places; one that failed to load is
  // kept from overwriting its file. Lists loaded together share listings.
  void LoadList(std::size_t list, const StorageLocation& at,
                FolderListings* listings = nullptr);
  // Removes what interrupted saves of earlier sessions left beside the
  // lists' files.
  void RemoveStaleSaves();
  // The list's box is made: it shows what the list holds now.
  void BoxMade(std::size_t list);
  // The list's box was typed into: the list is saved after a pause.
  void ListTyped(std::size_t list);
  // The pause asked for is over (HostView::SaveListAfter).
  void SaveTimeCame(std::size_t list);
  // Saves the list now, beside the window: text, where the caller has the
  // box's text at hand already, else what the box shows.
  void SaveList(std::size_t list,
                std::optional<std::u16string> text = std::nullopt);
  // The list's folder reported a change: where another writer changed the
  // list's file since this session last read or wrote it, the list is
  // saved, which takes their text in (and tells what went) as any save
  // does. Looked at beside the window; the window never waits for it.
  void ListChangedOnDisk(std::size_t list);
  // The files the lists are saved to now, in their order, whose folders a
  // window may watch; asked once the saves under way are done.
  std::vector<std::filesystem::path> ListFiles();
  // Saves the lists typed into, or every list when closing or when Windows
  // ends. While working, saves run beside the window, a list that cannot
  // be saved now is tried again by timer, and notices go to the boxes; at
  // other moments every save is done when this returns, and what they
  // found goes to reports.
  enum class Saved {
    All,      // every list is where it belongs, or safe elsewhere
    Waiting,  // another copy holds a list's lock: tried again shortly
    Failed,   // failure names the list and the reason
  };
  Saved SaveLists(SaveMoment moment, std::string* failure = nullptr,
                  std::vector<UserReport>* reports = nullptr);
  // A close put off while another copy holds a lock: the window is asked
  // to close again once every list is saved.
  void CloseWhenSaved() { close_asked_ = true; }
  // On the window's thread, once woken: takes up what the saves found.
  void TakeSaveResults() { worker_->TakeResults(); }
  // Lines that went out of the list, in this session or an earlier one,
  // that its box does not hold now: newest first.
  bool AnyRemovedLines(std::size_t list) const {
    return ListAt(list).removed.Any();
  }
  std::vector<RemovedLine> RemovedLinesOf(std::size_t list) const;
  // The user picked lines to put back: they leave the record, and those
  // the box does not hold yet are returned, for the box to show again.
  std::vector<std::u16string> PutBack(std::size_t list,
                                      const std::vector<std::u16string>& lines);

 protected:
  // The host's lists, in the order of their boxes.
  virtual std::size_t ListCount() const = 0;
  virtual PageList& ListAt(std::size_t list) = 0;
  virtual const PageList& ListAt(std::size_t list) const = 0;
  // The list's name, as a failure to save it names it.
  virtual std::u16string_view ListName(std::size_t list) const = 0;
  // The list whose box is in view: lines taken in are told of there.
  virtual std::size_t ActiveListIndex() const = 0;
  // Whether a close saves the lists nobody typed into too, merging in
  // what earlier sessions set aside; a host whose untouched files must
  // stay as they are (or absent) says no.
  virtual bool SavesUntouchedListsAtClose() const { return true; }
  // Where the list's removed lines are kept across sessions; nowhere, for
  // the session only.
  virtual std::filesystem::path RemovedRecordOf(std::size_t) const {
    return {};
  }
  // A host ends the saves under way in its destructor, before its lists go.
  void StopSaving();
  // Waits for the saves under way and takes up their results: a host that
  // changes its lists' order or number does so after. Taking up a save
  // typed into while it ran hands over the next one: that one ends too.
  void FinishSaves() {
    do worker_->Finish();
    while (worker_->Busy());
  }

  // How the lists' lines are matched, as storing a slogan matches them.
  const LineMatch& LineMatching() const { return match_; }

  const TextCodec& shift_jis_;

 private:
  // Empties a list whose text could not be shown: its file is then merged
  // with, never written over.
  void DropLoadedText(std::size_t list, UserReport why);
  // The text the list holds now: its box's, or what a box made now would
  // show.
  std::u16string TextOf(std::size_t list) const;
  SaveOutcome::Result Save(std::size_t list, SaveMoment moment,
                           std::vector<UserReport>* reports,
                           std::optional<std::u16string> text = std::nullopt);
  void SaveBesideTheWindow(std::size_t list,
                           std::optional<std::u16string> text);
  // Takes up what a save found: the box shows what the list became, with
  // anything typed since the text was sent merged over it; the list is
  // tried again as the result says; what it has to tell is told.
  SaveOutcome::Result TakeUp(std::size_t list, std::u16string_view sent,
                             SaveOutcome outcome, SaveMoment moment,
                             std::vector<UserReport>* reports,
                             std::vector<std::u16string> deleted);
  // What a save took out of the list, kept to be put back: the user's
  // deletions, once the save has put them on disk, and other writers'.
  void RecordRemoved(std::size_t list, const SaveOutcome& outcome,
                     SaveMoment moment, std::vector<std::u16string> deleted);
  // What a save has to tell, each told once (NoticeRoute::FirstTime).
  void TellOfSave(std::size_t list, SaveOutcome& outcome, SaveMoment moment,
                  std::vector<UserReport>* reports);
  // A close put off by another copy's lock goes on once no list waits.
  void CloseIfNothingWaits();

  LineMatch match_;
  FileOps& ops_;
  HostView* view_ = nullptr;
  NoticeRoute notices_;
  bool close_asked_ = false;
  std::unique_ptr<SaveWorker> worker_;
};

}  // namespace tavlin
