#include "win32/gui/window_caption_win32.h"

#include "src/info/version_info.h"
#include "win32/system/running_program_win32.h"
#include "win32/system/version_value_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

std::u16string LowerCase(std::u16string text) {
  if (!text.empty())
    CharLowerBuffW(WideBuffer(text), static_cast<DWORD>(text.size()));
  return text;
}

}  // namespace

std::u16string ApplicationTitle() {
  return ApplicationTitleOf(RunningExecutablePath(), LowerCase);
}

void ApplyVersionCaption(HWND window, std::u16string_view component_name) {
  const std::u16string version = GetVersionInfoValue(
      VersionInfoKeys[kFileVersion], RunningExecutablePath());
  const std::u16string caption =
      VersionCaption(ApplicationTitle(), version, component_name);
  SetWindowTextW(window, WideCString(caption));
}

}  // namespace tavlin
