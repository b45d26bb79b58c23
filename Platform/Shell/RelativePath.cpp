#include "Platform/Shell/RelativePath.h"

#include <vector>

#include "Platform/Text/AsciiText.h"

namespace Platform {

namespace {

std::vector<std::u16string> Split(const std::u16string& path) {
  std::vector<std::u16string> parts;
  std::u16string current;
  for (char16_t c : path) {
    if (IsPathSeparator(c)) {
      if (!current.empty()) parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(current);
  return parts;
}

bool SameName(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
    if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
    if (x != y) return false;
  }
  return true;
}

// The number of leading parts that make the root: "C:" or "server", "share".
size_t RootParts(const std::u16string& path) {
  return path.size() > 1 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]) ? 2 : 1;
}

}  // namespace

std::u16string RelativePathTo(const std::u16string& reference, const std::u16string& target) {
  std::u16string folder = reference.substr(0, reference.find_last_of(u"\\/") + 1);
  std::vector<std::u16string> from = Split(folder), to = Split(target);
  size_t root = RootParts(target);
  if (RootParts(folder) != root || from.size() < root || to.size() <= root) return u"";
  size_t common = 0;
  while (common < from.size() && common < to.size() && SameName(from[common], to[common])) ++common;
  if (common < root) return u"";
  std::u16string out;
  for (size_t i = common; i < from.size(); ++i) out += u"..\\";
  if (out.empty()) out = u".\\";
  for (size_t i = common; i < to.size(); ++i) out += to[i] + (i + 1 < to.size() ? u"\\" : u"");
  return out;
}

}  // namespace Platform
