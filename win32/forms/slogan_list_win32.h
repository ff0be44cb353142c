// The main window's list of fresh slogans: what a generation puts there,
// each page's history of generations to page back and forth through, how
// each row is drawn (held parts in bold), copying a slogan, holding its
// parts and the list's context menu.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "src/platform/shift_jis_text.h"
#include "src/slogan/generation_history.h"
#include "src/slogan/phrase_holds.h"
#include "src/slogan/slogan_generator.h"
#include "src/slogan/slogan_row.h"
#include "src/ui/main_form_ids.h"
#include "win32/gui/balloon_tip_win32.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

class SloganList final : public SloganListTarget {
 public:
  explicit SloganList(HWND list) : list_(list) {}
  SloganList(const SloganList&) = delete;
  SloganList& operator=(const SloganList&) = delete;

  // The active page, with its holds, which the drawing and the menu show.
  void ShowPage(std::size_t page, PhraseHolds& holds);
  // Remembers what the generation just made shows, in the page's history.
  void RememberGeneration();
  // Shows the page's previous or next generation, exactly as it was shown;
  // false at the history's end. The position shows in a balloon for a
  // moment.
  bool ShowEarlier(HWND owner);
  bool ShowLater(HWND owner);
  void HideBalloon() { balloon_.Hide(); }
  // The window's font at dpi; the bold one is made when first needed.
  void UseFont(HFONT font, int dpi);

  void RemoveAll() override;
  void Append(ShiftJisView slogan) override;
  void AppendParts(const ComposedSlogan& slogan) override;

  // The selected row's text; empty where no row is selected.
  std::wstring SelectedText() const;
  void CopySelected(HWND owner) const;
  // The holds and the copy of the list's menu; false for other commands.
  bool RunMenuCommand(int command, HWND owner);
  void ShowMenu(HWND owner, POINT at);
  void Draw(const DRAWITEMSTRUCT& item);

 private:
  void Show(const ShownGeneration& generation, HWND owner);
  GenerationHistory& History();
  const SloganRow* Selected() const;
  void AddString(const SloganRow& row);
  bool IsHeld(std::size_t row, std::size_t part) const;
  void ToggleHold(PhrasePosition position);
  HFONT BoldFont();

  HWND list_;
  SloganRows rows_;  // what the list shows, one for each of its items
  std::vector<GenerationHistory> histories_;  // one for each page
  std::size_t page_ = 0;
  BalloonTip balloon_;
  PhraseHolds* holds_ = nullptr;
  HFONT font_ = nullptr;  // the window's
  int dpi_ = 96;
  UniqueFont bold_font_;
};

}  // namespace tavlin
