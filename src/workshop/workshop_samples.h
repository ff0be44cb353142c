// The phrase workshop's samples: five slogans drawn from the boxes' lines
// as they stand, by the generator's own draw, each with the line of each
// box it came from, so that a bad join is found and mended in its box.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "src/app/row_figures.h"
#include "src/platform/text_codec.h"
#include "src/rhythm/mora_meter.h"
#include "src/slogan/slogan_row.h"
#include "src/workshop/phrase_notes.h"

namespace tavlin {

// Characters of a box's text, as its selection counts them.
struct BoxRange {
  std::size_t begin = 0;
  std::size_t end = 0;
  bool operator==(const BoxRange&) const = default;
};

struct WorkshopSample {
  // Its parts as a generation draws them and the main window shows them.
  SloganRow row;
  // The line of each box each part came from, counted from 0, and where
  // that whole line lies in the box's text.
  std::array<std::size_t, kPhrasePlaces> lines{};
  std::array<BoxRange, kPhrasePlaces> ranges{};
  // Its rhythm where the meter counts, as the main window's rows show it.
  std::vector<RowFigure> figures;
  // What the list holds and screen readers read: the slogan, then its
  // figures as they are read.
  std::u16string text;
};

struct WorkshopSamples {
  std::vector<WorkshopSample> samples;
  // Where a box has no phrase to draw, the one line that says so.
  std::string why_none;
};

// The boxes' texts in the order upper, middle, lower.
using BoxTexts = std::array<std::u16string_view, kPhrasePlaces>;

// The five slogans a generation seeded with seed would draw from the boxes'
// texts saved as phrase files (through shift_jis, the phrases' encoding),
// blank lines left out by the phrase files' own rule; counted by meter
// where it is available.
WorkshopSamples DrawSamples(const BoxTexts& boxes, std::uint32_t seed,
                            const TextCodec& shift_jis, const MoraMeter& meter);

}  // namespace tavlin
