#include "win32/gui/edit_text_win32.h"

#include <algorithm>
#include <string>

#include "win32/system/wide_text_win32.h"

namespace tavlin {

bool ReplaceAllText(HWND box, std::u16string_view text) {
  const std::wstring shown(AsWide(text));
  SetWindowTextW(box, shown.c_str());
  return static_cast<std::size_t>(GetWindowTextLengthW(box)) == shown.size();
}

void ReplaceChangedText(HWND box, std::u16string_view text) {
  const std::wstring now = WindowTextOf(box);
  const std::wstring_view merged = AsWide(text);
  // Only the part that differs is replaced, so that the caret and the
  // scrolling stay with the text.
  std::size_t head = 0;
  while (head < now.size() && head < merged.size() && now[head] == merged[head])
    ++head;
  std::size_t tail = 0;
  while (tail < now.size() - head && tail < merged.size() - head &&
         now[now.size() - 1 - tail] == merged[merged.size() - 1 - tail])
    ++tail;
  DWORD start = 0, end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  const LRESULT first_line = SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0);
  SendMessageW(box, EM_SETSEL, head, now.size() - tail);
  const std::wstring middle(merged.substr(head, merged.size() - head - tail));
  SendMessageW(box, EM_REPLACESEL, TRUE,
               reinterpret_cast<LPARAM>(middle.c_str()));
  // The caret stays with the text it stood in.
  const std::size_t replaced_end = now.size() - tail;
  const auto moved = [&](std::size_t at) -> std::size_t {
    if (at <= head) return at;
    if (at >= replaced_end) return at - replaced_end + head + middle.size();
    return head + middle.size();
  };
  SendMessageW(box, EM_SETSEL, moved(start), static_cast<LPARAM>(moved(end)));
  const LRESULT first_now = SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0);
  SendMessageW(box, EM_LINESCROLL, 0, first_line - first_now);
  // Undo never takes back another writer's lines, nor brings back a line
  // another writer deleted.
  SendMessageW(box, EM_EMPTYUNDOBUFFER, 0, 0);
}

std::u16string_view LineAtCaret(HWND box, std::wstring_view text) {
  DWORD start = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  const std::size_t caret = std::min<std::size_t>(start, text.size());
  // The box does not wrap, so its lines are the text's.
  const std::size_t begin =
      text.find_last_of(L"\r\n", caret == 0 ? 0 : caret - 1);
  const std::size_t from =
      caret == 0 || begin == std::wstring_view::npos ? 0 : begin + 1;
  const std::size_t to =
      std::min(text.find_first_of(L"\r\n", from), text.size());
  return AsU16(text.substr(from, to - from));
}

}  // namespace tavlin
