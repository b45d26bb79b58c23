#pragma once
// Reading and setting registry values in tests, byte for byte.

#include <string>

#include "Platform/Win32.h"

struct RegValue {
  DWORD type = 0;
  std::string data;
  bool exists = true;
  bool operator==(const RegValue& other) const {
    return type == other.type && data == other.data && exists == other.exists;
  }
};
RegValue RegistryValue(HKEY root, const std::u16string& key, const std::u16string& name);
void SetRegistryText(HKEY root, const std::u16string& key, const std::u16string& name,
                     const std::u16string& text);
