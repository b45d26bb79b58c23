#include "support/WindowsPath.h"

namespace TestSupport {

WString WindowsPath(const std::filesystem::path& path) {
  return std::filesystem::path(path).make_preferred().wstring();
}

WString ProgramFolder() {
  WCHAR buffer[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  return WindowsPath(std::filesystem::path(WString(buffer, length)).parent_path());
}

}  // namespace TestSupport
