// Where the program's later library loads may look.
#pragma once

// Libraries loaded from now on come from the system folder only, never from
// the program's folder, where a planted copy could lie.
void RestrictLibrarySearchToSystem();
