// Captions that more than one window shows, written once.
#pragma once

#include <string_view>

namespace tavlin {

// A text box's menu item and the poster window's button alike.
inline constexpr std::u16string_view kCopyCaption = u"コピー(&C)";

}  // namespace tavlin
