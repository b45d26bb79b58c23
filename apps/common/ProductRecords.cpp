#include "apps/common/ProductRecords.h"

#include "setup/InstallNames.h"
#include "setup/InstallRecords.h"

namespace {

// The registry view the installer writes the uninstall entry to, for reading or deleting.
REGSAM UninstallView(REGSAM access) { return access | (UninstallKeyAccess() & KEY_WOW64_64KEY); }

bool ReadText(HKEY key, LPCWSTR name, WCHAR* buffer, DWORD chars) {
  if (chars == 0) return false;
  DWORD type = 0;
  DWORD bytes = (chars - 1) * sizeof(WCHAR);
  LONG result =
      RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
  if (result != ERROR_SUCCESS || type != REG_SZ) return false;
  buffer[bytes / sizeof(WCHAR)] = 0;
  return true;
}

// Both directories with a trailing backslash, compared without regard to case.
bool SameFolder(LPCWSTR a, LPCWSTR b) {
  WCHAR left[MAX_PATH] = {};
  WCHAR right[MAX_PATH] = {};
  lstrcpynW(left, a, MAX_PATH - 1);
  lstrcpynW(right, b, MAX_PATH - 1);
  PathAddBackslashW(left);
  PathAddBackslashW(right);
  return lstrcmpiW(left, right) == 0;
}

bool KeyIsEmpty(HKEY key) {
  WCHAR name[256];
  DWORD chars = 256;
  if (RegEnumKeyExW(key, 0, name, &chars, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
    return false;
  chars = 256;
  return RegEnumValueW(key, 0, name, &chars, nullptr, nullptr, nullptr, nullptr) ==
         ERROR_NO_MORE_ITEMS;
}

}  // namespace

bool OwnFolder(WCHAR* out) {
  DWORD length = GetModuleFileNameW(nullptr, out, MAX_PATH);
  if (length == 0 || length >= MAX_PATH - 1) return false;
  PathRemoveFileSpecW(out);
  PathAddBackslashW(out);
  return true;
}

bool ReadUninstallValue(LPCWSTR name, WCHAR* buffer, DWORD chars) {
  HKEY parent = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKeyParent, 0, UninstallView(KEY_READ), &parent) !=
      ERROR_SUCCESS)
    return false;
  HKEY entry = nullptr;
  bool read = false;
  if (RegOpenKeyExW(parent, kUninstallKeyName, 0, UninstallView(KEY_READ), &entry) ==
      ERROR_SUCCESS) {
    read = ReadText(entry, name, buffer, chars);
    RegCloseKey(entry);
  }
  RegCloseKey(parent);
  return read;
}

bool RemoveUninstallEntry(LPCWSTR installDir) {
  WCHAR recorded[MAX_PATH];
  if (!ReadUninstallValue(kInstallPathValueName, recorded, MAX_PATH))
    return true;  // no entry (or none of ours to judge): nothing to remove
  if (!SameFolder(recorded, installDir)) return true;
  HKEY parent = nullptr;
  // The entry is deleted through its parent opened in the installer's view, so that a 32-bit
  // program on a 64-bit system reaches the same key the installer wrote.
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKeyParent, 0, UninstallView(KEY_ALL_ACCESS),
                    &parent) != ERROR_SUCCESS)
    return false;
  LSTATUS result = RegDeleteKeyW(parent, kUninstallKeyName);
  RegCloseKey(parent);
  return result == ERROR_SUCCESS;
}

bool RemoveInstallPathRecord(LPCWSTR installDir) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
    return true;
  WCHAR recorded[MAX_PATH];
  bool ours =
      ReadText(key, kInstallPathValueName, recorded, MAX_PATH) && SameFolder(recorded, installDir);
  bool removed = !ours || RegDeleteValueW(key, kInstallPathValueName) == ERROR_SUCCESS;
  bool empty = KeyIsEmpty(key);
  RegCloseKey(key);
  if (removed && ours && empty) RegDeleteKeyW(HKEY_CURRENT_USER, kUserKeyPath);
  return removed;
}
