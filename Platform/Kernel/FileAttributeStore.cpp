#include "Platform/Kernel/FileAttributeStore.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>

#include "Platform/Win32.h"

namespace Platform {
namespace {

constexpr const char* kXattrName = "user.DOSATTRIB";
constexpr const char* kListName = ".skinui-attributes";
std::mutex g_listMutex;  // one writer of a folder list at a time within the process

bool Unsupported(int err) { return err == ENOTSUP || err == EOPNOTSUPP; }

DWORD DefaultBits(bool isDirectory) { return isDirectory ? 0 : FILE_ATTRIBUTE_ARCHIVE; }

std::string FormatBits(DWORD bits) {
  char text[16];
  snprintf(text, sizeof text, "0x%x", bits);
  return text;
}

// Reads "0x<hex>" at the start of the value; anything after the digits is ignored.
bool ParseBits(const char* text, size_t size, DWORD* bits) {
  std::string value(text, size);
  if (value.size() < 3 || value[0] != '0' || (value[1] != 'x' && value[1] != 'X')) return false;
  char* end = nullptr;
  unsigned long parsed = strtoul(value.c_str() + 2, &end, 16);
  if (end == value.c_str() + 2) return false;
  *bits = static_cast<DWORD>(parsed) & StoredAttributeMask();
  return true;
}

void SplitPath(const std::string& posix, std::string* dir, std::string* name) {
  size_t slash = posix.find_last_of('/');
  *dir = slash == 0 ? "/" : posix.substr(0, slash);
  *name = posix.substr(slash + 1);
}

std::map<std::string, DWORD> ReadList(const std::string& dir) {
  std::map<std::string, DWORD> entries;
  int fd = open((dir + "/" + kListName).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return entries;
  std::string text;
  char buf[4096];
  for (ssize_t n; (n = read(fd, buf, sizeof buf)) > 0;) text.append(buf, static_cast<size_t>(n));
  close(fd);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    size_t blank = line.find(' ');
    DWORD bits;
    if (blank != std::string::npos && ParseBits(line.data(), blank, &bits))
      entries[line.substr(blank + 1)] = bits;
    pos = end + 1;
  }
  return entries;
}

// Replaces the folder list in one rename, so readers never see half a list.
int WriteList(const std::string& dir, const std::map<std::string, DWORD>& entries) {
  const std::string list = dir + "/" + kListName;
  if (entries.empty()) return unlink(list.c_str()) == 0 || errno == ENOENT ? 0 : errno;
  std::string text;
  for (const auto& [name, bits] : entries) text += FormatBits(bits) + " " + name + "\n";
  const std::string temp = list + "." + std::to_string(getpid()) + ".tmp";
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return errno;
  bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  int err = ok ? 0 : (errno ? errno : EIO);
  close(fd);
  if (ok && rename(temp.c_str(), list.c_str()) != 0) err = errno;
  if (err) unlink(temp.c_str());
  return err;
}

int UpdateList(const std::string& posix, DWORD bits, bool remove) {
  std::string dir, name;
  SplitPath(posix, &dir, &name);
  if (name.find('\n') != std::string::npos) return ENOTSUP;
  std::lock_guard<std::mutex> lock(g_listMutex);
  std::map<std::string, DWORD> entries = ReadList(dir);
  if (remove) {
    if (!entries.erase(name)) return 0;
  } else {
    entries[name] = bits;
  }
  return WriteList(dir, entries);
}

int AfterXattrResult(int rc, const std::string& posix, DWORD bits, bool isDefault) {
  if (rc == 0) return 0;
  int err = errno;
  if (err == ENODATA && isDefault) return 0;
  if (Unsupported(err)) return UpdateList(posix, bits, isDefault);
  return err;
}

}  // namespace

DWORD StoredAttributeMask() {
  return FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
         FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
}

DWORD ReadStoredAttributes(const std::string& posix, bool isDirectory) {
  char value[256];
  ssize_t n = getxattr(posix.c_str(), kXattrName, value, sizeof value);
  DWORD bits;
  if (n > 0 && ParseBits(value, static_cast<size_t>(n), &bits)) return bits;
  if (n < 0 && Unsupported(errno)) {
    std::string dir, name;
    SplitPath(posix, &dir, &name);
    std::lock_guard<std::mutex> lock(g_listMutex);
    std::map<std::string, DWORD> entries = ReadList(dir);
    auto it = entries.find(name);
    if (it != entries.end()) return it->second;
  }
  return DefaultBits(isDirectory);
}

int WriteStoredAttributes(const std::string& posix, bool isDirectory, DWORD bits) {
  bits &= StoredAttributeMask();
  const bool isDefault = bits == DefaultBits(isDirectory);
  const std::string text = FormatBits(bits);
  int rc = isDefault ? removexattr(posix.c_str(), kXattrName)
                     : setxattr(posix.c_str(), kXattrName, text.data(), text.size(), 0);
  return AfterXattrResult(rc, posix, bits, isDefault);
}

int WriteStoredAttributesFd(int fd, const std::string& posix, DWORD bits) {
  bits &= StoredAttributeMask();
  const bool isDefault = bits == DefaultBits(false);
  const std::string text = FormatBits(bits);
  int rc = isDefault ? fremovexattr(fd, kXattrName)
                     : fsetxattr(fd, kXattrName, text.data(), text.size(), 0);
  return AfterXattrResult(rc, posix, bits, isDefault);
}

void ForgetStoredAttributes(const std::string& posix) {
  std::string dir, name;
  SplitPath(posix, &dir, &name);
  if (access((dir + "/" + kListName).c_str(), F_OK) == 0) UpdateList(posix, 0, true);
}

}  // namespace Platform
