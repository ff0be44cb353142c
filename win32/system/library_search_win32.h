// Where the program's library loads may look.
#pragma once

#include <windows.h>

// Libraries loaded from now on come from the system folder only, never from
// the program's folder, where a planted copy could lie.
void RestrictLibrarySearchToSystem();

// Loads a library of the system folder by its full path. A load by name,
// whatever its search flags, returns a module of that name that is already
// in the process, and that may be a copy planted beside the program that
// the system itself loaded first. Null when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* file_name);
