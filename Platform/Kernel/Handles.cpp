#include "Platform/Kernel/Handles.h"

#include <mutex>
#include <unordered_map>

#include "Platform/Win32.h"

namespace Platform {
namespace {

struct HandleTable {
  std::mutex mutex;
  std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> objects;
  // Multiples of 4 as on Windows, far from the pseudo handles (-1, -2) and from null.
  uintptr_t next = 0x10000;
};

HandleTable& Table() {
  static HandleTable* table = new HandleTable;  // outlives threads still closing handles at exit
  return *table;
}

}  // namespace

void SetInvalidHandleError() { SetLastError(ERROR_INVALID_HANDLE); }

HANDLE InsertHandle(std::shared_ptr<KernelObject> object) {
  HandleTable& t = Table();
  std::lock_guard<std::mutex> lock(t.mutex);
  t.next += 4;
  t.objects.emplace(t.next, std::move(object));
  return reinterpret_cast<HANDLE>(t.next);
}

std::shared_ptr<KernelObject> LookupHandle(HANDLE handle) {
  HandleTable& t = Table();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
  if (it == t.objects.end()) {
    SetInvalidHandleError();
    return nullptr;
  }
  return it->second;
}

bool RemoveHandle(HANDLE handle) {
  std::shared_ptr<KernelObject> last;  // destroyed outside the lock
  HandleTable& t = Table();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
  if (it == t.objects.end()) {
    SetInvalidHandleError();
    return false;
  }
  last = std::move(it->second);
  t.objects.erase(it);
  return true;
}

}  // namespace Platform
