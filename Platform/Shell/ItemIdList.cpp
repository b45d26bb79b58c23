#include "Platform/Shell/ItemIdList.h"

#include <cstring>
#include <vector>

#include "Platform/Text/AsciiText.h"

namespace Platform {

namespace {

// The first byte of every item says what it names.
constexpr BYTE kRootItem = 0x2F;
constexpr BYTE kNameItem = 0x31;
// cb, kind byte, UTF-16 name, UTF-16 terminator.
constexpr size_t kItemOverhead = sizeof(USHORT) + 1 + sizeof(char16_t);
constexpr size_t kMaxItem = 0xFFFF;

bool IsDriveLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// Splits an absolute path into its root and components; false when there is no root.
bool SplitPath(const std::u16string& path, std::u16string* root,
               std::vector<std::u16string>* names) {
  size_t pos = 0;
  if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == u':') {
    if (path.size() > 2 && !IsPathSeparator(path[2])) return false;  // "C:dir" is drive-relative
    *root = path.substr(0, 2) + u"\\";
    pos = 2;
  } else if (path.size() > 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) {
    size_t server = path.find_first_of(u"\\/", 2);
    if (server == 2 || server == std::u16string::npos) return false;
    size_t share = path.find_first_of(u"\\/", server + 1);
    if (share == server + 1) return false;
    size_t end = share == std::u16string::npos ? path.size() : share;
    *root =
        u"\\\\" + path.substr(2, server - 2) + u"\\" + path.substr(server + 1, end - server - 1);
    pos = end;
  } else {
    return false;
  }
  while (pos < path.size()) {
    while (pos < path.size() && IsPathSeparator(path[pos])) ++pos;
    size_t end = pos;
    while (end < path.size() && !IsPathSeparator(path[end])) ++end;
    if (end > pos) names->push_back(path.substr(pos, end - pos));
    pos = end;
  }
  return true;
}

void AppendItem(std::vector<BYTE>* out, BYTE kind, const std::u16string& name) {
  USHORT cb = static_cast<USHORT>(kItemOverhead + name.size() * sizeof(char16_t));
  size_t at = out->size();
  out->resize(at + cb);
  BYTE* p = out->data() + at;
  std::memcpy(p, &cb, sizeof cb);
  p[sizeof cb] = kind;
  std::memcpy(p + sizeof cb + 1, name.c_str(), (name.size() + 1) * sizeof(char16_t));
}

// Reads one item's name; false when the item is malformed.
bool ReadItem(const BYTE* item, USHORT cb, BYTE* kind, std::u16string* name) {
  if (cb < kItemOverhead || (cb - kItemOverhead) % sizeof(char16_t) != 0) return false;
  *kind = item[sizeof cb];
  size_t chars = (cb - kItemOverhead) / sizeof(char16_t);
  name->resize(chars);
  std::memcpy(name->data(), item + sizeof cb + 1, chars * sizeof(char16_t));
  char16_t terminator;
  std::memcpy(&terminator, item + cb - sizeof(char16_t), sizeof terminator);
  return terminator == 0 && name->find(u'\0') == std::u16string::npos;
}

}  // namespace

LPITEMIDLIST CreateItemIdList(const std::u16string& windowsPath) {
  std::u16string root;
  std::vector<std::u16string> names;
  if (!SplitPath(windowsPath, &root, &names)) return nullptr;
  std::vector<BYTE> bytes;
  if (kItemOverhead + root.size() * sizeof(char16_t) > kMaxItem) return nullptr;
  AppendItem(&bytes, kRootItem, root);
  for (const std::u16string& name : names) {
    if (kItemOverhead + name.size() * sizeof(char16_t) > kMaxItem) return nullptr;
    AppendItem(&bytes, kNameItem, name);
  }
  bytes.resize(bytes.size() + sizeof(USHORT), 0);
  void* list = CoTaskMemAlloc(bytes.size());
  if (!list) return nullptr;
  std::memcpy(list, bytes.data(), bytes.size());
  return static_cast<LPITEMIDLIST>(list);
}

bool ItemIdListPath(LPCITEMIDLIST pidl, std::u16string* path) {
  if (!pidl) return false;
  const BYTE* p = reinterpret_cast<const BYTE*>(pidl);
  std::u16string result;
  bool first = true;
  for (;;) {
    USHORT cb;
    std::memcpy(&cb, p, sizeof cb);
    if (cb == 0) break;
    BYTE kind;
    std::u16string name;
    if (!ReadItem(p, cb, &kind, &name) || kind != (first ? kRootItem : kNameItem)) return false;
    if (!first && !result.empty() && result.back() != u'\\') result += u'\\';
    result += name;
    first = false;
    p += cb;
  }
  if (first) return false;
  *path = std::move(result);
  return true;
}

}  // namespace Platform
