#include "setup/DirectoryRoutines.h"

namespace {

constexpr ULONGLONG kLargestWrite = 16u * 1024 * 1024;

}  // namespace

bool ParentPath(LPCWSTR path, WCHAR* out) {
  out[0] = 0;
  int length = lstrlenW(path);
  int last = length - 1;
  while (last >= 0 && path[last] != u'/' && path[last] != u'\\') --last;
  if (last < 0 || last >= MAX_PATH) return false;
  lstrcpynW(out, path, last + 1);
  return true;
}

bool EnsureDirectory(LPCWSTR path) {
  if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) return true;
  WCHAR parent[MAX_PATH];
  if (ParentPath(path, parent)) {
    if (!EnsureDirectory(parent)) return false;
    return CreateDirectoryW(path, nullptr) != FALSE;
  }
  WCHAR root[MAX_PATH];
  wnsprintfW(root, MAX_PATH, u"%s/", path);
  UINT type = GetDriveTypeW(root);
  return type != DRIVE_UNKNOWN && type != DRIVE_NO_ROOT_DIR;
}

ULONGLONG WriteAll(ULONGLONG count, const void* data, HANDLE file) {
  const BYTE* next = static_cast<const BYTE*>(data);
  ULONGLONG total = 0;
  while (count > 0) {
    DWORD piece = static_cast<DWORD>(count < kLargestWrite ? count : kLargestWrite);
    DWORD written = 0;
    BOOL ok = WriteFile(file, next, piece, &written, nullptr);
    total += written;
    if (!ok || written != piece) break;
    count -= written;
    next += written;
  }
  return total;
}
