#pragma once
// Paths of the extraction: where an entry lands (pure) and the folder and file helpers.

#include "Platform/Win32.h"

class CreationListener;

// "/" and "\" both separate the components of a path.
bool IsPathSeparator(WCHAR c);

// Where an archive entry lands under the install directory.

// Joins the destination (ending with a backslash) and an entry name from the archive into
// `out` (MAX_PATH characters). "/" and "\" both separate; "." and empty components are dropped.
// The entry is refused (false) when its path would leave the destination or cannot be held:
// a ".." component (or any component of only dots and blanks, which Windows trims to nothing
// or to ".."), a rooted name, a drive or any ":" in it, a name with no component left, or a
// result longer than 259 characters.
bool ResolveEntryPath(LPCWSTR destination, LPCWSTR entryName, WCHAR* out);

// Folder and file helpers of the payload extraction.

// Makes sure `path` exists, creating missing folders from the top down. True when the path
// names something that exists afterwards (also a file). A path without any separator is a
// drive: true when that drive exists. Each folder it creates is told to `listener` when given.
bool EnsureDirectory(LPCWSTR path, CreationListener* listener = nullptr);

// Copies everything before the last "/" or "\" of `path` into `out` (MAX_PATH characters).
// False, with `out` empty, when there is no separator.
bool ParentPath(LPCWSTR path, WCHAR* out);

// Writes `count` bytes in calls of at most 16 MiB; returns how many were written. Stops at the
// first failed or short write, leaving the error for GetLastError.
ULONGLONG WriteAll(ULONGLONG count, const void* data, HANDLE file);
