#pragma once
// The Win32 error code for an errno value, for the file and process functions.

#include <string>

#include "Platform/Win32Types.h"

namespace Platform {

DWORD Win32ErrorFromErrno(int err);

// SetLastError(Win32ErrorFromErrno(err)).
void SetLastErrorFromErrno(int err);

// The error for a path that does not exist: ERROR_PATH_NOT_FOUND when its folder is missing
// too, else ERROR_FILE_NOT_FOUND, as Windows tells them apart.
DWORD MissingFileError(const std::string& posix);

}  // namespace Platform
