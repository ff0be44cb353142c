#include "src/storage/vote_tally.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "src/platform/unicode_text.h"
#include "src/slogan/slogan_rhythm.h"
#include "src/storage/vote_count.h"
#include "src/storage/vote_sheet_reader.h"

namespace tavlin {

namespace {

constexpr std::u16string_view kSamePathAgain =
    u"同じファイルが二度選ばれています。一度だけ数えました";
constexpr std::u16string_view kSameBytesAs =
    u"「%」と中身が同じです。一度だけ数えました";
constexpr std::u16string_view kNotVotes = u"「%」は票数として読めません";
constexpr std::u16string_view kVoteWithoutSlogan =
    u"標語のない行に「%」と書かれています";
constexpr std::u16string_view kRowsLeftUnread =
    u"ここから先は読んでいません（1 枚に読むのは % 行までです）";

// The pattern with a cell's text for its %: a long one cut, so that the
// message stays one line.
std::u16string Composed(std::u16string_view pattern, std::u16string_view cell) {
  constexpr std::size_t kLongest = 20;
  std::size_t kept = std::min(cell.size(), kLongest);
  if (kept < cell.size() && cell[kept - 1] >= 0xD800 &&
      cell[kept - 1] <= 0xDBFF)
    --kept;  // a surrogate pair stays whole
  std::u16string shown(cell.substr(0, kept));
  if (cell.size() > kLongest) shown += u"…";
  std::replace_if(
      shown.begin(), shown.end(),
      [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
  std::u16string text(pattern);
  return text.replace(text.find(u'%'), 1, shown);
}

// A slogan as a sheet may hold it: Excel keeps the apostrophe the exported
// sheet put before a formula-like text, or drops it on a save of its own.
std::u16string_view WithoutFormulaApostrophe(std::u16string_view slogan) {
  slogan = TrimSpaces(slogan);
  if (slogan.size() >= 2 && slogan[0] == u'\'' &&
      std::u16string_view(u"=+-@").find(slogan[1]) != slogan.npos)
    slogan.remove_prefix(1);
  return slogan;
}

// What slogans are matched by: a member may respace a slogan, and full-
// and half-width spaces look alike in a cell.
void MatchKey(std::u16string_view slogan, std::u16string& key) {
  key.clear();
  for (const char16_t c : WithoutFormulaApostrophe(slogan))
    if (!IsSpaceCharacter(c)) key += c;
}

std::u16string NumberText(std::size_t number) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

// Paths as Windows compares them, near enough: letter case and the kind of
// slash aside.
std::u16string PathKey(std::u16string_view path) {
  std::u16string key(path);
  for (char16_t& c : key) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c == u'/') c = u'\\';
  }
  return key;
}

class Tallier {
 public:
  explicit Tallier(const std::vector<std::u16string>& list_slogans);
  void AddSheet(const std::u16string& file, const VoteSheetRows& sheet,
                std::vector<VoteProblem>& problems);
  std::vector<TalliedSlogan> Ranked(const MoraMeter* meter) const;
  std::size_t votes() const { return votes_; }

 private:
  struct Entry {
    std::u16string slogan;
    std::size_t votes = 0;
    std::size_t voters = 0;
    std::optional<std::size_t> list_position;
    std::size_t last_sheet_voting = 0;  // sheets count from 1
  };
  Entry& EntryFor(std::u16string_view slogan);

