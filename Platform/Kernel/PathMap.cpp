#include "Platform/Kernel/PathMap.h"

#include <errno.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <vector>

#include "Platform/Kernel/FolderNames.h"
#include "Platform/Kernel/Prefix.h"
#include "Platform/Text/AsciiText.h"
#include "Platform/Text/Utf.h"
#include "Platform/Win32.h"

namespace Platform {
namespace {

constexpr std::u16string_view kForbidden = u"\\:*?\"<>|";
constexpr char16_t kPrivateBase = 0xF000;

bool IsDriveLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// Splits an absolute or relative POSIX path and resolves "." and ".." lexically.
std::vector<std::string> PosixComponents(const std::string& path) {
  std::vector<std::string> parts;
  size_t i = 0;
  while (i < path.size()) {
    size_t j = path.find('/', i);
    if (j == std::string::npos) j = path.size();
    std::string part = path.substr(i, j - i);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(std::move(part));
    }
    i = j + 1;
  }
  return parts;
}

std::string JoinPosix(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& p : parts) out += "/" + p;
  return out.empty() ? "/" : out;
}

bool ContainsPath(const std::string& dir, const std::string& path, std::string* rest) {
  if (dir == "/") {
    *rest = path.substr(1);
    return true;
  }
  if (path.compare(0, dir.size(), dir) != 0) return false;
  if (path.size() == dir.size()) {
    rest->clear();
    return true;
  }
  if (path[dir.size()] != '/') return false;
  *rest = path.substr(dir.size() + 1);
  return true;
}

std::u16string NameToWindows(const std::string& name) {
  std::u16string out = Utf8ToUtf16(name);
  for (char16_t& c : out) {
    if (kForbidden.find(c) != std::u16string_view::npos)
      c = static_cast<char16_t>(kPrivateBase + c);
  }
  return out;
}

bool IsPrivateStandIn(char16_t c) {
  return c >= kPrivateBase && c < kPrivateBase + 0x80 &&
         kForbidden.find(static_cast<char16_t>(c - kPrivateBase)) != std::u16string_view::npos;
}

// Checks one Windows name and gives its POSIX spelling.
bool NameToPosix(std::u16string_view name, std::string* out) {
  bool standIns = false;
  for (char16_t c : name) {
    if (c < 0x20 || kForbidden.find(c) != std::u16string_view::npos) return false;
    standIns = standIns || IsPrivateStandIn(c);
  }
  if (!standIns) {
    *out = Utf16ToUtf8(name);
    return true;
  }
  std::u16string posix(name);
  for (char16_t& c : posix)
    if (IsPrivateStandIn(c)) c = static_cast<char16_t>(c - kPrivateBase);
  *out = Utf16ToUtf8(posix);
  return true;
}

std::string Join(const std::string& folder, const std::string& name) {
  return (folder == "/" ? "" : folder) + "/" + name;
}

// Appends names to a folder, matching each missing name against the folder's entries without
// regard to case; once a level is missing the rest is appended as given.
std::string ResolveEachName(std::string path, const std::vector<std::string>& names) {
  bool parentExists = true;
  for (const std::string& name : names) {
    std::string next = Join(path, name);
    struct stat st;
    if (parentExists && lstat(next.c_str(), &st) != 0) {
      std::string found;
      if (errno == ENOENT && FindNameIgnoringCase(path, name, &found))
        next = Join(path, found);
      else
        parentExists = false;
    }
    path = std::move(next);
  }
  return path;
}

