#include "win32/forms/workshop_samples_win32.h"

#include <utility>

#include "src/ui/main_form_layout.h"
#include "win32/gui/control_rows_win32.h"
#include "win32/gui/slogan_row_drawing_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

bool SameSamples(const WorkshopSamples& a, const WorkshopSamples& b) {
  if (a.samples.size() != b.samples.size() || a.why_none != b.why_none)
    return false;
  for (std::size_t n = 0; n < a.samples.size(); ++n)
    if (a.samples[n].text != b.samples[n].text ||
        a.samples[n].ranges != b.samples[n].ranges)
      return false;
  return true;
}

}  // namespace

void WorkshopSampleList::Create(HWND form, const WorkshopPlaces& places,
                                int dpi) {
  dpi_ = dpi;  // the list measures its rows as it is made
  CreateControl(form, kWorkshopSamplesLabel, ControlKind::FieldLabel,
                places.samples_label, kWorkshopSamplesCaption);
  list_ = CreateControl(form, kWorkshopSamples, ControlKind::SloganList,
                        places.samples, u"");
  why_ = CreateControl(form, kWorkshopSamplesWhy, ControlKind::TextLabel,
                       places.samples_why, u"");
  CreateControl(form, kWorkshopMakeSamples, ControlKind::PushButton,
                places.make_samples, kWorkshopMakeSamplesCaption);
}

void WorkshopSampleList::Place(const WorkshopPlaces& places) const {
  const HWND form = GetParent(list_);
  MoveControl(GetDlgItem(form, kWorkshopSamplesLabel), places.samples_label);
  MoveControl(list_, places.samples);
  MoveControl(why_, places.samples_why);
  MoveControl(GetDlgItem(form, kWorkshopMakeSamples), places.make_samples);
}

void WorkshopSampleList::UseFont(HFONT font, int dpi) {
  font_ = font;
  dpi_ = dpi;
  SendMessageW(list_, LB_SETITEMHEIGHT, 0,
               ScaleForDpi(kWorkshopSampleRowHeight, dpi));
}

void WorkshopSampleList::Show(WorkshopSamples samples) {
  const bool same = SameSamples(samples, shown_);
  shown_ = std::move(samples);
  if (same) return;
  const LRESULT chosen = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  for (const WorkshopSample& sample : shown_.samples)
    SendMessageW(list_, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(WideCString(sample.text)));
  // The same draws fall on the same rows: the one chosen stays.
  if (chosen >= 0 && static_cast<std::size_t>(chosen) < shown_.samples.size())
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
  SetWindowTextW(why_, WideFromUtf8(shown_.why_none).c_str());
}

void WorkshopSampleList::SelectChosenLines(
    const std::array<HWND, kPhrasePlaces>& boxes) const {
  const LRESULT chosen = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  if (chosen < 0 || static_cast<std::size_t>(chosen) >= shown_.samples.size())
    return;
  const WorkshopSample& sample = shown_.samples[static_cast<std::size_t>(chosen)];
  for (std::size_t place = 0; place < kPhrasePlaces; ++place) {
    const BoxRange& range = sample.ranges[place];
    // From the line's end back to its start: the caret, and the scrolling
    // that follows it, at the line's beginning.
    SendMessageW(boxes[place], EM_SETSEL, range.end,
                 static_cast<LPARAM>(range.begin));
    SendMessageW(boxes[place], EM_SCROLLCARET, 0, 0);
  }
}

bool WorkshopSampleList::Measure(MEASUREITEMSTRUCT& item) const {
  if (item.CtlID != kWorkshopSamples) return false;
  item.itemHeight =
      static_cast<UINT>(ScaleForDpi(kWorkshopSampleRowHeight, dpi_));
  return true;
}

bool WorkshopSampleList::Draw(const DRAWITEMSTRUCT& item) const {
  if (item.CtlID != kWorkshopSamples) return false;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  if (item.itemID != static_cast<UINT>(-1)) {
    FillRect(item.hDC, &item.rcItem,
             GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  }
  if (item.itemID < shown_.samples.size()) {
    const WorkshopSample& sample = shown_.samples[item.itemID];
    SloganRowFigures figures{
        {}, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT)};
    for (const RowFigure& figure : sample.figures)
      figures.shown.push_back(figure.shown);
    DrawSloganRow(
        item.hDC, item.rcItem, sample.row, {},
        {font_, font_,
         GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT),
         ScaleForDpi(kSloganTextIndent, dpi_)},
        figures);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
  return true;
}

}  // namespace tavlin
