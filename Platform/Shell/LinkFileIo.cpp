#include "Platform/Shell/LinkFileIo.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "Platform/Kernel/ErrnoMap.h"
#include "Platform/Kernel/FileAttributeStore.h"
#include "Platform/Kernel/PathMap.h"

namespace Platform {

namespace {

int64_t FileTimeOf(const timespec& t) {
  constexpr int64_t kEpochDifference = 116444736000000000;  // 1601-01-01 to 1970-01-01
  return static_cast<int64_t>(t.tv_sec) * 10000000 + t.tv_nsec / 100 + kEpochDifference;
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Whether `name` is a temporary copy of `target` as ReplaceFileContents names them.
bool IsTemporaryOf(const std::string& name, const std::string& target) {
  const std::string prefix = ".~" + target + ".";
  return name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0;
}

// Removes the temporary copies of the file that a writer killed before its rename left behind.
// A writer holds a lock on its copy until the rename, so a copy that can be locked is stale.
void RemoveStaleTemporaries(const std::string& folder, const std::string& target) {
  DIR* d = opendir(folder.c_str());
  if (!d) return;
  while (struct dirent* e = readdir(d)) {
    if (!IsTemporaryOf(e->d_name, target)) continue;
    const std::string path = folder + e->d_name;
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0)
      unlink(path.c_str());
    close(fd);
  }
  closedir(d);
}

}  // namespace

DWORD ReplaceFileContents(const std::string& posix, const std::string& bytes) {
  struct stat old;
  bool existed = lstat(posix.c_str(), &old) == 0;
  if (existed && S_ISDIR(old.st_mode)) return ERROR_ACCESS_DENIED;
  DWORD attributes = existed && S_ISREG(old.st_mode) ? ReadStoredAttributes(posix, false) : 0;
  size_t slash = posix.find_last_of('/');
  const std::string folder = posix.substr(0, slash + 1);
  RemoveStaleTemporaries(folder, posix.substr(slash + 1));
  std::string temp = folder + ".~" + posix.substr(slash + 1) + ".XXXXXX";
  int fd = mkstemp(temp.data());
  if (fd < 0) return errno == ENOENT ? ERROR_PATH_NOT_FOUND : Win32ErrorFromErrno(errno);
  flock(fd, LOCK_EX);  // held until the rename (or the process's end): the copy is in use
  bool ok = WriteAll(fd, bytes) && fchmod(fd, 0644) == 0 && fsync(fd) == 0;
  int err = ok ? 0 : errno;
  if (ok && existed && S_ISREG(old.st_mode)) WriteStoredAttributesFd(fd, posix, attributes);
  close(fd);
  if (ok && rename(temp.c_str(), posix.c_str()) != 0) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    unlink(temp.c_str());
    return Win32ErrorFromErrno(err ? err : EIO);
  }
  return ERROR_SUCCESS;
}

DWORD ReadSmallFile(const std::string& posix, size_t limit, std::string* bytes) {
  int fd = open(posix.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? MissingFileError(posix) : Win32ErrorFromErrno(errno);
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<size_t>(st.st_size) > limit) {
    close(fd);
    return ERROR_BAD_FORMAT;
  }
  bytes->assign(static_cast<size_t>(st.st_size), '\0');
  size_t done = 0;
  while (done < bytes->size()) {
    ssize_t n = read(fd, bytes->data() + done, bytes->size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  close(fd);
  bytes->resize(done);
  return ERROR_SUCCESS;
}

void FillTargetFacts(ShellLinkData* link) {
  link->fileAttributes = 0;
  link->creationTime = link->accessTime = link->writeTime = 0;
  link->fileSize = 0;
  std::string posix;
  struct stat st;
  if (MapWindowsPath(link->target, &posix) != ERROR_SUCCESS || stat(posix.c_str(), &st) != 0)
    return;
  DWORD attributes = GetFileAttributesW(link->target.c_str());
  link->fileAttributes = attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes;
  link->writeTime = FileTimeOf(st.st_mtim);
  link->accessTime = FileTimeOf(st.st_atim);
  link->creationTime = link->writeTime;  // POSIX keeps no creation time
  link->fileSize = S_ISDIR(st.st_mode) ? 0 : static_cast<uint32_t>(st.st_size);
  if (link->target.size() > 1 && link->target[1] == u':') {
    std::u16string root = link->target.substr(0, 2) + u"\\";
    link->driveType = GetDriveTypeW(root.c_str());
    std::string rootPosix;
    struct stat rootStat;
    if (MapWindowsPath(root, &rootPosix) == ERROR_SUCCESS &&
        stat(rootPosix.c_str(), &rootStat) == 0)
      link->driveSerial = static_cast<uint32_t>(rootStat.st_dev ^ (rootStat.st_dev >> 32));
  }
}

}  // namespace Platform
