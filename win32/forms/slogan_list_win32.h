// The main window's list of fresh slogans: what a generation puts there,
// how each row is drawn (held parts in bold), copying a slogan, holding its
// parts and the list's context menu.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "src/platform/shift_jis_text.h"
#include "src/slogan/phrase_holds.h"
#include "src/slogan/slogan_generator.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

class SloganList final : public SloganListTarget {
 public:
  explicit SloganList(HWND list) : list_(list) {}
  SloganList(const SloganList&) = delete;
  SloganList& operator=(const SloganList&) = delete;

  // The holds of the active page, which the drawing and the menu show.
  void ShowHoldsOf(PhraseHolds& holds);
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
  void ShowMenu(HWND owner, LPARAM at);
  void Draw(const DRAWITEMSTRUCT& item);

 private:
  // The parts of a slogan in the list, as composed.
  struct ShownSlogan {
    std::array<ShiftJisText, kPhrasePositions> parts;
    std::array<std::wstring, kPhrasePositions> wide_parts;
  };

  const ShownSlogan* Selected() const;
  bool IsHeld(const ShownSlogan& slogan, std::size_t part) const;
  void ToggleHold(PhrasePosition position);
  void DrawParts(HDC dc, RECT text_rect, const ShownSlogan& shown);
  HFONT BoldFont();

  HWND list_;
  std::vector<ShownSlogan> shown_;  // one for each row
  PhraseHolds* holds_ = nullptr;
  HFONT font_ = nullptr;  // the window's
  int dpi_ = 96;
  UniqueFont bold_font_;
};

}  // namespace tavlin
