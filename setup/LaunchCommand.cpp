#include "setup/LaunchCommand.h"

#include "setup/InstallNames.h"

void LauncherPath(LPCWSTR installDir, WCHAR* out) {
  int length = lstrlenW(installDir);
  bool separator = length > 0 && installDir[length - 1] == u'\\';
  wnsprintfW(out, MAX_PATH, separator ? u"%s%s" : u"%s\\%s", installDir, kLauncherName);
}

void LaunchCommandLine(LPCWSTR launcher, LPCWSTR installerPath, WCHAR* out) {
  wnsprintfW(out, kLaunchCommandSize, u"\"%s\" %s", launcher, installerPath);
}
