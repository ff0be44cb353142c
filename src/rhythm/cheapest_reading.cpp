#include "src/rhythm/cheapest_reading.h"

#include <limits>
#include <vector>

#include "src/platform/unicode_text.h"
#include "src/rhythm/character_class.h"
#include "src/rhythm/mora_rules.h"

namespace tavlin {

namespace {

// A character no word covers costs about what a word the lexicon does not
// know costs there, more than nearly any word it has.
constexpr int kLoneKanjiCost = 11500;
constexpr int kLoneKanaCost = 13000;
// A kanji suffix read as after a kanji where hiragana stands before it: so
// much that the kanji's own word wins wherever the dictionary has one.
constexpr int kSuffixAfterKanaCost = 6000;

bool IsHiragana(char16_t c) { return c >= 0x3041 && c <= 0x309F; }

// The cheapest path found to a place in the run whose last word ends with
// a class: one for each class is all a cheapest path needs, as what comes
// next costs the same after any word of that class.
struct PathTo {
  std::uint8_t right_class = 0;
  int cost = 0;
  MoraCount count;
  // Its last word, and which of the paths to where that word starts it
  // goes on from.
  ReadWord last;
  std::size_t from_index = 0;
};

class Lattice {
 public:
  Lattice(std::u16string_view run, BeforeRun before,
          const ReadingDictionary& dictionary)
      : run_(run),
        dictionary_(dictionary),
        compound_before_(before.compound),
        ends_(run.size() + 1) {
    ends_[0].push_back({before.right_class, 0, {}, {}, 0});
  }

  MoraCount Cheapest(std::vector<ReadWord>* words) {
    for (std::size_t at = 0; at < run_.size(); ++at) {
      if (ends_[at].empty()) continue;  // inside a surrogate pair
      words_.clear();
      dictionary_.ReadingsAt(run_.substr(at), words_);
      const bool after_hiragana = at > 0 && IsHiragana(run_[at - 1]);
      for (const WordReading& word : words_)
        Extend(at, word.length, word.left, word.right,
               word.cost + (word.suffix_after_kanji && after_hiragana
                                ? kSuffixAfterKanaCost
                                : 0),
               {word.morae});
      ExtendByCharacter(at);
    }
    const std::uint8_t edge = dictionary_.context().edge_left;
    const PathTo* best = nullptr;
    int best_cost = std::numeric_limits<int>::max();
    for (const PathTo& path : ends_.back()) {
      const int cost = path.cost + dictionary_.JoinCost(path.right_class, edge);
      if (cost < best_cost) {
        best_cost = cost;
        best = &path;
      }
    }
    if (!best) return {0, false, false};
    if (words) AddWords(*best, *words);
    return best->count;
  }

 private:
  void Extend(std::size_t at, std::size_t length, std::uint8_t left,
              std::uint8_t right, int cost, MoraCount count) {
    std::size_t from = 0;
    int from_cost = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < ends_[at].size(); ++i) {
      const PathTo& path = ends_[at][i];
      const int joined =
          path.cost + dictionary_.JoinCost(path.right_class, left);
      if (joined < from_cost) {
        from_cost = joined;
        from = i;
      }
    }
    const MoraCount& before = ends_[at][from].count;
    const PathTo next{
        right,
        from_cost + cost,
        {before.morae + count.morae, before.approximate || count.approximate,
         before.countable && count.countable},
        {length, count.morae},
        from};
    std::vector<PathTo>& there = ends_[at + length];
    for (PathTo& path : there)
      if (path.right_class == right) {
        if (next.cost < path.cost) path = next;
        return;
      }
    there.push_back(next);
  }

  // The character at at, read alone: kana by the rules, a kanji by its
  // count at its place, before or after another kanji or alone.
  void ExtendByCharacter(std::size_t at) {
    const CodePointAt c = ReadCodePoint(run_, at);
    MoraCount count{0, false, false};
    int cost = kLoneKanaCost;
    if (const std::optional<int> kana = KanaMorae(FoldCharacterWidth(c.c))) {
      count = {*kana};
    } else if (IsKanjiCharacter(c.c)) {
      cost = kLoneKanjiCost;
      const bool after =
          at == 0 ? compound_before_ : IsKanjiCharacter(PreviousCodePoint(at));
      const std::size_t next = at + c.units;
      const bool before =
          next < run_.size() && IsKanjiCharacter(ReadCodePoint(run_, next).c);
      const KanjiPlace place = after    ? KanjiPlace::AfterKanji
                               : before ? KanjiPlace::BeforeKanji
                                        : KanjiPlace::Alone;
      if (const std::optional<KanjiMoraeAt> kanji =
              dictionary_.KanjiMorae(c.c, place))
        count = {kanji->morae, !kanji->sure, true};
    }
    const ContextClasses& context = dictionary_.context();
    Extend(at, c.units, context.unknown_left, context.unknown_right, cost,
           count);
  }

  void AddWords(const PathTo& best, std::vector<ReadWord>& words) const {
    std::vector<ReadWord> backwards;
    std::size_t end = run_.size();
    for (const PathTo* path = &best; end > 0;) {
      backwards.push_back(path->last);
      end -= path->last.length;
      path = &ends_[end][path->from_index];
    }
    words.insert(words.end(), backwards.rbegin(), backwards.rend());
  }

  char32_t PreviousCodePoint(std::size_t at) const {
    const bool pair = at >= 2 && run_[at - 1] >= 0xDC00 &&
                      run_[at - 1] <= 0xDFFF && run_[at - 2] >= 0xD800 &&
                      run_[at - 2] <= 0xDBFF;
    return ReadCodePoint(run_, pair ? at - 2 : at - 1).c;
  }

  std::u16string_view run_;
  const ReadingDictionary& dictionary_;
  bool compound_before_ = false;
  std::vector<std::vector<PathTo>> ends_;
  std::vector<WordReading> words_;
};

}  // namespace

MoraCount CheapestReadingMorae(std::u16string_view run, BeforeRun before,
                               const ReadingDictionary& dictionary,
                               std::vector<ReadWord>* words) {
  return Lattice(run, before, dictionary).Cheapest(words);
}

}  // namespace tavlin
