// CreateFileW: Windows open semantics on POSIX descriptors.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Platform/Kernel/ErrnoMap.h"
#include "Platform/Kernel/FileAttributeStore.h"
#include "Platform/Kernel/FileObject.h"
#include "Platform/Kernel/FolderNames.h"
#include "Platform/Kernel/PathMap.h"
#include "Platform/Kernel/ShareLocks.h"
#include "Platform/Kernel/Unsupported.h"
#include "Platform/Win32.h"

namespace {

struct Access {
  bool read = false;
  bool write = false;
  bool append = false;  // write access limited to appending
  bool del = false;
};

Access DecodeAccess(DWORD a) {
  Access r;
  r.read = a & (GENERIC_READ | GENERIC_ALL | FILE_READ_DATA);
  const bool writeData = a & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA);
  r.append = !writeData && (a & FILE_APPEND_DATA);
  r.write = writeData || r.append;
  r.del = a & (DELETE | GENERIC_ALL);
  return r;
}

struct Wants {
  bool read;
  bool write;  // the descriptor must allow writing (write access or truncation)
  bool any;    // any access at all was asked for
};

struct Opened {
  int fd = -1;
  int flags = 0;  // what open(2) was given
  bool created = false;
  int err = 0;
};

Opened Try(const std::string& path, int flags) {
  Opened o;
  o.fd = open(path.c_str(), flags, 0644);
  o.flags = flags;
  o.err = o.fd < 0 ? errno : 0;
  return o;
}

// Opens read-write where permissions allow even for write-only access, so that the descriptor
// can carry the share locks.
Opened TryOpen(const std::string& path, int flags, const Wants& wants) {
  if (wants.write) {
    Opened o = Try(path, flags | O_RDWR);
    if (o.fd < 0 && o.err == EACCES && !wants.read) o = Try(path, flags | O_WRONLY);
    return o;
  }
  Opened o = Try(path, flags | O_RDONLY);
  // A handle for attributes only needs no read permission.
  if (o.fd < 0 && o.err == EACCES && !wants.any && !(flags & O_CREAT))
    o = Try(path, (flags & ~O_NONBLOCK) | O_PATH);
  return o;
}

// Creates with O_EXCL first so that whether the file existed is known without a race. Only an
// existing file can be a FIFO, so only opening one needs O_NONBLOCK (not to wait for a writer).
Opened OpenOrCreate(const std::string& path, int flags, const Wants& wants, DWORD disposition) {
  const bool creates =
      disposition == CREATE_NEW || disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS;
  for (int attempt = 0; attempt < 4; ++attempt) {
    if (creates) {
      Opened o = TryOpen(path, flags | O_CREAT | O_EXCL, wants);
      if (o.fd >= 0) {
        o.created = true;
        return o;
      }
      if (o.err != EEXIST || disposition == CREATE_NEW) return o;
    }
    Opened o = TryOpen(path, flags | O_NONBLOCK, wants);
    if (o.fd >= 0) {
      fcntl(o.fd, F_SETFL, o.flags & ~O_NONBLOCK);
      return o;
    }
    if (o.err != ENOENT || !creates) return o;
  }
  Opened missing;
  missing.err = ENOENT;
  return missing;
}

DWORD OpenError(const Opened& o, const std::string& posix, DWORD disposition) {
  if (o.err == EEXIST && disposition == CREATE_NEW) return ERROR_FILE_EXISTS;
  if (o.err == ENOENT) return Platform::MissingFileError(posix);
  if (o.err == ENOTDIR) return ERROR_PATH_NOT_FOUND;
  return Platform::Win32ErrorFromErrno(o.err);
}

// Checks what Windows refuses about an existing file that was opened; ERROR_SUCCESS to go on.
// Gives the stored attributes of a file that CREATE_ALWAYS overwrites.
DWORD CheckOpened(const struct stat& st, const std::string& posix, bool needsWrite,
                  DWORD disposition, DWORD flagsAndAttributes, DWORD* stored) {
  if (S_ISDIR(st.st_mode))
    return (flagsAndAttributes & FILE_FLAG_BACKUP_SEMANTICS) && !needsWrite ? ERROR_SUCCESS
                                                                            : ERROR_ACCESS_DENIED;
  if (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode)) return ERROR_ACCESS_DENIED;
  if (!S_ISREG(st.st_mode)) return ERROR_SUCCESS;
  // The read-only attribute holds for every user, the superuser included.
  if (needsWrite && !(st.st_mode & S_IWUSR)) return ERROR_ACCESS_DENIED;
  if (disposition == CREATE_ALWAYS) {
    // Overwriting a hidden or system file must name those attributes again.
    *stored = Platform::ReadStoredAttributes(posix, false);
    for (DWORD bit : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM})
      if ((*stored & bit) && !(flagsAndAttributes & bit)) return ERROR_ACCESS_DENIED;
  }
  return ERROR_SUCCESS;
}

