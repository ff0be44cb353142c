// The two themes of slogans, chosen by the active page of the main window.
#pragma once

namespace tavlin {

enum class PhraseCategory { Safety, Quality };

// Page 0 is safety; any other page is quality.
constexpr PhraseCategory CategoryOfPage(int page_index) {
  return page_index == 0 ? PhraseCategory::Safety : PhraseCategory::Quality;
}

}  // namespace tavlin
