#include "src/info/info_form_rules.h"

#include <algorithm>
#include <climits>
#include <cstdio>

LayoutSize EncloseControls(std::vector<LayoutRect>& controls, int border) {
  if (controls.empty()) return {2 * border, 2 * border};
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (const LayoutRect& c : controls) {
    left = std::min(left, c.left);
    top = std::min(top, c.top);
    right = std::max(right, c.left + c.width);
    bottom = std::max(bottom, c.top + c.height);
  }
  for (LayoutRect& c : controls) {
    c.left += border - left;
    c.top += border - top;
  }
  return {right - left + 2 * border, bottom - top + 2 * border};
}

LayoutRect CentredOnWorkArea(const WorkArea& work_area, LayoutSize window) {
  return {
      work_area.left + (work_area.right - work_area.left - window.width) / 2,
      work_area.top + (work_area.bottom - work_area.top - window.height) / 2,
      window.width, window.height};
}

std::string WithoutFirstMicrosoft(std::string description) {
  constexpr std::string_view kMicrosoft = "Microsoft ";
  const std::size_t at = description.find(kMicrosoft);
  if (at != std::string::npos) description.erase(at, kMicrosoft.size());
  return description;
}

std::string OleErrorMessage(std::uint32_t code, std::string_view system_text) {
  while (!system_text.empty() &&
         (static_cast<unsigned char>(system_text.back()) <= 0x20 ||
          system_text.back() == '.'))
    system_text.remove_suffix(1);
  if (!system_text.empty()) return std::string(system_text);
  char text[32];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(code));
  return std::string("OLE エラー ") + text;
}
