// The standard themes of slogans as the code asks for them, in the order of
// their names (kStandardThemeNames); a further standard theme needs an
// entry here only where code asks for it by name.
#pragma once

#include "src/platform/standard_themes.h"

namespace tavlin {

enum class PhraseCategory { Safety, Quality };

}  // namespace tavlin
