#include "Platform/Kernel/ShareLocks.h"

#include <fcntl.h>

#include <cstdint>
#include <initializer_list>

#include "Platform/Win32.h"

namespace Platform {
namespace {

// Marker bytes, one for each access held and one for each access denied to others. They are
// ordered so that the usual opens (reading or writing, sharing reading or nothing) hold one
// unbroken range and take it with one call.
constexpr off_t kMarkerBase = INT64_MAX - 64;
constexpr int kMarkers = 6;

int HoldByte(unsigned bit) { return bit == kShareRead ? 0 : bit == kShareWrite ? 3 : 5; }
int DenyByte(unsigned bit) { return bit == kShareRead ? 4 : bit == kShareWrite ? 1 : 2; }

bool OthersHold(int fd, int first, int count) {
  struct flock lock = {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = kMarkerBase + first;
  lock.l_len = count;
  if (fcntl(fd, F_OFD_GETLK, &lock) != 0) return false;
  return lock.l_type != F_UNLCK;
}

void Hold(int fd, int first, int count) {
  struct flock lock = {};
  lock.l_type = F_RDLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = kMarkerBase + first;
  lock.l_len = count;
  fcntl(fd, F_OFD_SETLK, &lock);
}

bool CanLock(int openFlags) { return (openFlags & O_ACCMODE) != O_WRONLY && !(openFlags & O_PATH); }

bool Conflicts(int fd, unsigned wanted, unsigned denied) {
  // Most files have no other opens: one question over every marker settles it.
  if (!OthersHold(fd, 0, kMarkers)) return false;
  for (unsigned bit : {kShareRead, kShareWrite, kShareDelete}) {
    if ((wanted & bit) && OthersHold(fd, DenyByte(bit), 1)) return true;
    if ((denied & bit) && OthersHold(fd, HoldByte(bit), 1)) return true;
  }
  return false;
}

}  // namespace

DWORD AcquireShareLocks(int fd, int openFlags, unsigned wanted, DWORD shared) {
  // Opens for attributes only take no part in sharing, as on Windows.
  if (!CanLock(openFlags) || wanted == 0) return ERROR_SUCCESS;
  const unsigned denied = ~shared & (kShareRead | kShareWrite | kShareDelete);
  if (Conflicts(fd, wanted, denied)) return ERROR_SHARING_VIOLATION;
  bool marked[kMarkers] = {};
  for (unsigned bit : {kShareRead, kShareWrite, kShareDelete}) {
    if (wanted & bit) marked[HoldByte(bit)] = true;
    if (denied & bit) marked[DenyByte(bit)] = true;
  }
  for (int first = 0; first < kMarkers;) {
    if (!marked[first]) {
      ++first;
      continue;
    }
    int end = first;
    while (end < kMarkers && marked[end]) ++end;
    Hold(fd, first, end - first);
    first = end;
  }
  return ERROR_SUCCESS;
}

bool DeleteDeniedByOpeners(int fd) {
  return CanLock(fcntl(fd, F_GETFL)) && OthersHold(fd, DenyByte(kShareDelete), 1);
}

}  // namespace Platform
