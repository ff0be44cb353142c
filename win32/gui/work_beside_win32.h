// Work too slow for a window's thread, done beside it: the program's
// windows go on painting and answering the system meanwhile.
#pragma once

#include <windows.h>

#include <functional>

namespace tavlin {

// Runs work on a thread of its own and handles this thread's messages until
// it has ended; owner takes no input meanwhile, so that nothing the user
// does can change what work reads. What work throws is thrown here.
void WorkBesideWindow(HWND owner, const std::function<void()>& work);

}  // namespace tavlin
