#include "setup/InstallManifest.h"

#include "setup/ExtractionPaths.h"

namespace {

constexpr char kHeader[] = "HalvaneInstall 1";
constexpr DWORD kLargestList = 16u * 1024 * 1024;

using WString = std::basic_string<WCHAR>;

bool IsDriveLetter(WCHAR c) {
  return (c >= TEXT('A') && c <= TEXT('Z')) || (c >= TEXT('a') && c <= TEXT('z'));
}

bool IsAbsolute(LPCWSTR path) {
  return IsDriveLetter(path[0]) && path[1] == TEXT(':') && path[2] == TEXT('\\');
}

bool IsKnownKind(char kind) { return kind == 'D' || kind == 'F' || kind == 'L' || kind == 'P'; }

std::string ToUtf8(const WString& text) {
  int length = static_cast<int>(text.size());
  int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), length, nullptr, 0, nullptr, nullptr);
  std::string out(bytes > 0 ? bytes : 0, '\0');
  if (bytes > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), length, out.data(), bytes, nullptr, nullptr);
  return out;
}

bool FromUtf8(const std::string& text, WString* out) {
  int length = static_cast<int>(text.size());
  int chars = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.c_str(), length, nullptr, 0);
  if (chars <= 0) return false;
  out->assign(chars, 0);
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.c_str(), length, out->data(),
                             chars) == chars;
}

// Whether `path` lies below the folder `dir` (ending with a backslash), ignoring case as the
// file system does.
bool IsUnder(const WString& path, const WString& dir) {
  if (dir.empty() || path.size() <= dir.size()) return false;
  return lstrcmpiW(path.substr(0, dir.size()).c_str(), dir.c_str()) == 0;
}

// installDir + "uninstall.lst" into MAX_PATH characters.
bool ListPath(LPCWSTR installDir, WCHAR* out) {
  if (lstrlenW(installDir) + lstrlenW(kManifestFileName) >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  wnsprintfW(out, MAX_PATH, TEXT("%s%s"), installDir, kManifestFileName);
  return true;
}

bool ThingExists(LPCWSTR installDir, const ManifestEntry& entry) {
  WCHAR path[MAX_PATH];
  return ManifestEntryPath(installDir, entry, path) &&
         GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

bool WriteAllText(HANDLE file, const std::string& text) {
  DWORD written = 0;
  return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

}  // namespace

std::string ManifestHeaderLine() { return std::string(kHeader) + "\r\n"; }

std::string ManifestLine(const ManifestEntry& entry) {
  return std::string(1, static_cast<char>(entry.kind)) + " " + ToUtf8(entry.path) + "\r\n";
}

bool ManifestEntryPath(LPCWSTR installDir, const ManifestEntry& entry, WCHAR* out) {
  LPCWSTR path = entry.path.c_str();
  if (entry.path.empty()) return false;
  if (IsAbsolute(path)) {
    WCHAR root[4] = {path[0], TEXT(':'), TEXT('\\'), 0};
    return ResolveEntryPath(root, path + 3, out);
  }
  // Shortcuts and pins live outside the install folder: only an absolute path names them.
  if (entry.kind == ManifestKind::Link || entry.kind == ManifestKind::Pin) return false;
  return ResolveEntryPath(installDir, path, out);
}

bool ParseManifest(const std::string& text, std::vector<ManifestEntry>* entries) {
  entries->clear();
  size_t start = 0;
  bool headerSeen = false;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    std::string line = text.substr(start, end - start);
    if (line.find('\n') != std::string::npos || line.find('\r') != std::string::npos) return false;
    if (!headerSeen) {
      if (line != kHeader) return false;
      headerSeen = true;
      continue;
    }
    ManifestEntry entry;
    if (line.size() < 3 || !IsKnownKind(line[0]) || line[1] != ' ') return false;
    entry.kind = static_cast<ManifestKind>(line[0]);
    if (!FromUtf8(line.substr(2), &entry.path)) return false;
    WCHAR resolved[MAX_PATH];
    // Any folder will do to check a relative path: it only has to stay below it.
    if (!ManifestEntryPath(TEXT("C:\\"), entry, resolved)) return false;
    entries->push_back(entry);
  }
  return headerSeen;
}

bool ReadInstallManifest(LPCWSTR installDir, std::vector<ManifestEntry>* entries) {
  entries->clear();
  WCHAR path[MAX_PATH];
  if (!ListPath(installDir, path)) return false;
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD size = GetFileSize(file, nullptr);
  std::string text(size != INVALID_FILE_SIZE && size <= kLargestList ? size : 0, '\0');
  DWORD read = 0;
  bool ok = size != INVALID_FILE_SIZE && size <= kLargestList &&
            ReadFile(file, text.data(), size, &read, nullptr) && read == size;
  CloseHandle(file);
  if (!ok || !ParseManifest(text, entries)) {
    entries->clear();
    SetLastError(ERROR_INVALID_DATA);
    return false;
  }
  return true;
}

bool InstallManifestWriter::Create(LPCWSTR installDir) {
  Close();
  m_installDir = installDir;
  m_created.clear();
  m_carried.clear();
  std::vector<ManifestEntry> earlier;
  if (ReadInstallManifest(installDir, &earlier)) {
    for (const ManifestEntry& entry : earlier)
      if (!IsListed(entry) && ThingExists(installDir, entry)) m_carried.push_back(entry);
  }
  WCHAR path[MAX_PATH];
  if (!ListPath(installDir, path)) return false;
  m_file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  if (m_file == INVALID_HANDLE_VALUE) return false;
  std::string text = ManifestHeaderLine();
  for (const ManifestEntry& entry : m_carried) text += ManifestLine(entry);
  return WriteLine(text);
}

bool InstallManifestWriter::Add(ManifestKind kind, LPCWSTR absolutePath, bool createdNow) {
  ManifestEntry entry{kind, absolutePath};
  if ((kind == ManifestKind::Folder || kind == ManifestKind::File) &&
      IsUnder(entry.path, m_installDir))
    entry.path.erase(0, m_installDir.size());
  bool listed = IsListed(entry);
  if (createdNow) m_created.push_back(entry);
  return listed || WriteLine(ManifestLine(entry));
}

bool InstallManifestWriter::IsListed(const ManifestEntry& entry) const {
  for (const auto* list : {&m_carried, &m_created})
    for (const ManifestEntry& listed : *list)
      if (listed == entry) return true;
  return false;
}

bool InstallManifestWriter::WriteLine(const std::string& line) {
  if (m_file == INVALID_HANDLE_VALUE) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  return WriteAllText(m_file, line);
}

bool InstallManifestWriter::RewriteCarriedOnly() {
  Close();
  WCHAR path[MAX_PATH];
  if (!ListPath(m_installDir.c_str(), path)) return false;
  if (m_carried.empty()) return DeleteFileW(path) || GetLastError() == ERROR_FILE_NOT_FOUND;
  HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::string text = ManifestHeaderLine();
  for (const ManifestEntry& entry : m_carried) text += ManifestLine(entry);
  bool ok = WriteAllText(file, text);
  CloseHandle(file);
  return ok;
}

void InstallManifestWriter::Close() {
  if (m_file != INVALID_HANDLE_VALUE) CloseHandle(m_file);
  m_file = INVALID_HANDLE_VALUE;
}
