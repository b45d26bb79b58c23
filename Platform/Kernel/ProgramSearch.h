#pragma once
// Finding the file a CreateProcessW request names.

#include <string>

#include "Platform/Win32Types.h"

namespace Platform {

// The program named by lpApplicationName: a full or relative path, used as given.
DWORD FindNamedProgram(const std::u16string& name, std::string* posix);

// The program at the start of a command line. Without an extension ".exe" is tried first, then
// the name as it is (programs on this system rarely have one). A name without a folder is
// looked for beside this program, in the current folder, in C:\windows\system32, C:\windows
// and along PATH. ERROR_SUCCESS, ERROR_FILE_NOT_FOUND or ERROR_PATH_NOT_FOUND.
DWORD FindCommandLineProgram(const std::u16string& commandLine, std::string* posix);

}  // namespace Platform
