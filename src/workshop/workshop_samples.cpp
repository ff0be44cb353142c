#include "src/workshop/workshop_samples.h"

#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "src/slogan/mt19937ar.h"
#include "src/slogan/phrase_lines.h"
#include "src/slogan/slogan_generator.h"

namespace tavlin {

namespace {

// The slogans as the generator composes them: views into the lists' bytes.
class DrawnSlogans final : public SloganListTarget {
 public:
  void RemoveAll() override { slogans.clear(); }
  void Append(ShiftJisView) override {}  // the parts always come apart
  void AppendParts(const ComposedSlogan& slogan) override {
    slogans.push_back(slogan);
  }
  std::vector<ComposedSlogan> slogans;
};

// Which lines of bytes, by the line rule, begin at each of starts.
std::vector<std::size_t> LinesBeginningAt(
    std::string_view bytes, const std::vector<std::size_t>& starts) {
  std::vector<std::size_t> lines(starts.size());
  std::size_t line = 0;
  ForEachLine(bytes, [&](std::size_t begin, std::size_t) {
    for (std::size_t i = 0; i < starts.size(); ++i)
      if (starts[i] == begin) lines[i] = line;
    ++line;
  });
  return lines;
}

// Each sample's part at place: the line of the box it was drawn from,
// where that line stands, and the part as the main window shows it.
void TakePartsAt(std::size_t place, const PhraseList& list,
                 std::u16string_view box_text, const DrawnSlogans& slogans,
                 const TextCodec& shift_jis, WorkshopSamples& drawn) {
  // A drawn phrase is a view into its list's bytes, the box's text
  // encoded line for line: where it starts tells its line in the box.
  const std::string_view bytes = list.file_bytes();
  std::vector<std::size_t> starts;
  for (const ComposedSlogan& slogan : slogans.slogans)
    starts.push_back(static_cast<std::size_t>(
        slogan.parts[place].bytes().data() - bytes.data()));
  const std::vector<std::size_t> lines = LinesBeginningAt(bytes, starts);
  const std::vector<std::u16string_view> box = LinesOfBox(box_text);
  for (std::size_t n = 0; n < drawn.samples.size(); ++n) {
    WorkshopSample& sample = drawn.samples[n];
    const std::string_view part = slogans.slogans[n].parts[place].bytes();
    const std::u16string_view line = box.at(lines[n]);
    const auto begin = static_cast<std::size_t>(line.data() - box_text.data());
    sample.lines[place] = lines[n];
    sample.ranges[place] = {begin, begin + line.size()};
    sample.row.parts[place] = ShiftJisText(std::string(part));
    // As the main window shows it: a character Shift-JIS cannot hold
    // shows as the "?" the slogan will have.
    sample.row.shown_parts[place] =
        shift_jis.Decode(part).value_or(std::u16string(line));
  }
}

}  // namespace

WorkshopSamples DrawSamples(const BoxTexts& boxes, std::uint32_t seed,
                            const TextCodec& shift_jis,
                            const MoraMeter& meter) {
  PhraseLists lists;
  PhraseList* const places[] = {&lists.upper, &lists.middle, &lists.lower};
  std::string without;  // the places that have no phrase
  for (std::size_t place = 0; place < kPhrasePlaces; ++place) {
    // The phrases a generation reads back from the saved file: its
    // Shift-JIS bytes, or its UTF-8 turned into Shift-JIS alike.
    bool lossy = false;
    places[place]->AssignFileBytes(shift_jis.Encode(boxes[place], lossy));
    if (places[place]->empty())
      without.append(without.empty() ? "" : "と")
          .append(kPhrasePlaceNames[place]);
  }
  WorkshopSamples drawn;
  if (!without.empty()) {
    drawn.why_none = ComposeMessage(kSamplesNeedPhrases, {without});
    return drawn;
  }
  DrawnSlogans slogans;
  init_genrand(seed);
  ComposeSlogans(lists, slogans);
  drawn.samples.resize(slogans.slogans.size());
  for (std::size_t place = 0; place < kPhrasePlaces; ++place)
    TakePartsAt(place, *places[place], boxes[place], slogans, shift_jis, drawn);
  for (WorkshopSample& sample : drawn.samples) {
    sample.figures = FiguresOfRow(meter, sample.row);
    sample.text = SpokenRowText(sample.row, sample.figures);
  }
  return drawn;
}

}  // namespace tavlin
