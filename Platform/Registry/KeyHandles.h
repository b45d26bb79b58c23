#pragma once
// The process's open registry keys: what each HKEY stands for, including the predefined keys.

#include <memory>

#include "Platform/Registry/RegistryStore.h"
#include "Platform/Win32.h"

namespace Platform {

struct OpenedKey {
  std::shared_ptr<RegistryStore> store;
  KeyId id = 0;
  Hive hive = Hive::CurrentUser;
  REGSAM access = 0;  // rights granted, generic rights already mapped
  bool isHiveRoot = false;
};

// ERROR_INVALID_HANDLE for handles that are not open (and for predefined keys other than the two
// hives kept here); the error of opening the database for a predefined key.
DWORD ResolveKeyHandle(HKEY key, OpenedKey* opened);

HKEY AddKeyHandle(const OpenedKey& opened);

// ERROR_SUCCESS also for predefined keys, which need no closing.
DWORD CloseKeyHandle(HKEY key);

}  // namespace Platform
