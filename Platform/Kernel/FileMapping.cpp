// File mappings and their views on mmap. A view keeps its mapping (and the mapping its file)
// alive after their handles are closed, as on Windows.
#include <errno.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <mutex>

#include "Platform/Kernel/ErrnoMap.h"
#include "Platform/Kernel/FileObject.h"
#include "Platform/Kernel/Unsupported.h"
#include "Platform/Win32.h"
#include "Platform/Win32Ext.h"

namespace {

constexpr uint64_t kAllocationGranularity = 65536;

class MappingObject : public Platform::KernelObject {
 public:
  MappingObject(std::shared_ptr<Platform::FileObject> file, int ownFd, uint64_t size, DWORD protect)
      : m_file(std::move(file)), m_ownFd(ownFd), m_size(size), m_protect(protect) {}
  ~MappingObject() override {
    if (m_ownFd >= 0) close(m_ownFd);
  }
  int Fd() const { return m_file ? m_file->Fd() : m_ownFd; }
  uint64_t Size() const { return m_size; }
  bool Writable() const {
    return m_protect == PAGE_READWRITE || m_protect == PAGE_EXECUTE_READWRITE;
  }
  bool Executable() const { return m_protect >= PAGE_EXECUTE; }

 private:
  std::shared_ptr<Platform::FileObject> m_file;
  int m_ownFd;
  uint64_t m_size;
  DWORD m_protect;
};

struct View {
  size_t length;
  std::shared_ptr<MappingObject> mapping;
  bool copyOnWrite = false;  // its pages may hold changes that exist nowhere else
};

struct ViewTable {
  std::mutex mutex;
  std::map<void*, View> views;
};

ViewTable& Views() {
  static ViewTable* table = new ViewTable;
  return *table;
}

HANDLE FailHandle(DWORD error) {
  SetLastError(error);
  return nullptr;
}

bool KnownProtection(DWORD p) {
  return p == PAGE_READONLY || p == PAGE_READWRITE || p == PAGE_WRITECOPY ||
         p == PAGE_EXECUTE_READ || p == PAGE_EXECUTE_READWRITE || p == PAGE_EXECUTE_WRITECOPY;
}

HANDLE AnonymousMapping(uint64_t size, DWORD protect) {
  if (size == 0) return FailHandle(ERROR_INVALID_PARAMETER);
  int fd = memfd_create("skinui-mapping", MFD_CLOEXEC);
  if (fd < 0) return FailHandle(Platform::Win32ErrorFromErrno(errno));
  if (ftruncate(fd, static_cast<off_t>(size)) != 0) {
    close(fd);
    return FailHandle(ERROR_NOT_ENOUGH_MEMORY);
  }
  return Platform::InsertHandle(std::make_shared<MappingObject>(nullptr, fd, size, protect));
}

}  // namespace

HANDLE WINAPI CreateFileMappingW(HANDLE hFile, LPSECURITY_ATTRIBUTES, DWORD flProtect,
                                 DWORD dwMaximumSizeHigh, DWORD dwMaximumSizeLow, LPCWSTR lpName) {
  if (lpName) {
    Platform::ReportUnsupported("CreateFileMappingW", "named mappings");
    return FailHandle(ERROR_NOT_SUPPORTED);
  }
  const DWORD protect = flProtect & 0xFF;
  if (!KnownProtection(protect)) return FailHandle(ERROR_INVALID_PARAMETER);
  uint64_t size = (static_cast<uint64_t>(dwMaximumSizeHigh) << 32) | dwMaximumSizeLow;
  if (hFile == INVALID_HANDLE_VALUE) return AnonymousMapping(size, protect);

  auto file = Platform::LookupHandleAs<Platform::FileObject>(hFile);
  if (!file) return nullptr;
  const bool wantsWrite = protect == PAGE_READWRITE || protect == PAGE_EXECUTE_READWRITE;
  if (!file->CanRead() || (wantsWrite && !file->CanWrite())) return FailHandle(ERROR_ACCESS_DENIED);
  struct stat st;
  if (fstat(file->Fd(), &st) != 0) return FailHandle(Platform::Win32ErrorFromErrno(errno));
  const uint64_t fileSize = static_cast<uint64_t>(st.st_size);
  if (size == 0) size = fileSize;
  if (size == 0) return FailHandle(ERROR_FILE_INVALID);
  if (size > fileSize) {
    // A writable mapping larger than the file grows the file; a read-only one cannot.
    if (!wantsWrite) return FailHandle(ERROR_ACCESS_DENIED);
    if (ftruncate(file->Fd(), static_cast<off_t>(size)) != 0)
      return FailHandle(Platform::Win32ErrorFromErrno(errno));
  }
  return Platform::InsertHandle(std::make_shared<MappingObject>(file, -1, size, protect));
}

