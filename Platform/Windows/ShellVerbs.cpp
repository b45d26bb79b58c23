// Whether the shell offers a verb for a file: the canonical verbs of the file's context menu, as
// the shell builds it for Explorer. The pin verbs come from a context-menu handler of Windows 7,
// so they are found here and not among the verbs registered for the file type.
#include <string>

#include "Platform/Win32.h"
#include "Platform/Win32Ext.h"

namespace Platform {

namespace {

// The path with each run of backslashes after the first character made one ("C:\Dir\\Name"
// comes from joining a folder that ends with one), which the shell's parser asks for.
std::wstring SingleSeparators(LPCWSTR path) {
  std::wstring out;
  for (const WCHAR* c = path; *c; ++c)
    if (!(c > path && *c == L'\\' && !out.empty() && out.back() == L'\\')) out += *c;
  return out;
}

bool MenuHasVerb(IContextMenu* menu, HMENU popup, UINT firstId, LPCWSTR verb) {
  for (int i = 0, n = GetMenuItemCount(popup); i < n; ++i) {
    UINT id = GetMenuItemID(popup, i);
    if (id == static_cast<UINT>(-1) || id < firstId) continue;  // a submenu or a separator
    WCHAR name[80] = {};
    if (SUCCEEDED(menu->GetCommandString(id - firstId, GCS_VERBW, nullptr,
                                         reinterpret_cast<LPSTR>(name), ARRAYSIZE(name))) &&
        lstrcmpiW(name, verb) == 0)
      return true;
  }
  return false;
}

bool ItemOffersVerb(LPCWSTR file, LPCWSTR verb) {
  PIDLIST_ABSOLUTE item = nullptr;
  std::wstring path = SingleSeparators(file);
  if (FAILED(SHParseDisplayName(path.c_str(), nullptr, &item, 0, nullptr)) || !item) return false;
  IShellFolder* parent = nullptr;
  PCUITEMID_CHILD child = nullptr;
  IContextMenu* menu = nullptr;
  bool offered = false;
  if (SUCCEEDED(
          SHBindToParent(item, IID_IShellFolder, reinterpret_cast<void**>(&parent), &child)) &&
      SUCCEEDED(parent->GetUIObjectOf(nullptr, 1, &child, IID_IContextMenu, nullptr,
                                      reinterpret_cast<void**>(&menu)))) {
    const UINT firstId = 1;
    if (HMENU popup = CreatePopupMenu()) {
      if (SUCCEEDED(menu->QueryContextMenu(popup, 0, firstId, 0x7FFF, CMF_NORMAL)))
        offered = MenuHasVerb(menu, popup, firstId, verb);
      DestroyMenu(popup);
    }
    menu->Release();
  }
  if (parent) parent->Release();
  CoTaskMemFree(item);
  return offered;
}

}  // namespace

bool ShellOffersVerb(LPCWSTR file, LPCWSTR verb) {
  if (!file || !verb) return false;
  HRESULT com = CoInitialize(nullptr);
  bool offered = ItemOffersVerb(file, verb);
  if (SUCCEEDED(com)) CoUninitialize();
  return offered;
}

}  // namespace Platform
