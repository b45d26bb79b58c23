// Reading, writing, deleting and enumerating registry values. Data is handed back exactly as
// stored: a string written without a terminator is read without one.
#include <cstring>

#include "Platform/Registry/KeyPath.h"

using Platform::OpenedKey;

namespace {

DWORD OpenForValues(HKEY hKey, REGSAM right, OpenedKey* key) {
  DWORD err = Platform::ResolveKeyHandle(hKey, key);
  if (err != ERROR_SUCCESS) return err;
  return (key->access & right) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

std::u16string ValueName(LPCWSTR name) { return name ? std::u16string(name) : std::u16string(); }

// The type and data out-parameters shared by the query and the enumeration: with no buffer only
// the size is answered; a buffer that is too small gets nothing and ERROR_MORE_DATA.
DWORD CopyData(const Platform::RegistryValue& value, LPDWORD lpType, LPBYTE lpData,
               LPDWORD lpcbData) {
  if (lpType) *lpType = value.type;
  if (!lpcbData) return ERROR_SUCCESS;
  auto size = static_cast<DWORD>(value.data.size());
  DWORD capacity = *lpcbData;
  *lpcbData = size;
  if (!lpData) return ERROR_SUCCESS;
  if (size > capacity) return ERROR_MORE_DATA;
  if (size) std::memcpy(lpData, value.data.data(), size);
  return ERROR_SUCCESS;
}

}  // namespace

LSTATUS WINAPI RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                                LPBYTE lpData, LPDWORD lpcbData) {
  if (lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
  OpenedKey key;
  DWORD err = OpenForValues(hKey, KEY_QUERY_VALUE, &key);
  if (err != ERROR_SUCCESS) return static_cast<LSTATUS>(err);
  Platform::RegistryValue value;
  if ((err = key.store->GetValue(key.id, ValueName(lpValueName), &value)) != ERROR_SUCCESS)
    return static_cast<LSTATUS>(err);
  return static_cast<LSTATUS>(CopyData(value, lpType, lpData, lpcbData));
}

LSTATUS WINAPI RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType,
                              const BYTE* lpData, DWORD cbData) {
  if (!lpData && cbData) return ERROR_NOACCESS;
  std::u16string name = ValueName(lpValueName);
  if (name.size() > Platform::kMaxValueNameLength) return ERROR_INVALID_PARAMETER;
  OpenedKey key;
  DWORD err = OpenForValues(hKey, KEY_SET_VALUE, &key);
  if (err != ERROR_SUCCESS) return static_cast<LSTATUS>(err);
  return static_cast<LSTATUS>(key.store->SetValue(key.id, name, dwType, lpData, cbData));
}

LSTATUS WINAPI RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName) {
  OpenedKey key;
  DWORD err = OpenForValues(hKey, KEY_SET_VALUE, &key);
  if (err != ERROR_SUCCESS) return static_cast<LSTATUS>(err);
  return static_cast<LSTATUS>(key.store->DeleteValue(key.id, ValueName(lpValueName)));
}

LSTATUS WINAPI RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName,
                             LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  if (!lpValueName || !lpcchValueName || lpReserved || (lpData && !lpcbData))
    return ERROR_INVALID_PARAMETER;
  OpenedKey key;
  DWORD err = OpenForValues(hKey, KEY_QUERY_VALUE, &key);
  if (err != ERROR_SUCCESS) return static_cast<LSTATUS>(err);
  Platform::RegistryValue value;
  if ((err = key.store->EnumValue(key.id, dwIndex, &value)) != ERROR_SUCCESS)
    return static_cast<LSTATUS>(err);
  if (value.name.size() + 1 > *lpcchValueName) return ERROR_MORE_DATA;
  std::memcpy(lpValueName, value.name.c_str(), (value.name.size() + 1) * sizeof(WCHAR));
  *lpcchValueName = static_cast<DWORD>(value.name.size());
  return static_cast<LSTATUS>(CopyData(value, lpType, lpData, lpcbData));
}
