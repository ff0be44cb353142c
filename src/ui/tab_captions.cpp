#include "src/ui/tab_captions.h"

#include "src/platform/standard_themes.h"

namespace tavlin {

namespace {

template <typename CaptionOf>
TabCaptionSet CaptionsOf(const std::vector<TabPage>& pages,
                         CaptionOf&& caption_of) {
  TabCaptionSet captions;
  captions.reserve(pages.size());
  for (const TabPage& page : pages) captions.push_back(caption_of(page));
  return captions;
}

}  // namespace

std::vector<TabCaptionSet> TabCaptionChoices(
    const std::vector<TabPage>& pages) {
  std::vector<TabCaptionSet> choices;
  choices.push_back(
      CaptionsOf(pages, [](const TabPage& page) { return page.designed; }));
  if (pages.size() <= static_cast<std::size_t>(kStandardThemeCount))
    return choices;
  choices.push_back(CaptionsOf(
      pages, [](const TabPage& page) { return page.theme + u"標語"; }));
  choices.push_back(
      CaptionsOf(pages, [](const TabPage& page) { return page.theme; }));
  return choices;
}

}  // namespace tavlin
