#pragma once
// Reading and replacing the files of shell links.

#include <string>

#include "Platform/Shell/ShellLinkFormat.h"

namespace Platform {

// Writes bytes as the whole new content of posix: a complete new file takes the old one's
// place in one step (a crash leaves the old or the new link, never a torn one; a symbolic link
// planted at the name is replaced, not followed), keeping the old file's stored attributes.
// Returns a Win32 error code.
DWORD ReplaceFileContents(const std::string& posix, const std::string& bytes);

// Reads a whole file of at most limit bytes. Returns a Win32 error code.
DWORD ReadSmallFile(const std::string& posix, size_t limit, std::string* bytes);

// Fills the target facts of a link (attributes, times, size, drive type and serial) from the
// file system; a target that does not exist leaves them zero.
void FillTargetFacts(ShellLinkData* link);

}  // namespace Platform
