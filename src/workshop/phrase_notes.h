// What the phrase workshop's margin says of each line of a phrase file as
// the writer types it: its 音数, whether that fits its place in 五・七・五,
// and whether a generation would use the line at all.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "src/rhythm/mora_count_cache.h"

namespace tavlin {

// The three phrase files, each a place of 五・七・五.
enum class PhrasePlace { Upper, Middle, Lower };
inline constexpr std::size_t kPhrasePlaces = 3;

struct LineNote {
  std::u16string count;     // "5", "約7" where unsure, "?"; empty when blank
  bool fits = false;        // a phrase whose count is its place's 5, 7 or 5
  bool off_rhythm = false;  // a phrase counted otherwise, or not at all
  bool duplicate = false;   // the same phrase stands on a line above
  bool blank = false;       // a generation leaves it out
  bool operator==(const LineNote&) const = default;
};

// The lines of text as an edit box holds them: CR LF, LF or CR between
// them, as the phrase files' line rule has it; an empty last line after the
// last break is none. Each a view into text.
std::vector<std::u16string_view> LinesOfBox(std::u16string_view text);

// The lines of text, noted for place.
// Counts come from counts where its meter is available.
std::vector<LineNote> NotesOfLines(std::u16string_view text, PhrasePlace place,
                                   const MoraCountCache& counts);

// One thing the margin shows beside a line.
struct MarginFigure {
  std::u16string shown;
  bool warns = false;  // asks the writer to look: drawn apart from the rest
  bool operator==(const MarginFigure&) const = default;
};

// What the margin shows beside a line, from the left: its count, marked
// "▲" where it does not fit its place (字余り and 字足らず are the writer's
// to choose), then "重複" for a second copy; "空行" alone for a line a
// generation leaves out. A new figure is one more entry here.
std::vector<MarginFigure> MarginFigures(const LineNote& note);

}  // namespace tavlin
