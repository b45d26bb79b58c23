#include "support/WindowsPath.h"

#include "Platform/Kernel/Modules.h"
#include "Platform/Kernel/PathMap.h"

namespace TestSupport {

WString WindowsPath(const std::filesystem::path& path) {
  return Platform::PosixToWindowsPath(path.string());
}

WString ProgramFolder() {
  return WindowsPath(std::filesystem::path(Platform::ProgramPath()).parent_path());
}

}  // namespace TestSupport
