#include "win32/gui/tab_captions_win32.h"

#include <commctrl.h>

#include <string>

namespace tavlin {

namespace {

void SetCaptions(HWND tabs, const TabCaptionSet& captions) {
  const auto count = static_cast<std::size_t>(TabCtrl_GetItemCount(tabs));
  for (std::size_t tab = 0; tab < captions.size(); ++tab) {
    std::u16string caption = captions[tab];
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(caption.data());
    SendMessageW(tabs, tab < count ? TCM_SETITEMW : TCM_INSERTITEMW, tab,
                 reinterpret_cast<LPARAM>(&item));
  }
}

// Whether the last tab ends inside the control, room left for its frame.
bool AllTabsFit(HWND tabs) {
  const int count = TabCtrl_GetItemCount(tabs);
  RECT last{}, client{};
  if (count == 0 || !TabCtrl_GetItemRect(tabs, count - 1, &last)) return true;
  GetClientRect(tabs, &client);
  return last.right + 2 <= client.right;
}

}  // namespace

void FitTabCaptions(HWND tabs, const std::vector<TabCaptionSet>& choices) {
  for (const TabCaptionSet& captions : choices) {
    SetCaptions(tabs, captions);
    if (AllTabsFit(tabs)) return;
  }
}

}  // namespace tavlin
