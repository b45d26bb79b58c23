#include "Platform/Kernel/DriveLinks.h"

#include <errno.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>
#include <vector>

#include "Platform/Kernel/FolderStamp.h"
#include "Platform/Kernel/PathMap.h"
#include "Platform/Kernel/Prefix.h"
#include "Platform/Text/AsciiText.h"

namespace Platform {
namespace {

constexpr int kLetters = 26;

struct Drive {
  bool known = false;   // read since the stamp below was taken
  bool mapped = false;  // the link exists
  std::string target;
};

// The drives of one prefix as read under one stamp of its dosdevices folder.
class DriveTable {
 public:
  bool Find(const std::string& prefix, const FolderStamp& stamp, int slot, bool* mapped,
            std::string* target) {
    std::lock_guard<std::mutex> hold(m_lock);
    if (prefix != m_prefix || !SameFolderStamp(stamp, m_stamp) || !m_drives[slot].known)
      return false;
    *mapped = m_drives[slot].mapped;
    *target = m_drives[slot].target;
    return true;
  }

  // Keeps an answer read after `stamp` was taken; a stamp too fresh to prove later changes
  // is not kept, so the next call reads the link again.
  void Keep(const std::string& prefix, const FolderStamp& stamp, int slot, bool mapped,
            const std::string& target) {
    if (stamp.inode == 0 || !FolderStampSettled(stamp)) return;
    std::lock_guard<std::mutex> hold(m_lock);
    if (prefix != m_prefix || !SameFolderStamp(stamp, m_stamp)) {
      m_prefix = prefix;
      m_stamp = stamp;
      for (Drive& drive : m_drives) drive = Drive{};
    }
    m_drives[slot] = Drive{true, mapped, target};
  }

 private:
  std::mutex m_lock;
  std::string m_prefix;
  FolderStamp m_stamp;
  Drive m_drives[kLetters];
};

DriveTable& Table() {
  static DriveTable* table = new DriveTable;  // used until the process ends
  return *table;
}

bool ReadDriveLink(const std::string& dosdevices, char letter, std::string* posix) {
  const std::string link = dosdevices + "/" + letter + ":";
  std::vector<char> buf(PATH_MAX + 1);
  ssize_t n = readlink(link.c_str(), buf.data(), buf.size() - 1);
  if (n > 0) {
    std::string target(buf.data(), static_cast<size_t>(n));
    *posix = NormalizePosix(target[0] == '/' ? target : dosdevices + "/" + target);
    return true;
  }
  struct stat st;
  if (n < 0 && errno == EINVAL && stat(link.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    *posix = link;  // a plain folder standing in for a drive
    return true;
  }
  return false;
}

}  // namespace

bool DriveTarget(char16_t letter, std::string* posix) {
  const char16_t lower = AsciiLower(letter);
  if (lower < u'a' || lower > u'z') return false;
  const int slot = lower - u'a';
  FolderStamp stamp;
  const std::string prefix = PrefixDir(&stamp);
  bool mapped = false;
  std::string target;
  if (!Table().Find(prefix, stamp, slot, &mapped, &target)) {
    mapped = ReadDriveLink(prefix + "/dosdevices", static_cast<char>(lower), &target);
    Table().Keep(prefix, stamp, slot, mapped, target);
  }
  if (mapped) *posix = target;
  return mapped;
}

}  // namespace Platform
