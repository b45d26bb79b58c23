#include "Platform/Registry/RegistryLocation.h"

#include <mutex>

#include "Platform/Kernel/Prefix.h"
#include "Platform/Win32Errors.h"

namespace Platform {

std::string RegistryDatabasePath() { return PrefixDir() + "/registry.db"; }

std::shared_ptr<RegistryStore> CurrentRegistryStore(DWORD* error) {
  static std::mutex mutex;
  static std::shared_ptr<RegistryStore> current;
  std::string path = RegistryDatabasePath();
  std::lock_guard<std::mutex> lock(mutex);
  if (current && current->Path() == path) {
    *error = ERROR_SUCCESS;
    return current;
  }
  std::shared_ptr<RegistryStore> store = RegistryStore::Open(path, error);
  if (store) current = store;
  return store;
}

}  // namespace Platform