LPVOID WINAPI MapViewOfFile(HANDLE hFileMappingObject, DWORD dwDesiredAccess,
                            DWORD dwFileOffsetHigh, DWORD dwFileOffsetLow,
                            SIZE_T dwNumberOfBytesToMap) {
  auto mapping = Platform::LookupHandleAs<MappingObject>(hFileMappingObject);
  if (!mapping) return nullptr;
  int prot = PROT_READ, flags = MAP_SHARED;
  if (dwDesiredAccess & FILE_MAP_WRITE) {
    if (!mapping->Writable()) return FailHandle(ERROR_ACCESS_DENIED);
    prot |= PROT_WRITE;
  } else if (dwDesiredAccess & FILE_MAP_COPY) {
    prot |= PROT_WRITE;
    flags = MAP_PRIVATE;
  } else if (!(dwDesiredAccess & FILE_MAP_READ)) {
    return FailHandle(ERROR_INVALID_PARAMETER);
  }
  if (dwDesiredAccess & FILE_MAP_EXECUTE) {
    if (!mapping->Executable()) return FailHandle(ERROR_ACCESS_DENIED);
    prot |= PROT_EXEC;
  }
  const uint64_t offset = (static_cast<uint64_t>(dwFileOffsetHigh) << 32) | dwFileOffsetLow;
  if (offset % kAllocationGranularity) return FailHandle(ERROR_MAPPED_ALIGNMENT);
  if (offset >= mapping->Size()) return FailHandle(ERROR_ACCESS_DENIED);
  uint64_t length = dwNumberOfBytesToMap ? dwNumberOfBytesToMap : mapping->Size() - offset;
  if (length > mapping->Size() - offset) return FailHandle(ERROR_ACCESS_DENIED);
  void* address = mmap(nullptr, static_cast<size_t>(length), prot, flags, mapping->Fd(),
                       static_cast<off_t>(offset));
  if (address == MAP_FAILED) {
    return FailHandle(errno == ENOMEM ? ERROR_NOT_ENOUGH_MEMORY
                                      : Platform::Win32ErrorFromErrno(errno));
  }
  ViewTable& t = Views();
  std::lock_guard<std::mutex> lock(t.mutex);
  t.views[address] = View{static_cast<size_t>(length), mapping, flags == MAP_PRIVATE};
  return address;
}

BOOL WINAPI UnmapViewOfFile(LPCVOID lpBaseAddress) {
  View view;
  {
    ViewTable& t = Views();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.views.find(const_cast<void*>(lpBaseAddress));
    if (it == t.views.end()) {
      SetLastError(ERROR_INVALID_ADDRESS);
      return FALSE;
    }
    view = std::move(it->second);
    t.views.erase(it);
  }
  munmap(const_cast<void*>(lpBaseAddress), view.length);
  return TRUE;
}

namespace Platform {

void ReleaseViewPages(const void* address, uint64_t length) {
  const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const uintptr_t start = reinterpret_cast<uintptr_t>(address);
  if (length > UINTPTR_MAX - start) return;
  const uintptr_t first = (start + page - 1) / page * page;
  const uintptr_t end = (start + static_cast<uintptr_t>(length)) / page * page;
  if (end <= first) return;
  ViewTable& t = Views();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto it = t.views.upper_bound(const_cast<void*>(address));
  if (it == t.views.begin()) return;
  --it;
  const uintptr_t base = reinterpret_cast<uintptr_t>(it->first);
  if (it->second.copyOnWrite || start + length > base + it->second.length) return;
  madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
}

}  // namespace Platform
