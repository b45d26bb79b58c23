#include "Platform/Kernel/Modules.h"

#include <limits.h>
#include <unistd.h>

#include <vector>

#include "Platform/Kernel/PathMap.h"
#include "Platform/Win32.h"

namespace Platform {
namespace {

// Any unique address serves as the program's module handle.
char g_programModuleTag;

}  // namespace

HMODULE ProgramModule() { return reinterpret_cast<HMODULE>(&g_programModuleTag); }

std::string ProgramPath() {
  std::vector<char> buf(PATH_MAX + 1);
  ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  return n > 0 ? std::string(buf.data(), static_cast<size_t>(n)) : std::string();
}

}  // namespace Platform

DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
  if (hModule && hModule != Platform::ProgramModule()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  const std::u16string path = Platform::PosixToWindowsPath(Platform::ProgramPath());
  if (!lpFilename || nSize == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  // Too small: as much as fits, terminated, the buffer size answered and the error set.
  if (path.size() >= nSize) {
    path.copy(lpFilename, nSize - 1);
    lpFilename[nSize - 1] = 0;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
  }
  path.copy(lpFilename, path.size());
  lpFilename[path.size()] = 0;
  return static_cast<DWORD>(path.size());
}
