#include "setup/ExtractionPaths.h"

#include "setup/CreationListener.h"

bool IsPathSeparator(WCHAR c) { return c == TEXT('/') || c == TEXT('\\'); }

namespace {

// Only dots and blanks: Windows trims trailing dots and blanks, which would leave nothing or
// turn the component into "..".
bool IsDotsAndBlanks(LPCWSTR start, int length) {
  for (int i = 0; i < length; ++i)
    if (start[i] != TEXT('.') && start[i] != TEXT(' ')) return false;
  return true;
}

// Appends text[0, length) at out[*used]; false when it would pass MAX_PATH - 1 characters.
bool Append(WCHAR* out, int* used, LPCWSTR text, int length) {
  if (*used + length > MAX_PATH - 1) return false;
  for (int i = 0; i < length; ++i) out[(*used)++] = text[i];
  out[*used] = 0;
  return true;
}

}  // namespace

bool ResolveEntryPath(LPCWSTR destination, LPCWSTR entryName, WCHAR* out) {
  out[0] = 0;
  if (!destination || !entryName || IsPathSeparator(entryName[0])) return false;
  int used = 0;
  if (!Append(out, &used, destination, lstrlenW(destination))) return false;
  int components = 0;
  for (LPCWSTR p = entryName; *p;) {
    LPCWSTR start = p;
    while (*p && !IsPathSeparator(*p)) {
      if (*p == TEXT(':')) return false;  // a drive ("C:x") or a stream name
      ++p;
    }
    int length = static_cast<int>(p - start);
    if (*p) ++p;
    if (length == 0 || (length == 1 && start[0] == TEXT('.'))) continue;
    if (IsDotsAndBlanks(start, length)) return false;
    if (components > 0 && !Append(out, &used, TEXT("\\"), 1)) return false;
    if (!Append(out, &used, start, length)) return false;
    ++components;
  }
  return components > 0;
}

namespace {

constexpr ULONGLONG kLargestWrite = 16u * 1024 * 1024;

}  // namespace

bool ParentPath(LPCWSTR path, WCHAR* out) {
  out[0] = 0;
  int length = lstrlenW(path);
  int last = length - 1;
  while (last >= 0 && !IsPathSeparator(path[last])) --last;
  if (last < 0 || last >= MAX_PATH) return false;
  lstrcpynW(out, path, last + 1);
  return true;
}

bool EnsureDirectory(LPCWSTR path, CreationListener* listener) {
  if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) return true;
  WCHAR parent[MAX_PATH];
  if (ParentPath(path, parent)) {
    if (!EnsureDirectory(parent, listener)) return false;
    if (!CreateDirectoryW(path, nullptr)) return false;
    if (listener) listener->Created(ManifestKind::Folder, path, true);
    return true;
  }
  WCHAR root[MAX_PATH];
  wnsprintfW(root, MAX_PATH, TEXT("%s/"), path);
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
