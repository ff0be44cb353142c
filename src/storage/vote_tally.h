// The committee's votes summed: the filled vote sheets, each as its bytes,
// matched to the storage list's slogans by text and ranked with ties.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "src/platform/text_codec.h"
#include "src/rhythm/mora_meter.h"

namespace tavlin {

// One file the user chose. The caller reads it; a file it could not read
// comes with why instead of bytes.
struct VoteSheetFile {
  std::u16string name;  // its path, or at least its name
  std::string bytes;
  std::u16string read_error;  // empty when the bytes were read
};

// Something in one file that was not counted, for the user.
struct VoteProblem {
  std::u16string file;  // the file's name as given
  std::size_t row = 0;  // the row in the file, from 1; 0 for the whole file
  std::u16string text;
  bool operator==(const VoteProblem&) const = default;
};

struct TalliedSlogan {
  std::u16string slogan;  // the list's text, or the first sheet's
  std::size_t votes = 0;
  std::size_t voters = 0;  // sheets that gave it a vote or more
  std::size_t rank = 0;    // from 1; equal votes, equal rank (1, 1, 3)
  // Where it stands in the storage list, from 0; none for a slogan only
  // the sheets hold (一覧にない).
  std::optional<std::size_t> list_position;
  std::u16string rhythm;  // 音数 ("5・7・5"), where a meter counted it
};

struct VoteTallySummary {
  std::size_t sheets_read = 0;
  std::size_t sheets_refused = 0;   // not a sheet, or not readable at all
  std::size_t sheets_repeated = 0;  // chosen again, counted once
  std::size_t slogans_voted = 0;    // slogans with a vote or more
  std::size_t votes = 0;
};

struct VoteTally {
  // Most votes first; equal votes in the list's order, then the slogans
  // the list lacks in the order the sheets first hold them. Every slogan
  // of the list is there, with no votes last; one the list lacks only
  // where it has a vote.
  std::vector<TalliedSlogan> slogans;
  std::vector<VoteProblem> problems;  // in the order of the files and rows
  VoteTallySummary summary;
};

// A sheet's row is a list's slogan where their texts are the same, spaces
// (half- and full-width) aside and an apostrophe Excel kept before a
// formula-like text (=, +, -, @) dropped; its number on the sheet is never
// used. A file chosen twice (the same path, or the same bytes) counts once.
// Shift-JIS sheets are decoded by shift_jis; with a meter that has its
// dictionary, each slogan's rhythm is counted too.
// The name a problem shows for a file chosen by its path.
std::u16string_view VoteSheetFileName(std::u16string_view path);

VoteTally TallyVoteSheets(const std::vector<std::u16string>& list_slogans,
                          const std::vector<VoteSheetFile>& files,
                          const TextCodec& shift_jis,
                          const MoraMeter* meter = nullptr);

}  // namespace tavlin
