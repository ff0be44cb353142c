// The phrase workshop, 語句の編集: a theme's three phrase files side by
// side in text boxes, each line's 音数 in a margin beside it drawn from the
// lines' notes as the user types and scrolls, the share of the theme's slogans
// that scan at the foot, five sample slogans of the boxes as they stand, and
// 新しいテーマ. The files are saved as the user works, as the storage
// lists are. Modal over the main window.
#pragma once

#include <windows.h>

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "src/app/host_view.h"
#include "src/app/window_asks.h"
#include "src/rhythm/mora_meter.h"
#include "src/workshop/workshop_host.h"
#include "src/workshop/workshop_margin.h"
#include "win32/forms/workshop_samples_win32.h"
#include "win32/gui/balloon_tip_win32.h"
#include "win32/gui/close_saving_win32.h"
#include "win32/gui/window_win32.h"
#include "win32/system/shift_jis_codec_win32.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

// What the main window's host asked for, and where a theme made here goes.
struct WorkshopOpening : WorkshopAsked {
  // A theme made here: its page is the main window's to add.
  std::function<void(const std::u16string&)> theme_added;
};

class TWorkshopForm final : public Window, private HostView {
 public:
  TWorkshopForm(HWND owner, WorkshopOpening opening);
  ~TWorkshopForm() override;
  // Shows the window and handles input until it is closed, every file
  // saved.
  void ShowModal();

 private:
  // What the host asks of the window.
  std::optional<std::u16string> ListText(std::size_t file) const override;
  bool ShowList(std::size_t file, std::u16string_view text) override;
  void ShowMergedList(std::size_t file, std::u16string_view text) override;
  void SaveListAfter(std::size_t file, unsigned ms) override;
  void CancelListSave(std::size_t file) override;
  void Tell(const Notice& notice) override;
  void CloseAgain() override;
  void WakeForSaveResults() override;

  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) override;
  void OnCommand(int id, int code, HWND control) override;
  void OnTimer(UINT_PTR id) override;
  void OnDpiChanged(const RECT& suggested) override;
  bool OnMeasureItem(MEASUREITEMSTRUCT& item) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

  void CreateControls();
  void ApplyFont();
  void ApplyLayout();
  // Opens the theme's files in the boxes, with a host of their own.
  void OpenTheme(std::u16string theme);
  // The box's margin and the foot, after its text changed.
  void NoteBox(std::size_t column);
  // The margin is drawn again where the box's lines have moved.
  void FollowBox(std::size_t column, HWND box);
  // The margin's rows for the lines its box shows now.
  std::vector<MarginRow> MarginRowsOf(std::size_t column) const;
  void DrawMargin(std::size_t column, const DRAWITEMSTRUCT& item) const;
  // The samples of the boxes' texts now, drawn with the host's seed.
  void ShowSamples();
  // The chosen sample's lines, selected in their boxes as they are now.
  void ChooseSample();
  void CloseAfterSaving();
  // Tells a failure over the window, as the host tells its own.
  void TellFailure(std::string why);
  void NewThemeClick();
  bool PreTranslateMessage(const MSG& message);
  void MoveFocus(bool backwards);

  static LRESULT CALLBACK BoxProcedure(HWND box, UINT message, WPARAM w,
                                       LPARAM l, UINT_PTR column,
                                       DWORD_PTR form);
  static LRESULT CALLBACK MarginProcedure(HWND margin, UINT message, WPARAM w,
                                          LPARAM l, UINT_PTR column,
                                          DWORD_PTR form);
  HWND Control(int id) const { return GetDlgItem(hwnd(), id); }
  HWND Box(std::size_t column) const;
  HWND Margin(std::size_t column) const;

  WorkshopOpening opening_;
  ShiftJisCodec shift_jis_;
  UniqueFont font_;
  BalloonTip balloon_;
  bool closed_ = false;
  CloseSaving close_saving_;
  bool showing_host_ = false;  // the boxes change, but not by the user
  // The first line each box showed when last looked at.
  std::array<LRESULT, kPhrasePlaces> box_first_{};
  WorkshopSampleList samples_;
  std::optional<WorkshopHost> host_;
};

// Opens the workshop over owner, which takes no input meanwhile; returns
// when it has closed.
void ShowWorkshopForm(HWND owner, WorkshopOpening opening);

}  // namespace tavlin
