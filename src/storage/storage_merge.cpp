#include "src/storage/storage_merge.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "src/storage/storage_text.h"
#include "src/storage/store_rule.h"

namespace tavlin {

namespace {

using Lines = std::vector<std::u16string_view>;

// Lines the store rule takes for one slogan share this key: letter case
// folded as the user's locale folds the letters a list holds (Latin, full
// width Latin, Greek, Cyrillic). The rule itself still decides.
std::u16string FoldedKey(std::u16string_view line) {
  std::u16string key(line);
  for (char16_t& c : key) {
    const bool upper = (c >= u'A' && c <= u'Z') ||
                       (c >= u'\uFF21' && c <= u'\uFF3A') ||
                       (c >= u'\u0391' && c <= u'\u03A9') ||
                       (c >= u'\u0410' && c <= u'\u042F');
    if (upper) c = static_cast<char16_t>(c + 0x20);
  }
  return key;
}

// The lines theirs added, found by slogan in constant time: a line of ours
// answers at most one of them. Lines that differ only in letter case share
// a queue of slogans, and each line has a queue of its own, so that many
// such lines never make a search long.
class TheirAdditions {
 public:
  void Add(std::u16string_view line) {
    const std::size_t index = lines_.size();
    lines_.push_back(line);
    answered_.push_back(false);
    slogans_[FoldedKey(line)].indices.push_back(index);
    exact_[line].indices.push_back(index);
  }
  // Marks the first unanswered line that is line (exactly) or the same
  // slogan; false when there is none.
  bool Answer(std::u16string_view line, bool exactly, const LineMatch& match) {
    if (lines_.empty()) return false;
    if (exactly) {
      const auto found = exact_.find(line);
      return found != exact_.end() &&
             AnswerFirst(found->second,
                         [](std::u16string_view) { return true; });
    }
    const auto found = slogans_.find(FoldedKey(line));
    return found != slogans_.end() &&
           AnswerFirst(found->second, [&](std::u16string_view theirs) {
             return match(theirs, line);
           });
  }

 private:
  struct Queue {
    std::vector<std::size_t> indices;
    std::size_t first_open = 0;
  };

  template <typename Fits>
  bool AnswerFirst(Queue& queue, Fits&& fits) {
    while (queue.first_open < queue.indices.size() &&
           answered_[queue.indices[queue.first_open]])
      ++queue.first_open;
    for (std::size_t i = queue.first_open; i < queue.indices.size(); ++i) {
      const std::size_t index = queue.indices[i];
      if (answered_[index] || !fits(lines_[index])) continue;
      answered_[index] = true;
      return true;
    }
    return false;
  }

  std::vector<std::u16string_view> lines_;
  std::vector<bool> answered_;
  std::unordered_map<std::u16string, Queue> slogans_;
  std::unordered_map<std::u16string_view, Queue> exact_;
};

// What ours holds after its last visible character: kept where the merge
// ends with ours' last line, so that a merge never eats a space the user
// has just typed.
std::u16string_view TrailingBlanks(std::u16string_view text) {
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] <= 0x20) --end;
  return text.substr(end);
}

// One merge of three tidied texts: every line's counts in one table, found
// with one look-up per line of each text, then theirs taken, then ours.
class ThreeWayMerge {
 public:
  ThreeWayMerge(std::u16string_view base, const Lines& theirs,
                const Lines& ours)
      : theirs_(theirs), ours_(ours) {
    tallies_.reserve(theirs.size() + ours.size());
    for (const std::u16string_view line : StorageLines(base))
      ++tallies_[line].base;
    their_tallies_ = CountEach(theirs, &Tally::theirs);
    our_tallies_ = CountEach(ours, &Tally::ours);
    result_.reserve(theirs.size() + ours.size());
  }

  // Theirs first, less the base's copies that ours deleted: at most those,
  // which base had, so a copy theirs added is theirs to keep.
  void TakeTheirs() {
    for (std::size_t i = 0; i < theirs_.size(); ++i) {
      Tally& tally = *their_tallies_[i];
      if (++tally.theirs_seen > tally.base) additions_.Add(theirs_[i]);
      const std::size_t ours_deleted =
          tally.base > tally.ours ? tally.base - tally.ours : 0;
      if (tally.dropped < ours_deleted) {
        ++tally.dropped;
        continue;
      }
      Take(theirs_[i], tally);
    }
  }

