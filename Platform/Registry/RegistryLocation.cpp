#include "Platform/Registry/RegistryLocation.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>

#include "Platform/Win32Errors.h"

namespace Platform {

namespace {

std::string PrefixFolder() {
  if (const char* prefix = std::getenv("SKINUI_PREFIX"); prefix && *prefix) return prefix;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
    return std::string(data) + "/skinui";
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.local/share/skinui";
}

bool MakeFolders(const std::string& path) {
  for (size_t pos = 1; pos <= path.size(); ++pos) {
    if (pos < path.size() && path[pos] != '/') continue;
    std::string part = path.substr(0, pos);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

}  // namespace

std::string RegistryDatabasePath() { return PrefixFolder() + "/registry.db"; }

std::shared_ptr<RegistryStore> CurrentRegistryStore(DWORD* error) {
  static std::mutex mutex;
  static std::shared_ptr<RegistryStore> current;
  std::string path = RegistryDatabasePath();
  std::lock_guard<std::mutex> lock(mutex);
  if (current && current->Path() == path) {
    *error = ERROR_SUCCESS;
    return current;
  }
  if (!MakeFolders(PrefixFolder())) {
    *error = ERROR_PATH_NOT_FOUND;
    return nullptr;
  }
  std::shared_ptr<RegistryStore> store = RegistryStore::Open(path, error);
  if (store) current = store;
  return store;
}

}  // namespace Platform
