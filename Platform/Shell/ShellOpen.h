#pragma once
// The "open" verb: runs a program, follows a shortcut, or hands a document or folder to the
// desktop's opener (xdg-open).

#include <string>

#include "Platform/Win32.h"

namespace Platform {

// file as ShellExecuteW got it; parameters appended to a program's command line; directory
// (may be null) the program's working folder. A Win32 error (ERROR_NO_ASSOCIATION when there
// is nothing that opens a document).
DWORD OpenItem(const std::u16string& file, const std::u16string& parameters,
               const char16_t* directory, int show);

// One command-line argument quoted by the Windows rules, so that splitting gives it back.
std::u16string QuoteArgument(const std::u16string& argument);

}  // namespace Platform
