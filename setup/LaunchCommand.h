#pragma once
// The launcher's path and the command line it is started with.

#include "Platform/Win32.h"

// The launcher's full path in an install directory, a backslash added when missing, into
// `out` of MAX_PATH characters.
void LauncherPath(LPCWSTR installDir, WCHAR* out);

// Characters a launch command line needs at most: two quoted paths, a blank, a terminator.
inline constexpr int kLaunchCommandSize = 2 * MAX_PATH + 4;

// "<launcher>" <installer>: the launcher's path quoted, so a directory with blanks such as
// C:\Program Files\... cannot start C:\Program.exe; the installer's own path after it stays
// unquoted text, so the launcher receives it as its argument text (several words when it holds
// blanks). `out` holds kLaunchCommandSize characters.
void LaunchCommandLine(LPCWSTR launcher, LPCWSTR installerPath, WCHAR* out);
