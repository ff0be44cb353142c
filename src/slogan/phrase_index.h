// Where the phrases of a phrase file lie, found in one pass without a view
// per line: how many lines are not blank, and where every
// kPhraseIndexStep-th of them starts. A phrase is then found by walking from
// the nearest of those starts, which a generation does only fifteen times.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace tavlin {

inline constexpr std::size_t kPhraseIndexStep = 64;

struct PhraseIndex {
  std::size_t count = 0;     // lines that are not blank
  std::size_t text_end = 0;  // the first zero byte, or the end of the bytes
  // Where the lines of phrases 0, kPhraseIndexStep, 2 * kPhraseIndexStep and
  // so on start.
  std::vector<std::size_t> line_starts;
};

// Follows the line rule of phrase files: a line ends at CR, LF or CR LF, a
// zero byte ends the text, and a line of bytes 0x20 or lower is blank.
// Uses the widest instructions the processor offers.
PhraseIndex IndexPhrases(std::string_view bytes);

// The same index built with the instructions every x86-64 processor has,
// so that the tests hold both ways to the line rule on any machine.
PhraseIndex IndexPhrasesWithBaselineInstructions(std::string_view bytes);

// The phrase with the given number; empty for one beyond the count.
std::string_view PhraseAt(std::string_view bytes, const PhraseIndex& index,
                          std::size_t number);

}  // namespace tavlin
