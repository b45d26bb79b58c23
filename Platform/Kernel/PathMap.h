#pragma once
// Windows paths <-> POSIX paths through the prefix's drive links.
//
// Windows side: "X:\a\b" with any drive letter (case ignored) that has a dosdevices link,
// "\" and "/" both separate, "." and ".." are resolved and never climb above the drive root,
// trailing dots and blanks of the last name are dropped (as Windows does), "\\?\X:\..." is the
// same as "X:\...", a path without a drive is taken relative to the current folder and "\a"
// relative to its drive. Drive-relative ("C:a") and UNC/device paths are refused. A name that
// does not exist is also looked up without regard to ASCII case, so "C:\PROGRAM FILES" finds
// "Program Files". Characters that Windows forbids in names but Linux allows (\ : * ? " < > |)
// appear on the Windows side as U+F000 + the character.

#include <string>
#include <string_view>

#include "Platform/Kernel/DriveLinks.h"
#include "Platform/Kernel/Prefix.h"
#include "Platform/Win32Types.h"

namespace Platform {

// The Windows form of a POSIX path: under the drive whose link target holds it (longest match),
// else under Z:. A relative path is taken relative to the current folder.
std::u16string PosixToWindowsPath(const std::string& posix);

// Maps a Windows path; false for the refused forms above and for a drive without a link.
// Sets the thread's last error on failure.
bool WindowsToPosixPath(std::u16string_view windows, std::string* posix);

// The same, answering the Win32 error code instead (ERROR_SUCCESS when mapped):
// ERROR_INVALID_NAME for forbidden characters or drive-relative paths, ERROR_BAD_NETPATH for
// UNC and device paths, ERROR_PATH_NOT_FOUND for a drive without a link.
DWORD MapWindowsPath(std::u16string_view windows, std::string* posix);

// An absolute POSIX path with "." and ".." resolved by name (a relative one is taken relative
// to the current folder).
std::string NormalizePosix(const std::string& path);

}  // namespace Platform
