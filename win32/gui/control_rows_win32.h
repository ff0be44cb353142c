// The controls of a window made from its layout table and kept where their
// anchors put them: one way for every window of the program.
#pragma once

#include <windows.h>

#include <string_view>

#include "src/ui/layout.h"

namespace tavlin {

// Makes a child control of parent of the given kind, id and caption at
// placed (client pixels); extra_style adds to the kind's own style. Throws
// TavlinError when the system refuses it.
HWND CreateControl(HWND parent, int id, ControlKind kind,
                   const LayoutRect& placed, std::u16string_view caption,
                   DWORD extra_style = 0);

// Where a row lies in a client area of the given size at dpi.
template <typename Id>
LayoutRect PlacedRowRect(const ControlRow<Id>& row, LayoutSize designed_client,
                         int dpi, LayoutSize client) {
  return PlacedRect(row.rect, designed_client, dpi, client, row.anchors);
}

// Moves a control to placed without touching its stacking order.
void MoveControl(HWND control, const LayoutRect& placed);

// Makes every row's control of a window's table, each in its place for the
// client area it has now, so that no second pass moves it.
template <typename Id, std::size_t N>
void CreateControlRows(HWND parent, const ControlRow<Id> (&rows)[N],
                       LayoutSize designed_client, int dpi, LayoutSize client) {
  for (const ControlRow<Id>& row : rows)
    CreateControl(parent, row.id, row.kind,
                  PlacedRowRect(row, designed_client, dpi, client),
                  row.caption);
}

// Moves every row's control to where its anchors put it in a client area
// of the given size.
template <typename Id, std::size_t N>
void PlaceControlRows(HWND parent, const ControlRow<Id> (&rows)[N],
                      LayoutSize designed_client, int dpi, LayoutSize client) {
  for (const ControlRow<Id>& row : rows)
    MoveControl(GetDlgItem(parent, row.id),
                PlacedRowRect(row, designed_client, dpi, client));
}

// The client area's size of a window, as the layout reads it.
LayoutSize ClientSizeOf(HWND window);

}  // namespace tavlin
