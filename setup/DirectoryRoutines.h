#pragma once
// Folder and file helpers of the payload extraction.

#include "Platform/Win32.h"

// Makes sure `path` exists, creating missing folders from the top down. True when the path
// names something that exists afterwards (also a file). A path without any separator is a
// drive: true when that drive exists.
bool EnsureDirectory(LPCWSTR path);

// Copies everything before the last "/" or "\" of `path` into `out` (MAX_PATH characters).
// False, with `out` empty, when there is no separator.
bool ParentPath(LPCWSTR path, WCHAR* out);

// Writes `count` bytes in calls of at most 16 MiB; returns how many were written. Stops at the
// first failed or short write, leaving the error for GetLastError.
ULONGLONG WriteAll(ULONGLONG count, const void* data, HANDLE file);
