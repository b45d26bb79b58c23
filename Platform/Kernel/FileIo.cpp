// Reading, writing and positioning open files.
#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Platform/Kernel/ErrnoMap.h"
#include "Platform/Kernel/FileObject.h"
#include "Platform/Win32.h"

namespace {

// A synchronous handle given an OVERLAPPED reads or writes at the offset it names.
off_t OverlappedOffset(const OVERLAPPED* ov) {
  return static_cast<off_t>((static_cast<uint64_t>(ov->u.s.OffsetHigh) << 32) | ov->u.s.Offset);
}

BOOL Failed(DWORD error) {
  SetLastError(error);
  return FALSE;
}

}  // namespace

BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                     LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
  auto file = Platform::LookupHandleAs<Platform::FileObject>(hFile);
  if (!file) return FALSE;
  if (!file->CanRead()) return Failed(ERROR_ACCESS_DENIED);
  if (!lpBuffer && nNumberOfBytesToRead) return Failed(ERROR_NOACCESS);
  char* out = static_cast<char*>(lpBuffer);
  off_t offset = lpOverlapped ? OverlappedOffset(lpOverlapped) : 0;
  DWORD total = 0;
  while (total < nNumberOfBytesToRead) {
    size_t want = nNumberOfBytesToRead - total;
    ssize_t n = lpOverlapped ? pread(file->Fd(), out + total, want, offset + total)
                             : read(file->Fd(), out + total, want);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      DWORD err = errno == EISDIR ? ERROR_INVALID_FUNCTION : Platform::Win32ErrorFromErrno(errno);
      if (lpNumberOfBytesRead) *lpNumberOfBytesRead = total;
      return Failed(err);
    }
    if (n == 0) break;
    total += static_cast<DWORD>(n);
  }
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = total;
  if (lpOverlapped) {
    lpOverlapped->Internal = 0;
    lpOverlapped->InternalHigh = total;
    lseek(file->Fd(), offset + total, SEEK_SET);
    if (total == 0 && nNumberOfBytesToRead > 0) return Failed(ERROR_HANDLE_EOF);
  }
  return TRUE;
}

BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                      LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = 0;
  auto file = Platform::LookupHandleAs<Platform::FileObject>(hFile);
  if (!file) return FALSE;
  if (!file->CanWrite()) return Failed(ERROR_ACCESS_DENIED);
  if (!lpBuffer && nNumberOfBytesToWrite) return Failed(ERROR_NOACCESS);
  const char* in = static_cast<const char*>(lpBuffer);
  off_t offset = lpOverlapped ? OverlappedOffset(lpOverlapped) : 0;
  DWORD total = 0;
  while (total < nNumberOfBytesToWrite) {
    size_t want = nNumberOfBytesToWrite - total;
    ssize_t n = lpOverlapped ? pwrite(file->Fd(), in + total, want, offset + total)
                             : write(file->Fd(), in + total, want);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      DWORD err = n == 0 ? ERROR_DISK_FULL : Platform::Win32ErrorFromErrno(errno);
      if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = total;
      return Failed(err);
    }
    total += static_cast<DWORD>(n);
  }
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = total;
  if (lpOverlapped) {
    lpOverlapped->Internal = 0;
    lpOverlapped->InternalHigh = total;
    lseek(file->Fd(), offset + total, SEEK_SET);
  }
  return TRUE;
}

DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
  auto file = Platform::LookupHandleAs<Platform::FileObject>(hFile);
  if (!file) return INVALID_FILE_SIZE;
  struct stat st;
  if (fstat(file->Fd(), &st) != 0) {
    Platform::SetLastErrorFromErrno(errno);
    return INVALID_FILE_SIZE;
  }
  const uint64_t size = static_cast<uint64_t>(st.st_size);
  if (lpFileSizeHigh) *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
  // A size whose low part looks like the failure value is told apart by the last error.
  if (static_cast<DWORD>(size) == INVALID_FILE_SIZE) SetLastError(NO_ERROR);
  return static_cast<DWORD>(size);
}

BOOL WINAPI GetFileSizeEx(HANDLE hFile, PLARGE_INTEGER lpFileSize) {
  auto file = Platform::LookupHandleAs<Platform::FileObject>(hFile);
  if (!file) return FALSE;
  if (!lpFileSize) return Failed(ERROR_INVALID_PARAMETER);
  struct stat st;
  if (fstat(file->Fd(), &st) != 0) return Failed(Platform::Win32ErrorFromErrno(errno));
  lpFileSize->QuadPart = st.st_size;
  return TRUE;
}

DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh,
                            DWORD dwMoveMethod) {
  auto file = Platform::LookupHandleAs<Platform::FileObject>(hFile);
  if (!file) return INVALID_SET_FILE_POINTER;
  if (dwMoveMethod > FILE_END) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  // Without a high part the distance is a signed 32-bit value.
  int64_t distance =
      lpDistanceToMoveHigh
          ? static_cast<int64_t>(
                (static_cast<uint64_t>(static_cast<DWORD>(*lpDistanceToMoveHigh)) << 32) |
                static_cast<DWORD>(lDistanceToMove))
          : static_cast<int64_t>(lDistanceToMove);
  const int whence = dwMoveMethod == FILE_BEGIN     ? SEEK_SET
                     : dwMoveMethod == FILE_CURRENT ? SEEK_CUR
                                                    : SEEK_END;
  off_t base = whence == SEEK_SET ? 0 : lseek(file->Fd(), 0, whence);
  if (base < 0 || (distance < 0 && base < -distance)) {
    SetLastError(base < 0 ? Platform::Win32ErrorFromErrno(errno) : ERROR_NEGATIVE_SEEK);
    return INVALID_SET_FILE_POINTER;
  }
  if (!lpDistanceToMoveHigh && base + distance > static_cast<off_t>(UINT32_MAX)) {
    SetLastError(ERROR_INVALID_PARAMETER);  // the position would not fit the 32-bit answer
    return INVALID_SET_FILE_POINTER;
  }
  off_t pos = lseek(file->Fd(), base + distance, SEEK_SET);
  if (pos < 0) {
    Platform::SetLastErrorFromErrno(errno);
    return INVALID_SET_FILE_POINTER;
  }
  if (lpDistanceToMoveHigh) *lpDistanceToMoveHigh = static_cast<LONG>(pos >> 32);
  if (static_cast<DWORD>(pos) == INVALID_SET_FILE_POINTER) SetLastError(NO_ERROR);
  return static_cast<DWORD>(pos);
}
