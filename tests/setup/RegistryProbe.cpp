#include "RegistryProbe.h"

#include <gtest/gtest.h>

RegValue RegistryValue(HKEY root, const std::u16string& key, const std::u16string& name) {
  RegValue value;
  value.exists = false;
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return value;
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(handle, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    value.data.resize(size);
    if (RegQueryValueExW(handle, name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(value.data.data()), &size) == ERROR_SUCCESS) {
      value.data.resize(size);
      value.type = type;
      value.exists = true;
    }
  }
  RegCloseKey(handle);
  return value;
}

void SetRegistryText(HKEY root, const std::u16string& key, const std::u16string& name,
                     const std::u16string& text) {
  HKEY handle = nullptr;
  ASSERT_EQ(RegCreateKeyW(root, key.c_str(), &handle), ERROR_SUCCESS);
  EXPECT_EQ(
      RegSetValueExW(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                     static_cast<DWORD>(text.size() * 2)),
      ERROR_SUCCESS);
  RegCloseKey(handle);
}
