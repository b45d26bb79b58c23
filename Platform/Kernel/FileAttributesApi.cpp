// File attributes: directory and read-only come from the file system, the rest from the
// attribute store.
#include <errno.h>
#include <sys/stat.h>

#include "Platform/Kernel/ErrnoMap.h"
#include "Platform/Kernel/FileAttributeStore.h"
#include "Platform/Kernel/PathMap.h"
#include "Platform/Win32.h"

namespace {

// stat with the Windows error on failure.
bool StatPath(LPCWSTR path, std::string* posix, struct stat* st) {
  if (!path) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  if (!Platform::WindowsToPosixPath(path, posix)) return false;
  if (stat(posix->c_str(), st) == 0) return true;
  SetLastError(errno == ENOENT    ? Platform::MissingFileError(*posix)
               : errno == ENOTDIR ? static_cast<DWORD>(ERROR_PATH_NOT_FOUND)
                                  : Platform::Win32ErrorFromErrno(errno));
  return false;
}

}  // namespace

DWORD WINAPI GetFileAttributesW(LPCWSTR lpFileName) {
  std::string posix;
  struct stat st;
  if (!StatPath(lpFileName, &posix, &st)) return INVALID_FILE_ATTRIBUTES;
  const bool isDir = S_ISDIR(st.st_mode);
  DWORD attrs = Platform::ReadStoredAttributes(posix, isDir);
  if (isDir) attrs |= FILE_ATTRIBUTE_DIRECTORY;
  if (!isDir && !(st.st_mode & S_IWUSR)) attrs |= FILE_ATTRIBUTE_READONLY;
  return attrs ? attrs : FILE_ATTRIBUTE_NORMAL;
}

BOOL WINAPI SetFileAttributesW(LPCWSTR lpFileName, DWORD dwFileAttributes) {
  std::string posix;
  struct stat st;
  if (!StatPath(lpFileName, &posix, &st)) return FALSE;
  const bool isDir = S_ISDIR(st.st_mode);
  mode_t mode = st.st_mode & 07777;
  if (!isDir)
    mode = (dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? (mode & 07555) : (mode | S_IWUSR);
  // Storing the attribute needs write permission, so a file turns read-only only afterwards.
  const bool gainsWrite = (mode & S_IWUSR) && !(st.st_mode & S_IWUSR);
  if (gainsWrite && chmod(posix.c_str(), mode) != 0) {
    Platform::SetLastErrorFromErrno(errno);
    return FALSE;
  }
  if (int err = Platform::WriteStoredAttributes(posix, isDir, dwFileAttributes)) {
    Platform::SetLastErrorFromErrno(err);
    return FALSE;
  }
  if (!gainsWrite && mode != (st.st_mode & 07777) && chmod(posix.c_str(), mode) != 0) {
    Platform::SetLastErrorFromErrno(errno);
    return FALSE;
  }
  return TRUE;
}
