#pragma once
// Windows share modes between handles of this process and of other processes that use this
// layer. Each open holds shared open-file-description locks on marker bytes far beyond any real
// data: one per access it has (read, write, delete) and one per access it does not share. A new
// open conflicts when another open denies an access it wants, or wants an access it denies.
// Programs that do not use this layer are not held back (POSIX has no mandatory sharing), and
// the check and the taking of the locks are two steps, so two opens racing may both succeed.

#include "Platform/Win32Types.h"

namespace Platform {

constexpr unsigned kShareRead = 1, kShareWrite = 2, kShareDelete = 4;

// Checks `wanted` (kShare* bits) and `shared` (FILE_SHARE_* bits) against the other opens of
// the file and records this open on fd, whose open(2) flags are `openFlags`.
// ERROR_SUCCESS or ERROR_SHARING_VIOLATION. A descriptor that cannot carry locks (not readable,
// file system without locks) takes part in nothing.
DWORD AcquireShareLocks(int fd, int openFlags, unsigned wanted, DWORD shared);

// Whether an open of the file denies deleting it (was opened without FILE_SHARE_DELETE).
bool DeleteDeniedByOpeners(int fd);

}  // namespace Platform
