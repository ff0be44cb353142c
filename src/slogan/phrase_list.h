// One position's phrases (first, middle or last part): the lines of a phrase
// file that are not blank, found through a sparse index into the file's
// bytes rather than a view per line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "src/platform/text_codec.h"
#include "src/slogan/phrase_index.h"

namespace tavlin {

class PhraseList {
 public:
  // Replaces the whole content with the phrases of a phrase file's bytes.
  void AssignFileBytes(std::string bytes) {
    // Indexed before anything is replaced, so that a failure leaves the
    // list as it was.
    PhraseIndex index = IndexPhrases(bytes);
    AssignIndexedFileBytes(std::move(bytes), std::move(index));
  }
  // The same with the bytes indexed already (IndexPhrases).
  void AssignIndexedFileBytes(std::string bytes, PhraseIndex index);
  // The same for a file in another encoding, whose text is given in
  // Shift-JIS; its own bytes are kept to tell a change.
  void AssignConvertedFile(std::string file_bytes, std::string shift_jis);

  // The bytes of the file the phrases came from, as read.
  std::string_view file_bytes() const {
    return converted_ ? std::string_view(file_bytes_) : bytes_;
  }

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
  std::string bytes_;  // Shift-JIS
  PhraseIndex index_;
  std::string file_bytes_;  // as read, where they are not bytes_
  bool converted_ = false;
};

// The three positions of a slogan, and how a phrase file in UTF-8 or
// UTF-16 is turned into Shift-JIS, the phrases' encoding (Windows' code
// page 932; without it such a file is taken byte for byte).
struct PhraseLists {
  PhraseList upper;
  PhraseList middle;
  PhraseList lower;
  const TextCodec* shift_jis = nullptr;
};

}  // namespace tavlin