  std::vector<Entry> entries_;  // the list's, then the others as they come
  std::unordered_map<std::u16string, std::size_t> entry_of_;
  std::u16string key_;  // one buffer for every row's key
  std::size_t sheet_ = 0;
  std::size_t votes_ = 0;
};

Tallier::Tallier(const std::vector<std::u16string>& list_slogans) {
  entries_.reserve(list_slogans.size());
  entry_of_.reserve(list_slogans.size());
  for (std::size_t position = 0; position < list_slogans.size(); ++position) {
    MatchKey(list_slogans[position], key_);
    // A slogan the list holds twice is tallied at its first place.
    if (key_.empty() || !entry_of_.try_emplace(key_, entries_.size()).second)
      continue;
    entries_.push_back(Entry{list_slogans[position], 0, 0, position, 0});
  }
}

Tallier::Entry& Tallier::EntryFor(std::u16string_view slogan) {
  MatchKey(slogan, key_);
  const auto [found, added] = entry_of_.try_emplace(key_, entries_.size());
  if (added)
    entries_.push_back(
        Entry{std::u16string(WithoutFormulaApostrophe(slogan)), 0, 0, {}, 0});
  return entries_[found->second];
}

void Tallier::AddSheet(const std::u16string& file, const VoteSheetRows& sheet,
                       std::vector<VoteProblem>& problems) {
  ++sheet_;
  for (const VoteSheetRow& row : sheet.rows) {
    const std::optional<int> votes = VotesInCell(row.vote);
    MatchKey(row.slogan, key_);
    if (key_.empty() || !votes) {
      const bool blank_row = key_.empty() && votes == 0;
      if (!blank_row)
        problems.push_back(
            VoteProblem{file, row.row_number,
                        Composed(key_.empty() ? kVoteWithoutSlogan : kNotVotes,
                                 TrimSpaces(row.vote))});
      continue;
    }
    Entry& entry = EntryFor(row.slogan);
    if (*votes == 0) continue;
    entry.votes += static_cast<std::size_t>(*votes);
    votes_ += static_cast<std::size_t>(*votes);
    if (entry.last_sheet_voting != sheet_) ++entry.voters;
    entry.last_sheet_voting = sheet_;
  }
  if (sheet.first_unread_row != 0)
    problems.push_back(
        VoteProblem{file, sheet.first_unread_row,
                    Composed(kRowsLeftUnread, NumberText(kMostVoteSheetRows))});
}

std::vector<TalliedSlogan> Tallier::Ranked(const MoraMeter* meter) const {
  std::vector<TalliedSlogan> ranked;
  for (const Entry& entry : entries_) {
    if (!entry.list_position && entry.votes == 0) continue;
    ranked.push_back(TalliedSlogan{
        entry.slogan, entry.votes, entry.voters, 0, entry.list_position, {}});
  }
  // Entries stand in the list's order, the others after it as they came:
  // a stable sort keeps that order among equal votes.
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const TalliedSlogan& a, const TalliedSlogan& b) {
                     return a.votes > b.votes;
                   });
  for (std::size_t i = 0; i < ranked.size(); ++i) {
    const bool tied = i > 0 && ranked[i].votes == ranked[i - 1].votes;
    ranked[i].rank = tied ? ranked[i - 1].rank : i + 1;
    if (meter)
      ranked[i].rhythm = RhythmFigures(RhythmOfText(*meter, ranked[i].slogan));
  }
  return ranked;
}

// The same file chosen again, by its path or its bytes: the message that
// says so, or nothing for a file seen first.
class RepeatedFiles {
 public:
  std::optional<std::u16string> Repeat(const VoteSheetFile& file) {
    if (!file.name.empty() && !paths_.insert(PathKey(file.name)).second)
      return std::u16string(kSamePathAgain);
    if (!file.read_error.empty() || file.bytes.empty()) return std::nullopt;
    const auto [first, added] = bytes_.try_emplace(file.bytes, &file);
    if (added) return std::nullopt;
    return Composed(kSameBytesAs, VoteSheetFileName(first->second->name));
  }

 private:
  std::unordered_set<std::u16string> paths_;
  // Views of the callers' bytes, which outlive the tally.
  std::unordered_map<std::string_view, const VoteSheetFile*> bytes_;
};

}  // namespace

std::u16string_view VoteSheetFileName(std::u16string_view path) {
  const std::size_t slash = path.find_last_of(u"\\/");
  return slash == path.npos ? path : path.substr(slash + 1);
}

VoteTally TallyVoteSheets(const std::vector<std::u16string>& list_slogans,
                          const std::vector<VoteSheetFile>& files,
                          const TextCodec& shift_jis, const MoraMeter* meter) {
  VoteTally tally;
  Tallier tallier(list_slogans);
  RepeatedFiles repeated;
  for (const VoteSheetFile& file : files) {
    if (auto repeat = repeated.Repeat(file)) {
      tally.problems.push_back(VoteProblem{file.name, 0, std::move(*repeat)});
      ++tally.summary.sheets_repeated;
      continue;
    }
    const VoteSheetRows sheet = file.read_error.empty()
                                    ? ReadVoteSheet(file.bytes, shift_jis)
                                    : VoteSheetRows{{}, file.read_error, 0};
    if (!sheet.refusal.empty()) {
      tally.problems.push_back(VoteProblem{file.name, 0, sheet.refusal});
      ++tally.summary.sheets_refused;
      continue;
    }
    tallier.AddSheet(file.name, sheet, tally.problems);
    ++tally.summary.sheets_read;
  }
  tally.slogans = tallier.Ranked(meter && meter->available() ? meter : nullptr);
  tally.summary.votes = tallier.votes();
  tally.summary.slogans_voted = static_cast<std::size_t>(std::count_if(
      tally.slogans.begin(), tally.slogans.end(),
      [](const TalliedSlogan& slogan) { return slogan.votes > 0; }));
  return tally;
}

}  // namespace tavlin
