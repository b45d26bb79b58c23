#include "Platform/Kernel/SharedObjects.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

#include "Platform/Text/Utf.h"

namespace Platform {
namespace {

std::mutex g_lock;
std::map<void*, int>& Loads() {
  static std::map<void*, int> loads;
  return loads;
}

}  // namespace

HMODULE LoadSharedObject(std::u16string_view name) {
  const std::string file = Utf16ToUtf8(std::u16string(name));
  if (file.empty()) return nullptr;
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return nullptr;
  std::lock_guard<std::mutex> guard(g_lock);
  Loads()[handle]++;
  return static_cast<HMODULE>(handle);
}

bool IsSharedObject(HMODULE module) {
  std::lock_guard<std::mutex> guard(g_lock);
  return Loads().count(module) != 0;
}

FARPROC SharedObjectSymbol(HMODULE module, const char* name) {
  if (!IsSharedObject(module) || !name) return nullptr;
  return reinterpret_cast<FARPROC>(dlsym(module, name));
}

bool ReleaseSharedObject(HMODULE module) {
  std::lock_guard<std::mutex> guard(g_lock);
  auto found = Loads().find(module);
  if (found == Loads().end()) return false;
  if (--found->second == 0) Loads().erase(found);
  dlclose(module);
  return true;
}

}  // namespace Platform
