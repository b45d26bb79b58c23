// Creating and removing folders, deleting files.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Platform/Kernel/ErrnoMap.h"
#include "Platform/Kernel/FileAttributeStore.h"
#include "Platform/Kernel/FolderNames.h"
#include "Platform/Kernel/PathMap.h"
#include "Platform/Kernel/ShareLocks.h"
#include "Platform/Text/AsciiText.h"
#include "Platform/Win32.h"

namespace {

BOOL Failed(DWORD error) {
  SetLastError(error);
  return FALSE;
}

DWORD MkdirError(int err) {
  if (err == EEXIST) return ERROR_ALREADY_EXISTS;
  if (err == ENOENT || err == ENOTDIR) return ERROR_PATH_NOT_FOUND;
  return Platform::Win32ErrorFromErrno(err);
}

bool IsFullPath(const std::u16string& path) {
  using Platform::IsPathSeparator;
  if (path.size() >= 3 && path[1] == u':' && IsPathSeparator(path[2])) return true;
  return path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]);
}

bool IsDirectory(const std::string& posix) {
  struct stat st;
  return stat(posix.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// mkdir -p on the POSIX side; the answer is the Win32 code for the last level.
int CreateAllLevels(const std::string& posix) {
  struct stat st;
  if (stat(posix.c_str(), &st) == 0)
    return S_ISDIR(st.st_mode) ? ERROR_ALREADY_EXISTS : ERROR_FILE_EXISTS;
  size_t pos = 1;
  while (true) {
    size_t slash = posix.find('/', pos);
    std::string level = posix.substr(0, slash);
    if (!IsDirectory(level)) {
      if (mkdir(level.c_str(), 0755) == 0)
        Platform::NoteCreatedName(level);
      else if (!(errno == EEXIST && IsDirectory(level)))
        return static_cast<int>(MkdirError(errno == EEXIST ? ENOTDIR : errno));
    }
    if (slash == std::string::npos) return ERROR_SUCCESS;
    pos = slash + 1;
  }
}

int CreateDirectoryTree(LPCWSTR path, size_t maxLength) {
  int result;
  std::string posix;
  if (!path || !IsFullPath(path)) {
    result = ERROR_BAD_PATHNAME;
  } else if (std::u16string(path).size() + 1 > maxLength) {
    result = ERROR_FILENAME_EXCED_RANGE;
  } else {
    DWORD err = Platform::MapWindowsPath(path, &posix);
    result = err ? static_cast<int>(err == ERROR_BAD_NETPATH ? err : ERROR_PATH_NOT_FOUND)
                 : CreateAllLevels(posix);
  }
  SetLastError(static_cast<DWORD>(result));
  return result;
}

}  // namespace

BOOL WINAPI CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES) {
  if (!lpPathName) return Failed(ERROR_PATH_NOT_FOUND);
  std::string posix;
  if (!Platform::WindowsToPosixPath(lpPathName, &posix)) return FALSE;
  if (mkdir(posix.c_str(), 0755) != 0) return Failed(MkdirError(errno));
  Platform::NoteCreatedName(posix);
  return TRUE;
}

BOOL WINAPI DeleteFileW(LPCWSTR lpFileName) {
  if (!lpFileName) return Failed(ERROR_PATH_NOT_FOUND);
  std::string posix;
  if (!Platform::WindowsToPosixPath(lpFileName, &posix)) return FALSE;
  struct stat st;
  if (lstat(posix.c_str(), &st) != 0)
    return Failed(errno == ENOENT ? Platform::MissingFileError(posix)
                                  : Platform::Win32ErrorFromErrno(errno));
  if (S_ISDIR(st.st_mode)) return Failed(ERROR_ACCESS_DENIED);
  if (S_ISREG(st.st_mode)) {
    // Read-only files are not deleted, by anyone; nor files opened without FILE_SHARE_DELETE.
    if (!(st.st_mode & S_IWUSR)) return Failed(ERROR_ACCESS_DENIED);
    int fd = open(posix.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
      bool denied = Platform::DeleteDeniedByOpeners(fd);
      close(fd);
      if (denied) return Failed(ERROR_SHARING_VIOLATION);
    }
  }
  if (unlink(posix.c_str()) != 0) return Failed(Platform::Win32ErrorFromErrno(errno));
  Platform::ForgetStoredAttributes(posix);
  return TRUE;
}

int WINAPI SHCreateDirectoryExW(HWND, LPCWSTR pszPath, const SECURITY_ATTRIBUTES*) {
  return CreateDirectoryTree(pszPath, 248);
}

int WINAPI SHCreateDirectory(HWND, PCWSTR pszPath) {
  return CreateDirectoryTree(pszPath, MAX_PATH);
}

BOOL WINAPI RemoveDirectoryW(LPCWSTR lpPathName) {
  if (!lpPathName) return Failed(ERROR_PATH_NOT_FOUND);
  std::string posix;
  if (!Platform::WindowsToPosixPath(lpPathName, &posix)) return FALSE;
  struct stat st;
  if (lstat(posix.c_str(), &st) != 0)
    return Failed(errno == ENOENT ? Platform::MissingFileError(posix)
                                  : Platform::Win32ErrorFromErrno(errno));
  if (!S_ISDIR(st.st_mode)) return Failed(ERROR_DIRECTORY);
  if (rmdir(posix.c_str()) != 0)
    return Failed(errno == ENOTEMPTY || errno == EEXIST ? ERROR_DIR_NOT_EMPTY
                                                        : Platform::Win32ErrorFromErrno(errno));
  Platform::ForgetStoredAttributes(posix);
  return TRUE;
}
