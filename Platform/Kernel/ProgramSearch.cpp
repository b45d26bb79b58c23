#include "Platform/Kernel/ProgramSearch.h"

#include <sys/stat.h>

#include <cstdlib>
#include <vector>

#include "Platform/Kernel/CommandLine.h"
#include "Platform/Kernel/ErrnoMap.h"
#include "Platform/Kernel/Modules.h"
#include "Platform/Kernel/PathMap.h"
#include "Platform/Win32.h"

namespace Platform {
namespace {

bool IsFile(const std::string& posix) {
  struct stat st;
  return stat(posix.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool HasFolder(const std::u16string& name) {
  return name.find_first_of(u"\\/") != std::u16string::npos ||
         (name.size() >= 2 && name[1] == u':');
}

bool HasExtension(const std::u16string& name) {
  size_t dot = name.rfind(u'.');
  size_t slash = name.find_last_of(u"\\/");
  return dot != std::u16string::npos && (slash == std::u16string::npos || dot > slash);
}

// Tries one Windows path, then the POSIX path beside it; remembers why it failed.
bool TryPath(const std::u16string& windows, std::string* posix, DWORD* error) {
  std::string mapped;
  if (DWORD err = MapWindowsPath(windows, &mapped)) {
    *error = err == ERROR_INVALID_NAME ? ERROR_INVALID_NAME : ERROR_PATH_NOT_FOUND;
    return false;
  }
  if (IsFile(mapped)) {
    *posix = mapped;
    return true;
  }
  *error = MissingFileError(mapped);
  return false;
}

bool TryWithExtensions(const std::u16string& windows, std::string* posix, DWORD* error) {
  if (!HasExtension(windows) && windows.back() != u'.' && TryPath(windows + u".exe", posix, error))
    return true;
  return TryPath(windows, posix, error);
}

std::vector<std::u16string> SearchFolders() {
  std::vector<std::u16string> folders;
  std::u16string self = PosixToWindowsPath(ProgramPath());
  folders.push_back(self.substr(0, self.rfind(u'\\')));
  folders.push_back(PosixToWindowsPath("."));
  folders.push_back(u"C:\\windows\\system32");
  folders.push_back(u"C:\\windows");
  if (const char* path = getenv("PATH")) {
    std::string list = path;
    size_t start = 0;
    while (start <= list.size()) {
      size_t end = list.find(':', start);
      if (end == std::string::npos) end = list.size();
      if (end > start) folders.push_back(PosixToWindowsPath(list.substr(start, end - start)));
      start = end + 1;
    }
  }
  return folders;
}

DWORD FindOne(const std::u16string& name, std::string* posix) {
  if (name.empty()) return ERROR_FILE_NOT_FOUND;
  DWORD error = ERROR_FILE_NOT_FOUND;
  if (HasFolder(name)) return TryWithExtensions(name, posix, &error) ? ERROR_SUCCESS : error;
  DWORD ignored;
  for (const std::u16string& folder : SearchFolders()) {
    std::u16string base = folder.back() == u'\\' ? folder : folder + u"\\";
    if (TryWithExtensions(base + name, posix, &ignored)) return ERROR_SUCCESS;
  }
  return ERROR_FILE_NOT_FOUND;
}

}  // namespace

DWORD FindNamedProgram(const std::u16string& name, std::string* posix) {
  DWORD error = ERROR_FILE_NOT_FOUND;
  if (name.empty()) return error;
  return TryPath(name, posix, &error) ? ERROR_SUCCESS : error;
}

DWORD FindCommandLineProgram(const std::u16string& commandLine, std::string* posix) {
  DWORD error = ERROR_FILE_NOT_FOUND;
  for (const std::u16string& candidate : ProgramCandidates(commandLine)) {
    error = FindOne(candidate, posix);
    if (error == ERROR_SUCCESS) break;
  }
  return error;
}

}  // namespace Platform
