#include "Platform/Shell/ShellOpen.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "Platform/Kernel/ErrnoMap.h"
#include "Platform/Kernel/PathMap.h"
#include "Platform/Shell/LinkFileIo.h"
#include "Platform/Text/AsciiText.h"
#include "Platform/Text/Utf.h"

namespace Platform {

namespace {

constexpr size_t kMaxLinkFile = 1 << 20;
constexpr int kMaxLinkDepth = 4;  // a shortcut to a shortcut to ...

std::u16string LowerExtension(const std::u16string& file) {
  size_t dot = file.find_last_of(u'.');
  size_t slash = file.find_last_of(u"\\/");
  if (dot == std::u16string::npos || (slash != std::u16string::npos && dot < slash)) return u"";
  return AsciiLowered(file.substr(dot));
}

bool IsProgram(const std::u16string& file, const struct stat& st) {
  std::u16string ext = LowerExtension(file);
  if (ext == u".exe" || ext == u".com" || ext == u".bat" || ext == u".cmd") return true;
  return S_ISREG(st.st_mode) && (st.st_mode & 0111);
}

DWORD Run(const std::u16string& commandLine, const char16_t* directory, int show) {
  std::u16string line = commandLine;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, directory,
                      &startup, &process))
    return GetLastError();
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return ERROR_SUCCESS;
}

DWORD RunProgram(const std::u16string& program, const std::u16string& parameters,
                 const char16_t* directory, int show) {
  std::u16string line = QuoteArgument(program);
  if (!parameters.empty()) line += u" " + parameters;
  return Run(line, directory, show);
}

bool FindOnPath(const std::string& name, std::string* found) {
  const char* path = std::getenv("PATH");
  std::string list = path ? path : "";
  for (size_t start = 0; start <= list.size();) {
    size_t end = list.find(':', start);
    if (end == std::string::npos) end = list.size();
    std::string candidate = list.substr(start, end - start) + "/" + name;
    if (end > start && access(candidate.c_str(), X_OK) == 0) {
      *found = candidate;
      return true;
    }
    start = end + 1;
  }
  return false;
}

// Documents and folders go to the desktop's opener, which takes a POSIX path.
DWORD OpenDocument(const std::string& posix, int show) {
  std::string opener;
  if (!FindOnPath("xdg-open", &opener)) {
    OutputDebugStringA("ShellExecuteW: no xdg-open to open documents with\n");
    return ERROR_NO_ASSOCIATION;
  }
  std::u16string line =
      QuoteArgument(PosixToWindowsPath(opener)) + u" " + QuoteArgument(Utf8ToUtf16(posix));
  return Run(line, nullptr, show);
}

bool HasFolderPart(const std::u16string& file) {
  return file.find_first_of(u"\\/:") != std::u16string::npos;
}

DWORD OpenAt(const std::u16string& file, const std::u16string& parameters,
             const char16_t* directory, int show, int depth) {
  if (file.empty()) return ERROR_FILE_NOT_FOUND;
  std::string posix;
  struct stat st;
  DWORD err = MapWindowsPath(file, &posix);
  if (err == ERROR_SUCCESS && stat(posix.c_str(), &st) != 0) err = MissingFileError(posix);
  // A bare program name is looked for as a command line would look for it.
  if (err != ERROR_SUCCESS)
    return HasFolderPart(file) ? err : RunProgram(file, parameters, directory, show);
  if (LowerExtension(file) == u".lnk" && S_ISREG(st.st_mode)) {
    std::string bytes;
    ShellLinkData link;
    if ((err = ReadSmallFile(posix, kMaxLinkFile, &bytes)) != ERROR_SUCCESS) return err;
    if (!ReadShellLink(bytes.data(), bytes.size(), &link) || link.target.empty() ||
        depth >= kMaxLinkDepth)
      return ERROR_BAD_FORMAT;
    std::u16string args = link.arguments;
    if (!parameters.empty()) args += (args.empty() ? u"" : u" ") + parameters;
    const char16_t* folder = directory                       ? directory
                             : link.workingDirectory.empty() ? nullptr
                                                             : link.workingDirectory.c_str();
    return OpenAt(link.target, args, folder, show, depth + 1);
  }
  if (IsProgram(file, st)) return RunProgram(file, parameters, directory, show);
  return OpenDocument(posix, show);
}

}  // namespace

std::u16string QuoteArgument(const std::u16string& argument) {
  if (!argument.empty() && argument.find_first_of(u" \t\n\v\"") == std::u16string::npos)
    return argument;
  std::u16string out = u"\"";
  size_t backslashes = 0;
  for (char16_t c : argument) {
    if (c == u'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes are doubled only where a quote follows them.
    out.append(c == u'"' ? 2 * backslashes + 1 : backslashes, u'\\');
    backslashes = 0;
    out += c;
  }
  out.append(2 * backslashes, u'\\');
  return out + u"\"";
}

DWORD OpenItem(const std::u16string& file, const std::u16string& parameters,
               const char16_t* directory, int show) {
  return OpenAt(file, parameters, directory, show, 0);
}

}  // namespace Platform
