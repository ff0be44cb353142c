#include "win32/gui/window_caption_win32.h"

#include "src/info/version_info.h"
#include "win32/system/running_program_win32.h"
#include "win32/system/version_value_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

std::u16string LowerCase(std::u16string text) {
  std::wstring wide = WideOf(text);
  if (!wide.empty())
    CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return U16Of(wide);
}

}  // namespace

std::wstring ApplicationTitle() {
  return WideOf(ApplicationTitleOf(RunningExecutablePath(), LowerCase));
}

void ApplyVersionCaption(HWND window, std::u16string_view component_name) {
  const std::wstring version = GetVersionInfoValue(
      VersionInfoKeys[kFileVersion], RunningExecutablePath());
  const std::u16string caption =
      VersionCaption(U16Of(ApplicationTitle()), U16Of(version), component_name);
  SetWindowTextW(window, WideOf(caption).c_str());
}

}  // namespace tavlin
