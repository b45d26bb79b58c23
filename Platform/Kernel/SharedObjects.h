#pragma once
// Libraries of the system loaded at run time: LoadLibraryW of a name that is not one of the
// built-in modules opens the shared object of that name ("libarchive.so.13"), the way Windows
// maps a DLL; GetProcAddress finds its functions and FreeLibrary releases it. Loads are counted
// per handle as on Windows. Any thread.

#include <string_view>

#include "Platform/Win32Types.h"

namespace Platform {

// The handle of the loaded object, or null (the error is ERROR_MOD_NOT_FOUND).
HMODULE LoadSharedObject(std::u16string_view name);
bool IsSharedObject(HMODULE module);
// The function's address, or null.
FARPROC SharedObjectSymbol(HMODULE module, const char* name);
// Drops one load; the object is unmapped with the last. False for an unknown handle.
bool ReleaseSharedObject(HMODULE module);

}  // namespace Platform
