// Move-only ownership of Win32 handles: each kind names its invalid value and
// the call that releases it.
#pragma once

#include <windows.h>

#include <utility>

namespace tavlin {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }
  Handle release() { return std::exchange(handle_, Traits::Invalid()); }
  // Releases the handle now; false when the system reports a failure.
  bool reset(Handle handle = Traits::Invalid()) {
    const Handle old = std::exchange(handle_, handle);
    return old == Traits::Invalid() || Traits::Close(old);
  }

 private:
  Handle handle_ = Traits::Invalid();
};

struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle handle) { return CloseHandle(handle) != FALSE; }
};
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;

// A search of a folder's entries (FindFirstFileExW).
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle handle) { return FindClose(handle) != FALSE; }
};
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;

// Processes, threads and other kernel objects whose calls answer null, not
// INVALID_HANDLE_VALUE, on failure.
struct KernelObjectTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle handle) { return CloseHandle(handle) != FALSE; }
};
using UniqueKernelObject = UniqueHandle<KernelObjectTraits>;

struct ModuleHandleTraits {
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle handle) { return FreeLibrary(handle) != FALSE; }
};
using UniqueModule = UniqueHandle<ModuleHandleTraits>;

struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle handle) { return DeleteObject(handle) != FALSE; }
};
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;

// A font, handed back as the font it is.
struct FontTraits {
  using Handle = HFONT;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle handle) { return DeleteObject(handle) != FALSE; }
};
using UniqueFont = UniqueHandle<FontTraits>;

// A memory or printer device context of the program's own making.
struct DcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle handle) { return DeleteDC(handle) != FALSE; }
};
using UniqueDc = UniqueHandle<DcTraits>;

// Memory for the clipboard, owned until the clipboard takes it.
struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle handle) { return GlobalFree(handle) == nullptr; }
};
using UniqueGlobalMemory = UniqueHandle<GlobalMemoryTraits>;

struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle handle) { return DestroyMenu(handle) != FALSE; }
};
using UniqueMenu = UniqueHandle<MenuTraits>;

}  // namespace tavlin
