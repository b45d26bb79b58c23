#pragma once
// Execute permission for extracted programs. Files are created without it; an installer that
// unpacks a program stored with execute bits gives them back so the program can be started.

#include <cstdint>

#include "Platform/Win32Types.h"

namespace Platform {

// Adds the execute bits in `bits` (any of 0111) to the file at a Windows path. False, with the
// thread's last error set, when the path cannot be mapped or the file's mode cannot be changed.
bool AddExecutePermission(LPCWSTR path, uint32_t bits);

}  // namespace Platform
