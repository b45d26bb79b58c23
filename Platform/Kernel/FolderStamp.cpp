#include "Platform/Kernel/FolderStamp.h"

#include <time.h>

namespace Platform {
namespace {

// Longer than the coarsest file time in use (two seconds, on FAT).
constexpr time_t kSettledSeconds = 3;

bool SameTime(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

FolderStamp StampFromStat(const struct stat& st) {
  FolderStamp stamp;
  stamp.device = st.st_dev;
  stamp.inode = st.st_ino;
  stamp.modified = st.st_mtim;
  stamp.changed = st.st_ctim;
  return stamp;
}

bool ReadFolderStamp(const std::string& folder, FolderStamp* stamp) {
  struct stat st;
  if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  *stamp = StampFromStat(st);
  return true;
}

bool SameFolderStamp(const FolderStamp& a, const FolderStamp& b) {
  return a.device == b.device && a.inode == b.inode && SameTime(a.modified, b.modified) &&
         SameTime(a.changed, b.changed);
}

bool FolderStampSettled(const FolderStamp& stamp) {
  timespec now;
  if (clock_gettime(CLOCK_REALTIME, &now) != 0) return false;
  return stamp.modified.tv_sec + kSettledSeconds < now.tv_sec;
}

}  // namespace Platform
