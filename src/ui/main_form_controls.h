// The main window's controls' ids, and the ranges the main window's
// numbers are kept apart by.
#pragma once

#include <cstddef>

namespace tavlin {

// A range of numbers, both ends included.
struct IdRange {
  int first;
  int last;
};

constexpr bool Overlap(IdRange a, IdRange b) {
  return a.first <= b.last && b.first <= a.last;
}

constexpr bool Contains(IdRange range, int id) {
  return range.first <= id && id <= range.last;
}

// The main window's controls, under the names its design gave them.
enum MainFormControl : int {
  kBitBtn1 = 101,  // 標語作成: composes five new slogans
  kBitBtn2,        // バージョン: opens the information window
  kListBox1,       // the five fresh slogans; a double-click stores one
  kPanel1,         // the hint above the storage box
  kMemSafe,        // the safety page's storage list
  kMemQuality,     // the quality page's storage list
  kPageControl1,   // the theme tabs: 安全 and 品質
};
inline constexpr IdRange kMainFormControlIds{kBitBtn1, kPageControl1};

// The pages there can be: each has a storage box and a save timer.
inline constexpr std::size_t kMaximumPages = 100;
// The storage boxes of the pages beyond the first two, in page order.
inline constexpr int kFirstExtraStorageBox = 301;
inline constexpr IdRange kExtraStorageBoxIds{
    kFirstExtraStorageBox, kFirstExtraStorageBox + int{kMaximumPages} - 3};

// The storage box of the page at index: the design's names for the first
// two, then one each from kFirstExtraStorageBox.
constexpr int StorageBoxId(std::size_t page) {
  return page == 0   ? kMemSafe
         : page == 1 ? kMemQuality
                     : kFirstExtraStorageBox + static_cast<int>(page) - 2;
}

static_assert(!Overlap(kMainFormControlIds, kExtraStorageBoxIds),
              "each control has a number of its own");

}  // namespace tavlin
