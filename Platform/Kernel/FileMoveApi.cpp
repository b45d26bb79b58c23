// Moving and renaming files and folders, and moves left for the next start of the system.
#include <errno.h>
#include <stdio.h>
#include <sys/stat.h>

#include <string>

#include "Platform/Kernel/ErrnoMap.h"
#include "Platform/Kernel/FileAttributeStore.h"
#include "Platform/Kernel/PathMap.h"
#include "Platform/Kernel/Unsupported.h"
#include "Platform/Win32.h"

namespace {

const WCHAR kSessionManagerKey[] = u"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const WCHAR kPendingValue[] = u"PendingFileRenameOperations";

BOOL Failed(DWORD error) {
  SetLastError(error);
  return FALSE;
}

// Windows keeps such requests as pairs of NT paths in one REG_MULTI_SZ value, an empty target
// meaning "delete"; they are appended in the order given, and carried out in that order when
// the system starts next. Only administrators may add to it.
BOOL RecordPendingMove(LPCWSTR from, LPCWSTR to) {
  HKEY key = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, nullptr, 0,
                                   KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return Failed(static_cast<DWORD>(status));
  std::u16string list;
  DWORD bytes = 0;
  if (RegQueryValueExW(key, kPendingValue, nullptr, nullptr, nullptr, &bytes) == ERROR_SUCCESS &&
      bytes >= sizeof(WCHAR)) {
    list.resize(bytes / sizeof(WCHAR));
    RegQueryValueExW(key, kPendingValue, nullptr, nullptr, reinterpret_cast<BYTE*>(list.data()),
                     &bytes);
    list.resize(bytes / sizeof(WCHAR));
    if (!list.empty() && list.back() == 0) list.pop_back();  // the empty string that closes it
  }
  list += u"\\??\\" + std::u16string(from) + u'\0';
  if (to != nullptr) list += u"\\??\\" + std::u16string(to);
  list += u'\0';
  list += u'\0';
  status = RegSetValueExW(key, kPendingValue, 0, REG_MULTI_SZ,
                          reinterpret_cast<const BYTE*>(list.data()),
                          static_cast<DWORD>(list.size() * sizeof(WCHAR)));
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? TRUE : Failed(static_cast<DWORD>(status));
}

}  // namespace

BOOL WINAPI MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags) {
  if (!lpExistingFileName) return Failed(ERROR_INVALID_PARAMETER);
  if (dwFlags & MOVEFILE_DELAY_UNTIL_REBOOT) {
    if (dwFlags & MOVEFILE_COPY_ALLOWED) return Failed(ERROR_INVALID_PARAMETER);
    return RecordPendingMove(lpExistingFileName, lpNewFileName);
  }
  if (!lpNewFileName) return Failed(ERROR_INVALID_PARAMETER);
  std::string from, to;
  if (!Platform::WindowsToPosixPath(lpExistingFileName, &from) ||
      !Platform::WindowsToPosixPath(lpNewFileName, &to))
    return FALSE;
  struct stat st;
  if (lstat(from.c_str(), &st) != 0)
    return Failed(errno == ENOENT ? Platform::MissingFileError(from)
                                  : Platform::Win32ErrorFromErrno(errno));
  struct stat existing;
  if (lstat(to.c_str(), &existing) == 0) {
    if (!(dwFlags & MOVEFILE_REPLACE_EXISTING) || S_ISDIR(existing.st_mode))
      return Failed(ERROR_ALREADY_EXISTS);
  }
  if (rename(from.c_str(), to.c_str()) != 0) {
    if (errno == EXDEV && (dwFlags & MOVEFILE_COPY_ALLOWED))
      Platform::ReportUnsupported("MoveFileExW", "copy to another file system");
    return Failed(errno == EXDEV ? ERROR_NOT_SAME_DEVICE : Platform::Win32ErrorFromErrno(errno));
  }
  Platform::ForgetStoredAttributes(from);
  return TRUE;
}
