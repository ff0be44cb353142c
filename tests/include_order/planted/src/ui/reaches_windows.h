// A portable header that breaks the order twice: it includes a Windows
// header and a file of the Windows side. The include-order check must
// refuse it.
#pragma once

#include <windows.h>

#include "win32/gui/window_win32.h"