  // Then ours: each copy ours added that theirs did not add too.
  void TakeOurs(const LineMatch& match) {
    for (std::size_t i = 0; i < ours_.size(); ++i) {
      const std::u16string_view line = ours_[i];
      Tally& tally = *our_tallies_[i];
      const std::size_t copy = ++tally.ours_seen;
      if (copy <= tally.kept) {
        // Theirs holds this very copy; where it is one theirs added, no
        // other line of ours answers it.
        if (tally.theirs > tally.base) additions_.Answer(line, true, match);
        continue;
      }
      if (copy <= tally.base) {
        // Theirs deleted what ours left; a blank line is not worth a word.
        if (!line.empty()) removed_.emplace_back(line);
        continue;
      }
      if (additions_.Answer(line, false, match)) continue;
      Take(line, tally);
    }
  }

  const Lines& result() const { return result_; }
  std::size_t taken_in() const { return taken_in_; }
  std::vector<std::u16string>& removed() { return removed_; }

 private:
  struct Tally {
    std::size_t base = 0, theirs = 0, ours = 0;
    std::size_t theirs_seen = 0, ours_seen = 0;
    std::size_t dropped = 0, kept = 0, in_result = 0;
  };

  // Counts each line of lines in count; each line's tally, in order.
  std::vector<Tally*> CountEach(const Lines& lines, std::size_t Tally::*count) {
    std::vector<Tally*> of_lines;
    of_lines.reserve(lines.size());
    for (const std::u16string_view line : lines) {
      Tally& tally = tallies_[line];
      ++(tally.*count);
      of_lines.push_back(&tally);
    }
    return of_lines;
  }

  void Take(std::u16string_view line, Tally& tally) {
    result_.push_back(line);
    ++tally.kept;
    // Lines of the result beyond what ours holds came from theirs.
    if (++tally.in_result > tally.ours) ++taken_in_;
  }

  const Lines& theirs_;
  const Lines& ours_;
  std::unordered_map<std::u16string_view, Tally> tallies_;
  std::vector<Tally*> their_tallies_;
  std::vector<Tally*> our_tallies_;
  TheirAdditions additions_;
  Lines result_;
  std::size_t taken_in_ = 0;
  std::vector<std::u16string> removed_;
};

// The lines joined by CR LF, ending as ours does where the last line is
// ours' last line.
std::u16string JoinedAsOursEnds(const Lines& lines, const Lines& our_lines,
                                std::u16string_view ours) {
  const auto line_break = LineBreakOf<char16_t>();
  std::size_t length = 0;
  for (const std::u16string_view line : lines) length += line.size() + 2;
  std::u16string text;
  text.reserve(length);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += line_break;
    text += lines[i];
  }
  if (!lines.empty() && !our_lines.empty() && lines.back() == our_lines.back())
    text += TrailingBlanks(ours);
  else if (!lines.empty() && EndsWithLineBreak(ours))
    text += line_break;
  return text;
}

}  // namespace

MergedText MergeStorageText(std::u16string_view base,
                            std::u16string_view theirs,
                            std::u16string_view ours, const LineMatch& match) {
  const std::u16string tidy_base = NormaliseStorageText(base);
  const std::u16string tidy_theirs = NormaliseStorageText(theirs);
  const std::u16string tidy_ours = NormaliseStorageText(ours);
  const Lines their_lines = StorageLines(tidy_theirs);
  const Lines our_lines = StorageLines(tidy_ours);
  ThreeWayMerge merge(tidy_base, their_lines, our_lines);
  merge.TakeTheirs();
  merge.TakeOurs(match);
  return {JoinedAsOursEnds(merge.result(), our_lines, ours), merge.taken_in(),
          std::move(merge.removed())};
}

std::vector<std::u16string_view> StorageLines(std::u16string_view text) {
  const auto line_break = LineBreakOf<char16_t>();
  std::vector<std::u16string_view> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t found = text.find(line_break, begin);
    const std::size_t end =
        found == std::u16string_view::npos ? text.size() : found;
    lines.push_back(text.substr(begin, end - begin));
    begin = end + line_break.size();
    if (found == std::u16string_view::npos) break;
  }
  return lines;
}

}  // namespace tavlin
