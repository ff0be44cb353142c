// The tally window's commands in one table, read by its buttons and its
// keys alike: the buttons' captions are the layout's, and Enter and Esc
// are the dialog's own (the default button and the cancel).
#pragma once

#include "src/ui/main_commands.h"
#include "src/ui/tally_form_layout.h"

namespace tavlin {

// The commands that no control gives.
enum TallyCommand : int {
  kTallyCopy = 821,  // the tally onto the clipboard, as a table
};

static_assert(int{kTallyCopy} > int{kTallyClose}, "a command's id is no control's");

inline constexpr CommandRow kTallyCommands[] = {
    {kTallyPoster, u"", {}},
    {kTallySave, u"", {}},
    {kTallyCopy, u"", {'C', kCtrl}},
    {kTallyClose, u"", {}},
};

}  // namespace tavlin
