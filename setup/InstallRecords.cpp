#include "setup/InstallRecords.h"

#include "setup/InstallNames.h"

bool ReadInstallPath(WCHAR* buffer) {
  HKEY key = nullptr;
  if (RegCreateKeyW(HKEY_CURRENT_USER, kUserKeyPath, &key) != ERROR_SUCCESS) return false;
  DWORD type = 0;
  DWORD bytes = (MAX_PATH - 1) * sizeof(WCHAR);
  LONG result = RegQueryValueExW(key, kInstallPathValueName, nullptr, &type,
                                 reinterpret_cast<BYTE*>(buffer), &bytes);
  RegCloseKey(key);
  return result == ERROR_SUCCESS && bytes >= 1;
}

bool WriteInstallPath(LPCWSTR path) {
  HKEY key = nullptr;
  if (RegCreateKeyW(HKEY_CURRENT_USER, kUserKeyPath, &key) != ERROR_SUCCESS) return false;
  LONG result =
      RegSetValueExW(key, kInstallPathValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(path),
                     static_cast<DWORD>(lstrlenW(path)) * sizeof(WCHAR));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

bool InstallPathRecorded() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD type = 0;
  DWORD bytes = 0;
  LONG result = RegQueryValueExW(key, kInstallPathValueName, nullptr, &type, nullptr, &bytes);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

bool ForgetInstallPath() {
  HKEY key = nullptr;
  LONG result = RegOpenKeyExW(HKEY_CURRENT_USER, kUserKeyPath, 0, KEY_SET_VALUE, &key);
  if (result == ERROR_FILE_NOT_FOUND) return true;
  if (result != ERROR_SUCCESS) return false;
  result = RegDeleteValueW(key, kInstallPathValueName);
  RegCloseKey(key);
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

namespace {

constexpr WCHAR kUninstallKey[] =
    TEXT("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Halvane");

typedef BOOL(WINAPI* IsWow64ProcessFn)(HANDLE process, PBOOL wow64);

// REG_SZ without a terminating null: the byte count is twice the character count.
LONG SetText(HKEY key, LPCWSTR name, LPCWSTR text) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>(lstrlenW(text)) * sizeof(WCHAR));
}

}  // namespace

REGSAM UninstallKeyAccess() {
  HMODULE kernel = GetModuleHandleW(TEXT("kernel32"));
  FARPROC proc = kernel ? GetProcAddress(kernel, "IsWow64Process") : nullptr;
  BOOL wow64 = FALSE;
  if (proc &&
      reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void (*)(void)>(proc))(
          GetCurrentProcess(), &wow64) &&
      wow64)
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
  wnsprintfW(uninstaller, MAX_PATH, TEXT("%s%s"), directory, kUninstallerName);
  wnsprintfW(launcher, MAX_PATH, TEXT("%s%s"), directory, kLauncherName);

  HKEY key = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      UninstallKeyAccess(), nullptr, &key, &disposition) != ERROR_SUCCESS ||
      !key)
    return false;
  const LPCWSTR values[][2] = {
      {TEXT("DisplayName"), TEXT("Halvane卸载")},
      {TEXT("DisplayVersion"), TEXT("1.0.0.0")},
      {TEXT("Publisher"), TEXT("")},
      {TEXT("UninstallString"), uninstaller},
      {TEXT("DisplayIcon"), launcher},
      {TEXT("InstallPath"), directory},
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
