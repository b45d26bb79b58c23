// view_copy_probe <file>: maps the file read-only and copies the whole view out with
// Platform::CopyFromView twice: once as it is, then again after a line on standard input, which
// the test sends once it has truncated the file behind the view (Windows refuses to shrink a
// mapped file from inside, so the test does it from outside, as another system on a network
// share would). Prints one line per copy, "copy <1|0> error <code> same <1|0>": whether the copy
// succeeded, the thread's last error, and whether the bytes copied are the file's.
#include <cstdio>
#include <string>
#include <vector>

#include "Platform/Win32.h"
#include "Platform/Win32Ext.h"

namespace {

void Report(const char* view, std::vector<char>* copy, const std::vector<char>& original) {
  SetLastError(ERROR_SUCCESS);
  bool ok = Platform::CopyFromView(copy->data(), view, copy->size());
  DWORD error = GetLastError();
  std::printf("copy %d error %lu same %d\n", ok ? 1 : 0, static_cast<unsigned long>(error),
              *copy == original ? 1 : 0);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::wstring path(argv[1], argv[1] + std::char_traits<char>::length(argv[1]));
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 3;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size) || size.QuadPart == 0) return 3;
  std::vector<char> original(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file, original.data(), static_cast<DWORD>(original.size()), &read, nullptr))
    return 3;
  HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  const char* view =
      mapping ? static_cast<const char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0)) : nullptr;
  if (!view) return 4;
  std::vector<char> copy(original.size());
  Report(view, &copy, original);
  char line[16];
  if (!std::fgets(line, sizeof line, stdin)) return 5;
  Report(view, &copy, original);
  // Pages that were released from the working set come back from the file.
  Platform::ReleaseViewPages(view, 4096);
  std::printf("after release first byte %d\n", view[0] == original[0] ? 1 : 0);
  UnmapViewOfFile(view);
  CloseHandle(mapping);
  CloseHandle(file);
  return 0;
}
