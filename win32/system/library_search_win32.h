// Where the program's library loads may look.
#pragma once

#include <windows.h>

#include <type_traits>

namespace tavlin {

// Libraries loaded from now on come from the system folder only, never from
// the program's folder, where a planted copy could lie.
void RestrictLibrarySearchToSystem();

// Loads a library of the system folder by its full path. A load by name,
// whatever its search flags, returns a module of that name that is already
// in the process, and that may be a copy planted beside the program that
// the system itself loaded first. Null when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* file_name);

// The function a library exports under name, typed as the function
// pointer F; null when the library is null or has no such export. The one
// place where an export's address becomes a typed pointer.
template <class F>
F LibraryFunction(HMODULE library, const char* name) noexcept {
  static_assert(std::is_pointer_v<F> &&
                std::is_function_v<std::remove_pointer_t<F>>);
  if (!library) return nullptr;
  return reinterpret_cast<F>(
      reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace tavlin
