// What the program does when the C++ runtime must end it (an exception
// thrown through a noexcept function): abort at once. The runtime's own
// handler first names the exception's type on the standard error stream,
// which a window program does not have, and to do so it brings the whole
// name demangler into Tavlin.exe, about 50 KB of it. Linked into the
// program itself, so that the runtime's handler is never pulled in.
#include <cstdlib>

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
