#pragma once
// The resources of each module: a table of (type, name) -> bytes. The program's own resources
// are linked in by the build (cmake/Resources.cmake: skinui_add_resource) and registered before
// main runs; tests can add and remove resources of any module at run time.
//
// Types and names are Windows resource identifiers: a number (MAKEINTRESOURCEW(106), or the
// text "#106") or a name compared without regard to ASCII case ("DATA", "ZipRes").

#include <cstddef>

#include "Platform/Win32Types.h"

namespace Platform {

// Adds a copy of the bytes; an existing resource of that type and name is replaced. False for
// an unknown module or an empty type or name.
bool RegisterResource(HMODULE module, LPCWSTR type, LPCWSTR name, const void* data, size_t size);

// The same for bytes that stay valid as long as the program runs (linked-in data): no copy.
bool RegisterStaticResource(HMODULE module, LPCWSTR type, LPCWSTR name, const void* data,
                            size_t size);

// Removes a resource added at run time; handles found for it before become invalid.
bool RemoveResource(HMODULE module, LPCWSTR type, LPCWSTR name);

// For the resource functions: the resource of a module (ERROR_RESOURCE_*_NOT_FOUND in *error
// when there is none), and the bytes behind a found resource (false for a stale handle).
HRSRC FindResourceIn(HMODULE module, LPCWSTR name, LPCWSTR type, DWORD* error);
bool ResourceData(HRSRC resource, const void** data, DWORD* size);

}  // namespace Platform
