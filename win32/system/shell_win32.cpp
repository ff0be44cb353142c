#include "win32/system/shell_win32.h"

#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "src/info/shell_rules.h"
#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "win32/system/com_ptr_win32.h"
#include "win32/system/unique_handle_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

constexpr wchar_t kShortcutArguments[] = L"/starup";

[[noreturn]] void ThrowForFailureCode(HRESULT code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER |
          FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<LPWSTR>(&text), 0,
      nullptr);
  std::string system_text;
  if (text) {
    system_text = Utf8FromWide(std::wstring_view(text, length));
    LocalFree(text);
  }
  throw TavlinError(
      OleErrorMessage(static_cast<std::uint32_t>(code), system_text));
}

void Check(HRESULT code) {
  if (FAILED(code)) ThrowForFailureCode(code);
}

template <typename Interface>
ComPtr<Interface> QueryInterfaceOf(IUnknown* object, REFIID id) {
  ComPtr<Interface> result;
  if (FAILED(object->QueryInterface(id, result.ReceiveVoid())) || !result)
    throw TavlinError(kInterfaceNotSupported);
  return result;
}

}  // namespace

void ShellOpen(HWND owner, std::u16string_view target) {
  try {
    ShellExecuteW(owner, nullptr, WideCString(std::u16string(target)), nullptr,
                  WideCString(DirectoryPart(target)), SW_SHOW);
  } catch (...) {
    // Opening is a convenience: a failure says nothing.
  }
}

void ShowProperties(HWND owner, const std::wstring& path) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask =
      SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner;
  info.lpVerb = L"properties";
  info.lpFile = path.c_str();
  ShellExecuteExW(&info);
  if (info.hProcess) CloseHandle(info.hProcess);
}

std::u16string GetSpecialFolderPath(HWND owner, int folder_id) {
  PIDLIST_ABSOLUTE items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(owner, folder_id, &items)) || !items)
    return {};
  std::u16string path(MAX_PATH + 1, u'\0');
  const bool found = SHGetPathFromIDListW(items, WideBuffer(path)) != FALSE;
  CoTaskMemFree(items);
  path.resize(found ? path.find(u'\0') : 0);
  return path;
}

std::u16string GetStartupFolder(HWND owner) {
  return GetSpecialFolderPath(owner, CSIDL_STARTUP);
}

std::u16string GetDesktopFolder(HWND owner) {
  return GetSpecialFolderPath(owner, CSIDL_DESKTOP);
}

std::u16string GetSendToFolder(HWND owner) {
  return GetSpecialFolderPath(owner, CSIDL_SENDTO);
}

void CreateShortcut(std::u16string_view target, std::u16string_view folder,
                    std::u16string_view name) {
  // Without its folder the shortcut would land in the root of the drive.
  if (folder.empty())
    throw TavlinError(
        ComposeMessage(kCannotCreateFile,
                       {Utf8FromWide(AsWide(std::u16string(name) + u".lnk"))}));
  ComPtr<IUnknown> object;
  Check(CoCreateInstance(CLSID_ShellLink, nullptr,
                         CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                         IID_IUnknown, object.ReceiveVoid()));
  const ComPtr<IShellLinkW> link =
      QueryInterfaceOf<IShellLinkW>(object.get(), IID_IShellLinkW);
  const ComPtr<IPersistFile> file =
      QueryInterfaceOf<IPersistFile>(object.get(), IID_IPersistFile);
  link->SetArguments(kShortcutArguments);
  link->SetPath(WideCString(std::u16string(target)));
  link->SetWorkingDirectory(WideCString(DirectoryOf(target)));
  const std::u16string path = ShortcutFilePath(folder, name);
  const HRESULT saved = file->Save(WideCString(path), FALSE);
  if (FAILED(saved)) {
    // Whatever a failed save left behind is no shortcut.
    DeleteFileW(WideCString(path));
    ThrowForFailureCode(saved);
  }
}

}  // namespace tavlin