// The same, with short ways for the usual cases: the folder's names are kept and unchanged,
// the whole path exists as written, or only its last name is new.
std::string ResolveNames(const std::string& root, const std::vector<std::string>& names) {
  if (names.empty()) return root;
  std::string parent = root;
  for (size_t i = 0; i + 1 < names.size(); ++i) parent = Join(parent, names[i]);
  const std::string full = Join(parent, names.back());
  std::string found;
  const KeptName kept = FindKeptName(parent, names.back(), &found);
  if (kept == KeptName::Exact || kept == KeptName::Missing) return full;
  struct stat st;
  if (lstat(full.c_str(), &st) == 0) return full;
  if (kept == KeptName::OtherCase && errno == ENOENT) return Join(parent, found);
  if (errno == ENOENT && stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
    return FindNameIgnoringCase(parent, names.back(), &found) ? Join(parent, found) : full;
  return ResolveEachName(root, names);
}

// Splits the part after the drive, resolving "." and ".." without climbing above the root.
DWORD WindowsNames(std::u16string_view rest, std::vector<std::string>* names) {
  std::vector<std::u16string_view> parts;
  size_t i = 0;
  while (i <= rest.size()) {
    size_t j = i;
    while (j < rest.size() && !IsPathSeparator(rest[j])) ++j;
    std::u16string_view part = rest.substr(i, j - i);
    if (j == rest.size()) {
      // Windows drops trailing dots and blanks of the last name.
      while (!part.empty() && part != u"." && part != u".." &&
             (part.back() == u'.' || part.back() == u' '))
        part.remove_suffix(1);
    }
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    i = j + 1;
  }
  names->reserve(parts.size());
  for (std::u16string_view part : parts) {
    std::string name;
    if (!NameToPosix(part, &name)) return ERROR_INVALID_NAME;
    names->push_back(std::move(name));
  }
  return ERROR_SUCCESS;
}

DWORD MapDrivePath(char16_t letter, std::u16string_view rest, std::string* posix) {
  std::vector<std::string> names;
  if (DWORD err = WindowsNames(rest, &names)) return err;
  std::string root;
  if (!DriveTarget(letter, &root)) return ERROR_PATH_NOT_FOUND;
  *posix = ResolveNames(root, names);
  return ERROR_SUCCESS;
}

std::u16string CurrentWindowsDir() { return PosixToWindowsPath(CurrentDir()); }

}  // namespace

std::string NormalizePosix(const std::string& path) {
  return JoinPosix(PosixComponents(path[0] == '/' ? path : CurrentDir() + "/" + path));
}

std::u16string PosixToWindowsPath(const std::string& posix) {
  const std::string path = NormalizePosix(posix.empty() ? "." : posix);
  char16_t bestLetter = u'Z';
  std::string bestRest = path.substr(1);
  size_t bestLength = 0;
  for (char16_t letter = u'a'; letter <= u'z'; ++letter) {
    std::string target, rest;
    if (!DriveTarget(letter, &target)) continue;
    std::vector<std::string> forms = {target};
    if (char* real = realpath(target.c_str(), nullptr)) {
      forms.emplace_back(real);
      free(real);
    }
    for (const std::string& form : forms) {
      size_t length = form == "/" ? 0 : form.size();
      if (length > bestLength && ContainsPath(form, path, &rest)) {
        bestLetter = static_cast<char16_t>(letter - 32);
        bestRest = rest;
        bestLength = length;
      }
    }
  }
  std::u16string out{bestLetter, u':', u'\\'};
  for (const std::string& name : PosixComponents(bestRest)) {
    if (out.back() != u'\\') out += u'\\';
    out += NameToWindows(name);
  }
  return out;
}

DWORD MapWindowsPath(std::u16string_view path, std::string* posix) {
  if (path.empty()) return ERROR_PATH_NOT_FOUND;
  if (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) {
    // "\\?\X:\..." and "\\.\X:\..." name ordinary files; other forms are shares or devices.
    if (path.size() >= 7 && (path[2] == u'?' || path[2] == u'.') && IsPathSeparator(path[3]) &&
        IsDriveLetter(path[4]) && path[5] == u':' && IsPathSeparator(path[6]))
      return MapDrivePath(path[4], path.substr(7), posix);
    return ERROR_BAD_NETPATH;
  }
  if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == u':') {
    if (path.size() == 2) return MapDrivePath(path[0], u"", posix);
    if (!IsPathSeparator(path[2])) return ERROR_INVALID_NAME;  // drive-relative "C:name"
    return MapDrivePath(path[0], path.substr(3), posix);
  }
  const std::u16string cwd = CurrentWindowsDir();
  if (IsPathSeparator(path[0])) return MapDrivePath(cwd[0], path.substr(1), posix);
  return MapDrivePath(cwd[0], cwd.substr(3) + u"\\" + std::u16string(path), posix);
}

bool WindowsToPosixPath(std::u16string_view windows, std::string* posix) {
  DWORD err = MapWindowsPath(windows, posix);
  if (err != ERROR_SUCCESS) SetLastError(err);
  return err == ERROR_SUCCESS;
}

}  // namespace Platform
