#pragma once
// Module handles: the program itself and the system libraries whose functions this layer
// provides.

#include <string>

#include "Platform/Win32Types.h"

namespace Platform {

// The program's own module (GetModuleHandleW(nullptr)).
HMODULE ProgramModule();

// POSIX path of the running program.
std::string ProgramPath();

}  // namespace Platform
