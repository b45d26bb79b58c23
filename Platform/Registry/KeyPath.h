#pragma once
// The rules for the key paths and access masks the registry functions are given.

#include <string>
#include <vector>

#include "Platform/Registry/KeyHandles.h"

namespace Platform {

constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxValueNameLength = 16383;

// Splits "a\b\c" into its names (null means none). One trailing backslash is allowed;
// a leading one or an empty name between two is ERROR_BAD_PATHNAME, a name longer than 255
// characters ERROR_INVALID_PARAMETER.
DWORD SplitKeyPath(const char16_t* subKey, std::vector<std::u16string>* names);

// The rights a handle gets for samDesired: generic rights mapped to key rights,
// MAXIMUM_ALLOWED to all of them. Asking for both registry views is ERROR_INVALID_PARAMETER.
DWORD GrantedKeyAccess(REGSAM samDesired, REGSAM* granted);

// The 32-bit view (KEY_WOW64_32KEY) sees HKEY_LOCAL_MACHINE\SOFTWARE at SOFTWARE\WOW6432Node.
// This build runs as a native 64-bit process, so the 64-bit view is the default one.
void ApplyRegistryView(const OpenedKey& parent, REGSAM samDesired,
                       std::vector<std::u16string>* names);

// Opens (or with create, creates) names below parent and hands out a new handle.
DWORD OpenSubkey(const OpenedKey& parent, std::vector<std::u16string> names, REGSAM samDesired,
                 bool create, const std::u16string& className, HKEY* result, bool* created);

}  // namespace Platform