// A new or overwritten file gets the attributes asked for, with archive; the record is only
// written when that changes it.
void ApplyNewAttributes(int fd, const std::string& posix, DWORD attrs, DWORD stored) {
  const DWORD bits = (attrs | FILE_ATTRIBUTE_ARCHIVE) & Platform::StoredAttributeMask();
  if (bits != stored) Platform::WriteStoredAttributesFd(fd, posix, bits);
  struct stat st;
  if ((attrs & FILE_ATTRIBUTE_READONLY) && fstat(fd, &st) == 0) fchmod(fd, st.st_mode & 07555);
}

HANDLE Fail(DWORD error, int fd = -1) {
  if (fd >= 0) close(fd);
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

}  // namespace

HANDLE WINAPI CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES, DWORD dwCreationDisposition,
                          DWORD dwFlagsAndAttributes, HANDLE) {
  if (!lpFileName) return Fail(ERROR_PATH_NOT_FOUND);
  const DWORD disposition = dwCreationDisposition;
  if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING)
    return Fail(ERROR_INVALID_PARAMETER);
  if (dwFlagsAndAttributes & FILE_FLAG_OVERLAPPED) {
    Platform::ReportUnsupported("CreateFileW", "FILE_FLAG_OVERLAPPED");
    return Fail(ERROR_NOT_SUPPORTED);
  }
  const Access acc = DecodeAccess(dwDesiredAccess);
  if (disposition == TRUNCATE_EXISTING && !acc.write) return Fail(ERROR_INVALID_PARAMETER);
  std::string posix;
  if (!Platform::WindowsToPosixPath(lpFileName, &posix)) return INVALID_HANDLE_VALUE;

  const bool truncates = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
  const bool needsWrite = acc.write || truncates;
  int flags = O_CLOEXEC | O_NOCTTY;
  // Writing never follows a link planted where the file is expected.
  if (needsWrite || disposition != OPEN_EXISTING) flags |= O_NOFOLLOW;
  if (acc.append) flags |= O_APPEND;
  Opened o =
      OpenOrCreate(posix, flags, Wants{acc.read, needsWrite, dwDesiredAccess != 0}, disposition);
  if (o.fd < 0) return Fail(OpenError(o, posix, disposition));
  if (o.created) Platform::NoteCreatedName(posix);

  DWORD stored = FILE_ATTRIBUTE_ARCHIVE;  // what a file without a record has
  if (!o.created) {  // a file this call made is a new, empty regular file: nothing to check
    struct stat st;
    if (fstat(o.fd, &st) != 0) return Fail(Platform::Win32ErrorFromErrno(errno), o.fd);
    if (DWORD err = CheckOpened(st, posix, needsWrite, disposition, dwFlagsAndAttributes, &stored))
      return Fail(err, o.fd);
  }
  const unsigned wanted = (acc.read ? Platform::kShareRead : 0) |
                          (needsWrite ? Platform::kShareWrite : 0) |
                          (acc.del ? Platform::kShareDelete : 0);
  if (DWORD err = Platform::AcquireShareLocks(o.fd, o.flags, wanted, dwShareMode))
    return Fail(err, o.fd);
  if (truncates && !o.created && ftruncate(o.fd, 0) != 0)
    return Fail(Platform::Win32ErrorFromErrno(errno), o.fd);
  if (o.created || disposition == CREATE_ALWAYS)
    ApplyNewAttributes(o.fd, posix, dwFlagsAndAttributes & 0xFFFF, stored);

  HANDLE h = Platform::InsertHandle(std::make_shared<Platform::FileObject>(
      o.fd, posix, acc.read, acc.write, dwFlagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE));
  if (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS)
    SetLastError(o.created ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS);
  return h;
}
