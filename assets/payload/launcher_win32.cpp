// Stand-in for the product's launcher and uninstaller in the Windows payload, written against
// Win32 alone: it appends how it was started (each argument on its own line, then its working
// directory) to "<own name>.log" beside itself, in UTF-8, and exits with 0. The installer's
// end-to-end test reads that file back. A window program, so starting it opens no console.

#include <string>

#include "Platform/Win32.h"

namespace {

std::string Utf8(const WCHAR* text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  out.pop_back();
  return out;
}

// The program's own path with its extension replaced by ".log".
std::wstring LogPathBeside() {
  WCHAR self[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::wstring path(self, length);
  std::wstring::size_type dot = path.rfind(L'.');
  std::wstring::size_type slash = path.rfind(L'\\');
  if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) path.erase(dot);
  return path + L".log";
}

std::string Record() {
  std::string text;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 0; argv && i < argc; ++i)
    text += (i == 0 ? "argv0=" : "arg=") + Utf8(argv[i]) + "\n";
  if (argv) LocalFree(argv);
  WCHAR cwd[MAX_PATH] = {};
  DWORD length = GetCurrentDirectoryW(MAX_PATH, cwd);
  text += "cwd=" + (length > 0 && length < MAX_PATH ? Utf8(cwd) : std::string()) + "\n";
  return text + "end\n";
}

}  // namespace

int main() {
  std::wstring log = LogPathBeside();
  if (log.empty()) return 0;
  HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  std::string text = Record();
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return 0;
}
