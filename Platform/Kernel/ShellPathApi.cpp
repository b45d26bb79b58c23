// SHLWAPI path helpers. They work on the text only (backslash is the separator) and, as their
// Windows counterparts, on buffers of MAX_PATH characters.
#include <string>
#include <vector>

#include "Platform/Win32.h"

namespace {

bool IsDrive(std::u16string_view p) {
  return p.size() >= 2 && p[1] == u':' &&
         ((p[0] >= u'A' && p[0] <= u'Z') || (p[0] >= u'a' && p[0] <= u'z'));
}

// Splits off the part ".." cannot remove: "X:\", "X:", "\\server" or "\" (or nothing).
size_t RootLength(std::u16string_view p, size_t* keptSegments) {
  *keptSegments = 0;
  if (IsDrive(p)) return p.size() >= 3 && p[2] == u'\\' ? 3 : 2;
  if (p.size() >= 2 && p[0] == u'\\' && p[1] == u'\\') {
    *keptSegments = 1;  // the server name
    return 2;
  }
  return !p.empty() && p[0] == u'\\' ? 1 : 0;
}

std::u16string Canonicalize(std::u16string_view src) {
  size_t kept;
  const size_t rootLength = RootLength(src, &kept);
  std::vector<std::u16string_view> segments;
  std::u16string_view rest = src.substr(rootLength);
  size_t pos = 0;
  while (pos <= rest.size() && !rest.empty()) {
    size_t end = rest.find(u'\\', pos);
    if (end == std::u16string_view::npos) end = rest.size();
    std::u16string_view segment = rest.substr(pos, end - pos);
    const bool last = end == rest.size();
    if (segment == u"..") {
      if (segments.size() > kept) segments.pop_back();
    } else if (segment != u"." && !(last && segment.empty() && segments.empty())) {
      segments.push_back(segment);
    }
    pos = end + 1;
  }
  std::u16string out(src.substr(0, rootLength));
  for (size_t i = 0; i < segments.size(); ++i) {
    if (i) out += u'\\';
    out += segments[i];
  }
  if (out.empty()) return u"\\";
  if (out.size() == 2 && IsDrive(out)) out += u'\\';  // a bare drive means its root
  return out;
}

}  // namespace

BOOL WINAPI PathCanonicalizeW(LPWSTR pszBuf, LPCWSTR pszPath) {
  if (!pszBuf || !pszPath) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const size_t length = static_cast<size_t>(lstrlenW(pszPath));
  const std::u16string out = length < MAX_PATH ? Canonicalize({pszPath, length}) : u"";
  if (length >= MAX_PATH || out.size() >= MAX_PATH) {
    pszBuf[0] = 0;
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return FALSE;
  }
  out.copy(pszBuf, out.size());
  pszBuf[out.size()] = 0;
  return TRUE;
}

BOOL WINAPI PathRemoveFileSpecW(LPWSTR pszPath) {
  if (!pszPath) return FALSE;
  std::u16string_view p(pszPath);
  const size_t slash = p.rfind(u'\\');
  size_t cut;
  if (slash == std::u16string_view::npos) {
    cut = IsDrive(p) ? 2 : 0;  // "C:name" keeps "C:", "name" becomes empty
  } else if (slash == 0) {
    cut = 1;  // "\name" keeps the root
  } else if (slash == 1 && p[0] == u'\\') {
    cut = p.size();  // "\\server" is a root
  } else if (slash == 2 && IsDrive(p)) {
    cut = 3;  // "C:\name" keeps "C:\"
  } else {
    cut = slash;
  }
  if (cut >= p.size()) return FALSE;
  pszPath[cut] = 0;
  return TRUE;
}

LPWSTR WINAPI PathAddBackslashW(LPWSTR pszPath) {
  if (!pszPath) return nullptr;
  const size_t length = static_cast<size_t>(lstrlenW(pszPath));
  if (length == 0 || pszPath[length - 1] == u'\\') return pszPath + length;
  if (length + 2 > MAX_PATH) return nullptr;  // no room for the backslash and terminator
  pszPath[length] = u'\\';
  pszPath[length + 1] = 0;
  return pszPath + length + 1;
}

BOOL WINAPI PathFileExistsW(LPCWSTR pszPath) {
  if (!pszPath) return FALSE;
  return GetFileAttributesW(pszPath) != INVALID_FILE_ATTRIBUTES;
}
