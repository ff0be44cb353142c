// One position's phrases (first, middle or last part): the lines of a phrase
// file that are not blank, found through a sparse index into the file's
// bytes rather than a view per line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "src/slogan/phrase_index.h"

namespace tavlin {

class PhraseList {
 public:
  // Replaces the whole content with the phrases of a phrase file's bytes.
  void AssignFileBytes(std::string bytes);

  // The bytes of the file the phrases came from, as read.
  std::string_view file_bytes() const { return bytes_; }

  std::size_t size() const { return index_.count; }
  bool empty() const { return index_.count == 0; }
  // Walks up to kPhraseIndexStep lines: quick for the draws of a generation,
  // not meant for going through every phrase.
  std::string_view operator[](std::size_t number) const {
    return PhraseAt(bytes_, index_, number);
  }
  // Whether phrase is one of the phrases, a whole line of the file.
  bool Contains(std::string_view phrase) const;

 private:
  std::string bytes_;
  PhraseIndex index_;
};

// The three positions of a slogan.
struct PhraseLists {
  PhraseList upper;
  PhraseList middle;
  PhraseList lower;
};

}  // namespace tavlin
