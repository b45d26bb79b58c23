#include "Platform/Kernel/ShareLocks.h"

#include <fcntl.h>

#include <cstdint>
#include <initializer_list>

#include "Platform/Win32.h"

namespace Platform {
namespace {

// Marker bytes: the access held (read, write, delete), then the access denied to others.
constexpr off_t kMarkerBase = INT64_MAX - 64;
constexpr off_t kHolds = 0;
constexpr off_t kDenies = 3;

int Slot(unsigned bit) { return bit == kShareRead ? 0 : bit == kShareWrite ? 1 : 2; }

bool OthersHold(int fd, off_t byte) {
  struct flock lock = {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = kMarkerBase + byte;
  lock.l_len = 1;
  if (fcntl(fd, F_OFD_GETLK, &lock) != 0) return false;
  return lock.l_type != F_UNLCK;
}

bool Hold(int fd, off_t byte) {
  struct flock lock = {};
  lock.l_type = F_RDLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = kMarkerBase + byte;
  lock.l_len = 1;
  return fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

bool CanLock(int fd) {
  int mode = fcntl(fd, F_GETFL);
  return mode >= 0 && (mode & O_ACCMODE) != O_WRONLY && !(mode & O_PATH);
}

}  // namespace

DWORD AcquireShareLocks(int fd, unsigned wanted, DWORD shared) {
  // Opens for attributes only take no part in sharing, as on Windows.
  if (!CanLock(fd) || wanted == 0) return ERROR_SUCCESS;
  const unsigned denied = ~shared & (kShareRead | kShareWrite | kShareDelete);
  for (unsigned bit : {kShareRead, kShareWrite, kShareDelete}) {
    if ((wanted & bit) && OthersHold(fd, kDenies + Slot(bit))) return ERROR_SHARING_VIOLATION;
    if ((denied & bit) && OthersHold(fd, kHolds + Slot(bit))) return ERROR_SHARING_VIOLATION;
  }
  for (unsigned bit : {kShareRead, kShareWrite, kShareDelete}) {
    if (wanted & bit) Hold(fd, kHolds + Slot(bit));
    if (denied & bit) Hold(fd, kDenies + Slot(bit));
  }
  return ERROR_SUCCESS;
}

bool DeleteDeniedByOpeners(int fd) {
  return CanLock(fd) && OthersHold(fd, kDenies + Slot(kShareDelete));
}

}  // namespace Platform
