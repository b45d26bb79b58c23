#include "setup/InstallPathRecord.h"

namespace {

constexpr WCHAR kUserKey[] = u"Software\\Halvane";
constexpr WCHAR kInstallPathValue[] = u"InstallPath";

}  // namespace

bool ReadInstallPath(WCHAR* buffer) {
  HKEY key = nullptr;
  if (RegCreateKeyW(HKEY_CURRENT_USER, kUserKey, &key) != ERROR_SUCCESS) return false;
  DWORD type = 0;
  DWORD bytes = (MAX_PATH - 1) * sizeof(WCHAR);
  LONG result = RegQueryValueExW(key, kInstallPathValue, nullptr, &type,
                                 reinterpret_cast<BYTE*>(buffer), &bytes);
  RegCloseKey(key);
  return result == ERROR_SUCCESS && bytes >= 1;
}

bool WriteInstallPath(LPCWSTR path) {
  HKEY key = nullptr;
  if (RegCreateKeyW(HKEY_CURRENT_USER, kUserKey, &key) != ERROR_SUCCESS) return false;
  LONG result = RegSetValueExW(key, kInstallPathValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(path),
                               static_cast<DWORD>(lstrlenW(path)) * sizeof(WCHAR));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}
