#include "setup/UninstallEntry.h"

#include "setup/InstallNames.h"

namespace {

constexpr WCHAR kUninstallKey[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Halvane";

typedef BOOL(WINAPI* IsWow64ProcessFn)(HANDLE process, PBOOL wow64);

// REG_SZ without a terminating null: the byte count is twice the character count.
LONG SetText(HKEY key, LPCWSTR name, LPCWSTR text) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>(lstrlenW(text)) * sizeof(WCHAR));
}

}  // namespace

REGSAM UninstallKeyAccess() {
  HMODULE kernel = GetModuleHandleW(u"kernel32");
  FARPROC proc = kernel ? GetProcAddress(kernel, "IsWow64Process") : nullptr;
  BOOL wow64 = FALSE;
  if (proc && reinterpret_cast<IsWow64ProcessFn>(proc)(GetCurrentProcess(), &wow64) && wow64)
    return KEY_ALL_ACCESS | KEY_WOW64_64KEY;
  return KEY_ALL_ACCESS;
}

bool RegisterUninstallEntry(LPCWSTR launcherPath) {
  WCHAR directory[MAX_PATH];
  lstrcpynW(directory, launcherPath, MAX_PATH);
  PathRemoveFileSpecW(directory);
  PathAddBackslashW(directory);
  WCHAR uninstaller[MAX_PATH];
  WCHAR launcher[MAX_PATH];
  wnsprintfW(uninstaller, MAX_PATH, u"%s%s", directory, kUninstallerName);
  wnsprintfW(launcher, MAX_PATH, u"%s%s", directory, kLauncherName);

  HKEY key = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      UninstallKeyAccess(), nullptr, &key, &disposition) != ERROR_SUCCESS ||
      !key)
    return false;
  const LPCWSTR values[][2] = {
      {u"DisplayName", u"Halvane卸载"}, {u"DisplayVersion", u"1.0.0.0"},
      {u"Publisher", u""},              {u"UninstallString", uninstaller},
      {u"DisplayIcon", launcher},       {u"InstallPath", directory},
  };
  bool ok = true;
  for (const auto& value : values) {
    if (SetText(key, value[0], value[1]) != ERROR_SUCCESS) {
      ok = false;
      break;
    }
  }
  RegCloseKey(key);
  return ok;
}
