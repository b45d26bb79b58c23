#include "apps/launcher/LaunchLog.h"

#include <string>

#include "Platform/Win32.h"

namespace {

// The program's own path with ".log" in place of its extension.
bool LogPath(WCHAR* out) {
  DWORD length = GetModuleFileNameW(nullptr, out, MAX_PATH);
  if (length == 0 || length >= MAX_PATH - 5) return false;
  for (DWORD i = length; i-- > 0 && out[i] != TEXT('\\');) {
    if (out[i] == TEXT('.')) {
      length = i;
      break;
    }
  }
  lstrcpynW(out + length, TEXT(".log"), MAX_PATH - length);
  return true;
}

}  // namespace

bool AppendLaunchLog(int argc, char** argv) {
  std::string record;
  for (int i = 0; i < argc; ++i) record += std::string(i == 0 ? "argv0=" : "arg=") + argv[i] + "\n";
  record += "end\n";
  WCHAR path[MAX_PATH];
  if (!LogPath(path)) return false;
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == record.size();
}
