#include "Platform/Registry/KeyHandles.h"

#include <mutex>
#include <string>
#include <unordered_map>

#include "Platform/Kernel/Unsupported.h"
#include "Platform/Registry/RegistryLocation.h"

namespace Platform {

namespace {

struct HandleTable {
  std::mutex mutex;
  std::unordered_map<uintptr_t, OpenedKey> keys;
  uintptr_t next = 0x1000;
};

HandleTable& Table() {
  static HandleTable table;
  return table;
}

// The predefined keys are small negative numbers (sign-extended 0x80000000 and up).
bool IsPredefined(HKEY key) {
  auto value = static_cast<intptr_t>(reinterpret_cast<uintptr_t>(key));
  return value >= static_cast<int32_t>(0x80000000u) && value <= static_cast<int32_t>(0x80000060u);
}

}  // namespace

DWORD ResolveKeyHandle(HKEY key, OpenedKey* opened) {
  if (key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE) {
    DWORD err;
    opened->store = CurrentRegistryStore(&err);
    if (!opened->store) return err;
    opened->hive = key == HKEY_CURRENT_USER ? Hive::CurrentUser : Hive::LocalMachine;
    opened->id = RegistryStore::Root(opened->hive);
    opened->access = KEY_ALL_ACCESS;
    opened->isHiveRoot = true;
    return ERROR_SUCCESS;
  }
  if (IsPredefined(key)) {
    ReportUnsupported("RegOpenKeyExW", "predefined key",
                      static_cast<long long>(reinterpret_cast<uintptr_t>(key)));
    return ERROR_INVALID_HANDLE;
  }
  HandleTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  auto it = table.keys.find(reinterpret_cast<uintptr_t>(key));
  if (it == table.keys.end()) return ERROR_INVALID_HANDLE;
  *opened = it->second;
  return ERROR_SUCCESS;
}

HKEY AddKeyHandle(const OpenedKey& opened) {
  HandleTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  uintptr_t value = table.next;
  table.next += 4;
  table.keys.emplace(value, opened);
  return reinterpret_cast<HKEY>(value);
}

DWORD CloseKeyHandle(HKEY key) {
  if (IsPredefined(key)) return ERROR_SUCCESS;
  HandleTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  return table.keys.erase(reinterpret_cast<uintptr_t>(key)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace Platform
