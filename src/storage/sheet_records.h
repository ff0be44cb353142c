// The rows of a sheet saved as CSV or tab-separated text, read as Excel
// reads them back: a cell in quotes may hold the separator, a line break
// and doubled quotes; rows end at CR LF, LF or CR.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavlin {

class SheetRecords {
 public:
  SheetRecords(std::u16string_view text, char16_t separator)
      : text_(text), separator_(separator) {}

  // The next row's cells, into cells (its strings reused, so that a long
  // sheet is read without a new string for every cell); false after the
  // last row. A line break at the very end adds no empty row.
  bool Next(std::vector<std::u16string>& cells);

  // The row Next gave last, counted from 1 as Excel numbers rows: a blank
  // line is a row, a line break inside quotes is not.
  std::size_t row_number() const { return row_number_; }

 private:
  // Reads one cell from at_ into cell; true when the row goes on after it.
  bool ReadCell(std::u16string& cell);
  void ReadQuoted(std::u16string& cell);

  std::u16string_view text_;
  char16_t separator_;
  std::size_t at_ = 0;
  std::size_t row_number_ = 0;
};

}  // namespace tavlin
