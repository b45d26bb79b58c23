// extract_payload <archive> <folder>: runs the installer's extraction driver alone on a 7z
// archive, for timing it beside other extractors. Paths are POSIX paths. Exits 0 when every
// entry was written, 1 otherwise (with the Win32 code of the first failure on stderr).

#include <cstdio>
#include <filesystem>
#include <string>

#include "Platform/Kernel/PathMap.h"
#include "setup/PayloadExtractor.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: extract_payload <archive> <folder>\n");
    return 2;
  }
  std::filesystem::path archive = std::filesystem::absolute(argv[1]);
  std::filesystem::path folder = std::filesystem::absolute(argv[2]);
  std::error_code made;
  std::filesystem::create_directories(folder, made);
  if (made || !std::filesystem::is_directory(folder)) {
    std::fprintf(stderr, "extract_payload: %s is not a folder and cannot be made one%s%s\n",
                 folder.c_str(), made ? ": " : "", made ? made.message().c_str() : "");
    return 1;
  }
  std::u16string windowsArchive = Platform::PosixToWindowsPath(archive.string());
  std::u16string windowsFolder = Platform::PosixToWindowsPath(folder.string()) + u"\\";
  DWORD error = 0;
  int result = PayloadExtractor(windowsArchive.c_str(), windowsFolder.c_str(), &error);
  if (result != 0) {
    std::fprintf(stderr, "extract_payload: result %d, error %lu\n", result,
                 static_cast<unsigned long>(error));
    return 1;
  }
  return 0;
}
