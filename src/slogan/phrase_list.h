// One position's phrases (first, middle or last part): the lines of a phrase
// file that are not blank, kept as views into the file's bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavlin {

class PhraseList {
 public:
  // Replaces the whole content with the phrases of a phrase file's bytes.
  void AssignFileBytes(std::string bytes);

  // The bytes of the file the phrases came from, as read.
  std::string_view file_bytes() const { return bytes_; }

  std::size_t size() const { return phrases_.size(); }
  bool empty() const { return phrases_.empty(); }
  std::string_view operator[](std::size_t index) const {
    const Span& span = phrases_[index];
    return std::string_view(bytes_.data() + span.begin, span.length);
  }

 private:
  // Offsets rather than pointers, so that moving the list keeps them valid.
  struct Span {
    std::size_t begin;
    std::size_t length;
  };
  std::string bytes_;
  std::vector<Span> phrases_;
};

// The three positions of a slogan.
struct PhraseLists {
  PhraseList upper;
  PhraseList middle;
  PhraseList lower;
};

}  // namespace tavlin
