#pragma once
// Every registry test works on the registry of its own fresh prefix.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Platform/Win32.h"
#include "support/TestPrefix.h"

namespace RegistryTests {

inline LSTATUS SetBytes(HKEY key, const char16_t* name, DWORD type, const std::string& bytes) {
  return RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                        static_cast<DWORD>(bytes.size()));
}

inline LSTATUS SetText(HKEY key, const char16_t* name, const std::u16string& text,
                       bool terminator) {
  std::string bytes(reinterpret_cast<const char*>(text.c_str()),
                    (text.size() + (terminator ? 1 : 0)) * sizeof(char16_t));
  return SetBytes(key, name, REG_SZ, bytes);
}

// The stored bytes of a value, or nullopt when it cannot be read.
inline std::optional<std::string> Bytes(HKEY key, const char16_t* name, DWORD* type = nullptr) {
  DWORD size = 0;
  if (RegQueryValueExW(key, name, nullptr, type, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  std::string data(size, '\0');
  if (RegQueryValueExW(key, name, nullptr, type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  data.resize(size);
  return data;
}

class RegistryTest : public ::testing::Test {
 protected:
  std::string Prefix() const { return m_prefix.Path().string(); }
  std::string Database() const { return Prefix() + "/registry.db"; }

  // A key created below root (the current user's hive unless given); closed by the test.
  HKEY Create(const char16_t* path, HKEY root = HKEY_CURRENT_USER, REGSAM sam = KEY_ALL_ACCESS) {
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS,
              RegCreateKeyExW(root, path, 0, nullptr, 0, sam, nullptr, &key, nullptr));
    return key;
  }

 private:
  TestSupport::TestPrefix m_prefix;
};

}  // namespace RegistryTests
