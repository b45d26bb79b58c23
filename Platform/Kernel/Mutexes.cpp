// Mutexes: owned by one thread at a time, counted (the owner may wait again), given back by
// ReleaseMutex. A named mutex is one object per name in this process, and other processes of
// the same prefix learn of it through a lock file: while any process holds a handle to it,
// CreateMutexW of that name answers ERROR_ALREADY_EXISTS. Deciding which process was first is
// atomic (one write lock on the file, then shared locks). Ownership stays within the process
// that took it; a program that needs one instance at a time needs only the existence.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "Platform/Kernel/ErrnoMap.h"
#include "Platform/Kernel/Prefix.h"
#include "Platform/Kernel/Waitable.h"
#include "Platform/Text/Utf.h"
#include "Platform/Win32.h"

namespace {

class MutexObject : public Platform::WaitableObject {
 public:
  explicit MutexObject(bool owned) {
    if (owned) AcquiredLocked();
  }
  ~MutexObject() override {
    if (m_lockFile >= 0) close(m_lockFile);  // drops this process's share of the name
  }
  bool Release() {
    bool released = false;
    Update([&] {
      if (m_count == 0 || m_owner != std::this_thread::get_id()) return;
      if (--m_count == 0) m_owner = std::thread::id();
      released = true;
    });
    return released;
  }
  void KeepLockFile(int fd) { m_lockFile = fd; }

 private:
  bool SignaledLocked() const override {
    return m_count == 0 || m_owner == std::this_thread::get_id();
  }
  void AcquiredLocked() override {
    m_owner = std::this_thread::get_id();
    ++m_count;
  }

  std::thread::id m_owner;
  unsigned m_count = 0;
  int m_lockFile = -1;
};

std::mutex g_namesLock;
std::map<std::u16string, std::weak_ptr<MutexObject>> g_names;

// The lock file's name: letters, digits, "-", "_" and "." as they are, every other byte of the
// UTF-8 name as %XX, so "Local\Name" and any other text give a plain file name.
std::string LockFileName(const std::u16string& name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : Platform::Utf16ToUtf8(name)) {
    bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                 c == '-' || c == '_' || c == '.';
    if (plain) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out + ".lock";
}

bool LockFirstByte(int fd, short type, int command) {
  struct flock lock = {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = 0;
  lock.l_len = 1;
  while (fcntl(fd, command, &lock) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

// Opens the name's lock file and takes this process's shared lock on it. *first tells whether
// no other process held it: only one process can get the write lock, which it then turns into
// a shared one in one step; the others wait for that step and share.
int ClaimName(const std::u16string& name, bool* first) {
  std::string dir = Platform::PrefixDir() + "/objects";
  if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return -1;
  int fd = open((dir + "/" + LockFileName(name)).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  *first = LockFirstByte(fd, F_WRLCK, F_OFD_SETLK);
  if (!*first && errno != EAGAIN && errno != EACCES) {
    close(fd);
    return -1;
  }
  if (!LockFirstByte(fd, F_RDLCK, F_OFD_SETLKW)) {
    close(fd);
    return -1;
  }
  return fd;
}

HANDLE OpenNamedMutex(const std::u16string& name, bool initialOwner) {
  std::lock_guard<std::mutex> lock(g_namesLock);
  if (std::shared_ptr<MutexObject> existing = g_names[name].lock()) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return Platform::InsertHandle(existing);
  }
  bool first = false;
  int fd = ClaimName(name, &first);
  if (fd < 0) {
    SetLastError(Platform::Win32ErrorFromErrno(errno));
    return nullptr;
  }
  auto mutex = std::make_shared<MutexObject>(initialOwner && first);
  mutex->KeepLockFile(fd);
  g_names[name] = mutex;
  HANDLE handle = Platform::InsertHandle(mutex);
  SetLastError(first ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS);
  return handle;
}

}  // namespace

HANDLE WINAPI CreateMutexW(LPSECURITY_ATTRIBUTES, BOOL bInitialOwner, LPCWSTR lpName) {
  if (lpName == nullptr) {
    HANDLE handle = Platform::InsertHandle(std::make_shared<MutexObject>(bInitialOwner != FALSE));
    SetLastError(ERROR_SUCCESS);
    return handle;
  }
  std::u16string name(lpName);
  if (name.size() >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return nullptr;
  }
  return OpenNamedMutex(name, bInitialOwner != FALSE);
}

BOOL WINAPI ReleaseMutex(HANDLE hMutex) {
  auto mutex = Platform::LookupHandleAs<MutexObject>(hMutex);
  if (!mutex) return FALSE;
  if (mutex->Release()) return TRUE;
  SetLastError(ERROR_NOT_OWNER);
  return FALSE;
}
