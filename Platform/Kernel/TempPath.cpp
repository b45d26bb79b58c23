#include "Platform/Kernel/PathMap.h"
#include "Platform/Win32.h"

DWORD WINAPI GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer) {
  std::string posix;
  if (!Platform::PrivateTempDir(&posix)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return 0;
  }
  const std::u16string path = Platform::PosixToWindowsPath(posix) + u"\\";
  const DWORD length = static_cast<DWORD>(path.size());
  // Too small: the size needed, terminator included, and the buffer is left alone.
  if (!lpBuffer || nBufferLength <= length) return length + 1;
  path.copy(lpBuffer, path.size());
  lpBuffer[length] = 0;
  return length;
}
