#include "setup/LaunchCommand.h"

#include "setup/InstallNames.h"

void LauncherPath(LPCWSTR installDir, WCHAR* out) {
  int length = lstrlenW(installDir);
  bool separator = length > 0 && installDir[length - 1] == TEXT('\\');
  wnsprintfW(out, MAX_PATH, separator ? TEXT("%s%s") : TEXT("%s\\%s"), installDir, kLauncherName);
}

void LaunchCommandLine(LPCWSTR launcher, LPCWSTR installerPath, WCHAR* out) {
  wnsprintfW(out, kLaunchCommandSize, TEXT("\"%s\" %s"), launcher, installerPath);
}
