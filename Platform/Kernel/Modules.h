#pragma once
// Module handles: the program itself and the system libraries whose functions this layer
// provides (the MODULE column of Platform/Win32Api.inc). The libraries are part of the program,
// so they are always loaded; LoadLibraryW and GetModuleHandleW find them by name, and
// GetProcAddress finds their functions by name (and SHELL32's exports by ordinal that callers
// use by number). Other names are shared objects of the system: see SharedObjects.h.

#include <string>

#include "Platform/Win32Types.h"

namespace Platform {

// The program's own module (GetModuleHandleW(nullptr)).
HMODULE ProgramModule();

// POSIX path of the running program.
std::string ProgramPath();

// The library module of that name ("kernel32", "User32.dll", "C:\...\msimg32.DLL"; case and
// ".dll" do not matter), the program for its own file name, or null.
HMODULE FindModule(std::u16string_view name);

// The library's lower-case name ("kernel32"); empty for the program and unknown handles.
std::u16string LibraryName(HMODULE module);

// Whether the handle is the program or one of the libraries.
bool IsKnownModule(HMODULE module);

// The Windows path of a module's file; empty for an unknown handle.
std::u16string ModuleFileName(HMODULE module);

}  // namespace Platform
