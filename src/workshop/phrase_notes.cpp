#include "src/workshop/phrase_notes.h"

#include <set>

#include "src/slogan/slogan_rhythm.h"

namespace tavlin {

namespace {

// The line rule of phrase files: a line of characters U+0020 or lower is
// blank, and a generation draws nothing from it.
bool IsBlank(std::u16string_view line) {
  for (const char16_t c : line)
    if (c > u' ') return false;
  return true;
}

}  // namespace

std::vector<std::u16string_view> LinesOfBox(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  std::size_t from = 0;
  while (from < text.size()) {
    const std::size_t end = text.find_first_of(u"\r\n", from);
    if (end == std::u16string_view::npos) {
      lines.push_back(text.substr(from));
      break;
    }
    lines.push_back(text.substr(from, end - from));
    from = end + (text.compare(end, 2, u"\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

std::vector<LineNote> NotesOfLines(std::u16string_view text, PhrasePlace place,
                                   const MoraCountCache& counts) {
  const int wanted = kFiveSevenFive[static_cast<std::size_t>(place)];
  std::vector<LineNote> notes;
  std::set<std::u16string_view> seen;
  for (const std::u16string_view line : LinesOfBox(text)) {
    LineNote& note = notes.emplace_back();
    note.blank = IsBlank(line);
    if (note.blank) continue;
    note.duplicate = !seen.insert(line).second;
    if (!counts.available()) continue;
    const MoraCount count = counts.Count(line);
    note.count = MoraFigure(count);
    note.fits = count.countable && count.morae == wanted;
    note.off_rhythm = !note.fits;
  }
  return notes;
}

std::vector<MarginFigure> MarginFigures(const LineNote& note) {
  if (note.blank) return {{u"空行", false}};
  std::vector<MarginFigure> figures;
  if (!note.count.empty())
    figures.push_back(
        {(note.off_rhythm ? u"▲" : u"") + note.count, note.off_rhythm});
  if (note.duplicate) figures.push_back({u"重複", true});
  return figures;
}

}  // namespace tavlin
