#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "Platform/Kernel/PathMap.h"
#include "Platform/Win32.h"
#include "Platform/Win32Ext.h"

namespace Platform {

bool AddExecutePermission(LPCWSTR path, uint32_t bits) {
  std::string posix;
  DWORD mapped = MapWindowsPath(path ? path : u"", &posix);
  if (mapped != ERROR_SUCCESS) {
    SetLastError(mapped);
    return false;
  }
  // Opened without following a link, so the mode change lands on the file that was written.
  int fd = open(posix.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  struct stat info;
  bool ok = fd >= 0 && fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
            fchmod(fd, (info.st_mode & 07777) | (bits & 0111)) == 0;
  int saved = errno;
  if (fd >= 0) close(fd);
  if (!ok) SetLastError(saved == ENOENT ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED);
  return ok;
}

}  // namespace Platform
