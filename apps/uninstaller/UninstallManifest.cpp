#include "apps/uninstaller/UninstallManifest.h"

#include <string_view>

namespace {

using WString = std::basic_string<WCHAR>;

const char kHeader[] = "HalvaneInstall 1";
const DWORD kLargestManifest = 4 * 1024 * 1024;

bool Refuse(ManifestEntries* entries) {
  entries->clear();
  SetLastError(ERROR_INVALID_DATA);
  return false;
}

bool ToWide(std::string_view utf8, WString* out) {
  if (utf8.empty()) {
    out->clear();
    return true;
  }
  int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                   static_cast<int>(utf8.size()), nullptr, 0);
  if (length <= 0) return false;
  out->assign(static_cast<size_t>(length), 0);
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                             static_cast<int>(utf8.size()), out->data(), length) == length;
}

bool HasForbiddenCharacter(const WString& path) {
  for (WCHAR c : path)
    if (c < 0x20 || c == TEXT('/') || c == TEXT('<') || c == TEXT('>') || c == TEXT('|') ||
        c == TEXT('?') || c == TEXT('*') || c == TEXT('"'))
      return true;
  return false;
}

// No "." or ".." part between backslashes, and no empty one unless `doubled` allows it (the
// shell's paths may hold a doubled backslash where a folder ending in one met a name).
bool PartsAreNames(const WString& path, size_t from, bool doubled) {
  size_t start = from;
  while (start <= path.size()) {
    size_t end = path.find(TEXT('\\'), start);
    if (end == WString::npos) end = path.size();
    WString part = path.substr(start, end - start);
    if ((part.empty() && !(doubled && end < path.size())) || part == TEXT(".") ||
        part == TEXT(".."))
      return false;
    start = end + 1;
  }
  return true;
}

bool IsDriveLetter(WCHAR c) {
  return (c >= TEXT('A') && c <= TEXT('Z')) || (c >= TEXT('a') && c <= TEXT('z'));
}

bool ValidPath(ManifestKind kind, const WString& path) {
  if (path.empty() || path.size() >= MAX_PATH || HasForbiddenCharacter(path)) return false;
  if (kind == ManifestKind::Shortcut || kind == ManifestKind::Pin)
    return path.size() > 3 && IsDriveLetter(path[0]) && path[1] == TEXT(':') &&
           path[2] == TEXT('\\') && PartsAreNames(path, 3, true);
  if (kind == ManifestKind::Folder && path == TEXT(".")) return true;
  return path.find(TEXT(':')) == WString::npos && PartsAreNames(path, 0, false);
}

bool KindOf(char letter, ManifestKind* kind) {
  switch (letter) {
    case 'D': *kind = ManifestKind::Folder; return true;
    case 'F': *kind = ManifestKind::File; return true;
    case 'L': *kind = ManifestKind::Shortcut; return true;
    case 'P': *kind = ManifestKind::Pin; return true;
    default: return false;
  }
}

bool ParseEntry(std::string_view line, ManifestEntry* entry) {
  if (line.size() < 3 || line[1] != ' ' || !KindOf(line[0], &entry->kind)) return false;
  return ToWide(line.substr(2), &entry->path) && ValidPath(entry->kind, entry->path);
}

}  // namespace

bool ParseManifest(const char* data, size_t size, ManifestEntries* entries) {
  entries->clear();
  std::string_view text(data, size);
  bool first = true;
  while (!text.empty()) {
    size_t end = text.find("\r\n");
    if (end == std::string_view::npos) return Refuse(entries);
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 2);
    if (line.find_first_of("\r\n") != std::string_view::npos) return Refuse(entries);
    if (first) {
      if (line != kHeader) return Refuse(entries);
      first = false;
      continue;
    }
    ManifestEntry entry;
    if (!ParseEntry(line, &entry)) return Refuse(entries);
    entries->push_back(std::move(entry));
  }
  return first ? Refuse(entries) : true;
}

bool ReadManifest(LPCWSTR installDir, ManifestEntries* entries) {
  entries->clear();
  WCHAR path[MAX_PATH];
  if (lstrlenW(installDir) + lstrlenW(kManifestName) >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  wnsprintfW(path, MAX_PATH, TEXT("%s%s"), installDir, kManifestName);
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD high = 0;
  DWORD size = GetFileSize(file, &high);
  std::string bytes;
  bool read = size != INVALID_FILE_SIZE && high == 0 && size <= kLargestManifest;
  if (read) {
    bytes.resize(size);
    DWORD got = 0;
    read = ReadFile(file, bytes.data(), size, &got, nullptr) && got == size;
  }
  CloseHandle(file);
  if (!read) {
    SetLastError(ERROR_INVALID_DATA);
    return false;
  }
  return ParseManifest(bytes.data(), bytes.size(), entries);
}
