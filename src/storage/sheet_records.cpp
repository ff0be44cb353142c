#include "src/storage/sheet_records.h"

namespace tavlin {

bool SheetRecords::Next(std::vector<std::u16string>& cells) {
  if (at_ >= text_.size()) return false;
  ++row_number_;
  std::size_t count = 0;
  bool row_goes_on = true;
  while (row_goes_on) {
    if (count == cells.size())
      cells.emplace_back();
    else
      cells[count].clear();
    row_goes_on = ReadCell(cells[count++]);
  }
  cells.resize(count);
  return true;
}

bool SheetRecords::ReadCell(std::u16string& cell) {
  if (text_[at_] == u'"') {
    ++at_;
    ReadQuoted(cell);
  }
  // Whatever follows a closing quote belongs to the cell, as Excel takes
  // it; so does a quote in the middle of an unquoted cell.
  const std::size_t begin = at_;
  while (at_ < text_.size() && text_[at_] != separator_ &&
         text_[at_] != u'\r' && text_[at_] != u'\n')
    ++at_;
  cell.append(text_.substr(begin, at_ - begin));
  if (at_ >= text_.size()) return false;
  if (text_[at_] == separator_) {
    ++at_;
    return true;
  }
  const bool cr_lf =
      text_[at_] == u'\r' && at_ + 1 < text_.size() && text_[at_ + 1] == u'\n';
  at_ += cr_lf ? 2 : 1;
  return false;
}

void SheetRecords::ReadQuoted(std::u16string& cell) {
  while (at_ < text_.size()) {
    const std::size_t quote = text_.find(u'"', at_);
    // A quote never closed takes the rest of the file, as Excel reads it.
    const std::size_t end = quote == text_.npos ? text_.size() : quote;
    cell.append(text_.substr(at_, end - at_));
    at_ = end;
    if (quote == text_.npos) return;
    const bool doubled = quote + 1 < text_.size() && text_[quote + 1] == u'"';
    if (!doubled) {
      at_ = quote + 1;
      return;
    }
    cell += u'"';
    at_ = quote + 2;
  }
}

}  // namespace tavlin
