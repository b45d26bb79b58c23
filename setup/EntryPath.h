#pragma once
// Where an archive entry lands under the install directory.

#include "Platform/Win32.h"

// Joins the destination (ending with a backslash) and an entry name from the archive into
// `out` (MAX_PATH characters). "/" and "\" both separate; "." and empty components are dropped.
// The entry is refused (false) when its path would leave the destination or cannot be held:
// a ".." component (or any component of only dots and blanks, which Windows trims to nothing
// or to ".."), a rooted name, a drive or any ":" in it, a name with no component left, or a
// result longer than 259 characters.
bool ResolveEntryPath(LPCWSTR destination, LPCWSTR entryName, WCHAR* out);
