// Opening, creating, closing, deleting and enumerating registry keys.
#include <cstring>

#include "Platform/Registry/KeyPath.h"

using Platform::OpenedKey;

namespace {

constexpr DWORD kSupportedOptions = REG_OPTION_VOLATILE;

// Copies text with its terminator into a buffer of *capacity characters. ERROR_MORE_DATA
// (nothing copied, *capacity unchanged) when it does not fit; else *capacity becomes the length.
DWORD CopyName(const std::u16string& text, LPWSTR buffer, LPDWORD capacity) {
  if (text.size() + 1 > *capacity) return ERROR_MORE_DATA;
  std::memcpy(buffer, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
  *capacity = static_cast<DWORD>(text.size());
  return ERROR_SUCCESS;
}

}  // namespace

LSTATUS WINAPI RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, LPWSTR lpClass, DWORD dwOptions,
                               REGSAM samDesired, const LPSECURITY_ATTRIBUTES, PHKEY phkResult,
                               LPDWORD lpdwDisposition) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  if (!lpSubKey) return ERROR_INVALID_PARAMETER;
  if (dwOptions & ~kSupportedOptions) {
    OutputDebugStringA("RegCreateKeyExW: only REG_OPTION_VOLATILE is supported as an option\n");
    return ERROR_INVALID_PARAMETER;
  }
  if (dwOptions & REG_OPTION_VOLATILE)
    OutputDebugStringA("RegCreateKeyExW: volatile keys are kept like all others\n");
  OpenedKey parent;
  DWORD err = Platform::ResolveKeyHandle(hKey, &parent);
  if (err != ERROR_SUCCESS) return static_cast<LSTATUS>(err);
  std::vector<std::u16string> names;
  if ((err = Platform::SplitKeyPath(lpSubKey, &names)) != ERROR_SUCCESS)
    return static_cast<LSTATUS>(err);
  bool created = false;
  err = Platform::OpenSubkey(parent, std::move(names), samDesired, true, lpClass ? lpClass : u"",
                             phkResult, &created);
  if (err == ERROR_SUCCESS && lpdwDisposition)
    *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return static_cast<LSTATUS>(err);
}

LSTATUS WINAPI RegCreateKeyW(HKEY hKey, LPCWSTR lpSubKey, PHKEY phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  if (!lpSubKey || !*lpSubKey) {
    // Without a subkey the caller gets its own handle back, as documented.
    OpenedKey key;
    DWORD err = Platform::ResolveKeyHandle(hKey, &key);
    *phkResult = err == ERROR_SUCCESS ? hKey : nullptr;
    return static_cast<LSTATUS>(err);
  }
  return RegCreateKeyExW(hKey, lpSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE, MAXIMUM_ALLOWED,
                         nullptr, phkResult, nullptr);
}

LSTATUS WINAPI RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM samDesired,
                             PHKEY phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  OpenedKey parent;
  DWORD err = Platform::ResolveKeyHandle(hKey, &parent);
  if (err != ERROR_SUCCESS) return static_cast<LSTATUS>(err);
  std::vector<std::u16string> names;
  if ((err = Platform::SplitKeyPath(lpSubKey, &names)) != ERROR_SUCCESS)
    return static_cast<LSTATUS>(err);
  bool created;
  return static_cast<LSTATUS>(
      Platform::OpenSubkey(parent, std::move(names), samDesired, false, u"", phkResult, &created));
}

LSTATUS WINAPI RegCloseKey(HKEY hKey) {
  return static_cast<LSTATUS>(Platform::CloseKeyHandle(hKey));
}

LSTATUS WINAPI RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey) {
  if (!lpSubKey) return ERROR_INVALID_PARAMETER;
  OpenedKey parent;
  DWORD err = Platform::ResolveKeyHandle(hKey, &parent);
  if (err != ERROR_SUCCESS) return static_cast<LSTATUS>(err);
  std::vector<std::u16string> names;
  if ((err = Platform::SplitKeyPath(lpSubKey, &names)) != ERROR_SUCCESS)
    return static_cast<LSTATUS>(err);
  if (parent.isHiveRoot &&
      (names.empty() || (names.size() == 1 && parent.hive == Platform::Hive::LocalMachine)))
    return ERROR_ACCESS_DENIED;  // hive roots and the machine's top-level keys stay
  Platform::KeyId key;
  if ((err = parent.store->OpenKey(parent.id, names, &key)) != ERROR_SUCCESS)
    return static_cast<LSTATUS>(err);
  return static_cast<LSTATUS>(parent.store->DeleteKey(key));
}

LSTATUS WINAPI RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName,
                             LPDWORD lpReserved, LPWSTR lpClass, LPDWORD lpcchClass,
                             PFILETIME lpftLastWriteTime) {
  if (!lpName || !lpcchName || lpReserved || (lpClass && !lpcchClass))
    return ERROR_INVALID_PARAMETER;
  OpenedKey key;
  DWORD err = Platform::ResolveKeyHandle(hKey, &key);
  if (err != ERROR_SUCCESS) return static_cast<LSTATUS>(err);
  if (!(key.access & KEY_ENUMERATE_SUB_KEYS)) return ERROR_ACCESS_DENIED;
  Platform::RegistrySubkey subkey;
  if ((err = key.store->EnumKey(key.id, dwIndex, &subkey)) != ERROR_SUCCESS)
    return static_cast<LSTATUS>(err);
  if (subkey.name.size() + 1 > *lpcchName || (lpClass && subkey.className.size() + 1 > *lpcchClass))
    return ERROR_MORE_DATA;
  CopyName(subkey.name, lpName, lpcchName);
  if (lpClass) CopyName(subkey.className, lpClass, lpcchClass);
  if (lpftLastWriteTime) {
    auto ticks = static_cast<uint64_t>(subkey.lastWrite);
    lpftLastWriteTime->dwLowDateTime = static_cast<DWORD>(ticks);
    lpftLastWriteTime->dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  }
  return ERROR_SUCCESS;
}
