// GetDriveTypeW: follows the drive's link and classifies the file system it leads to.
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "Platform/Kernel/PathMap.h"
#include "Platform/Text/AsciiText.h"
#include "Platform/Win32.h"

namespace {

constexpr unsigned long kTmpfs = 0x01021994, kRamfs = 0x858458f6;
constexpr unsigned long kNfs = 0x6969, kSmb = 0x517B, kCifs = 0xFF534D42, kSmb2 = 0xFE534D42;
constexpr unsigned long kCeph = 0x00C36400, kAfs = 0x5346414F, kCoda = 0x73757245;
constexpr unsigned long kIso9660 = 0x9660, kUdf = 0x15013346;
constexpr unsigned long kFuse = 0x65735546;

// "X:", "X:\" or "X:/" give the letter; anything else is not a root.
bool RootLetter(LPCWSTR root, char16_t* letter) {
  std::u16string_view r(root);
  if (r.size() < 2 || r.size() > 3 || r[1] != u':') return false;
  if (r.size() == 3 && !Platform::IsPathSeparator(r[2])) return false;
  *letter = r[0];
  return true;
}

// Undoes the octal escapes (\040 for a blank) of /proc/self/mountinfo.
std::string Unescape(const std::string& field) {
  std::string out;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      out += static_cast<char>(std::strtol(field.substr(i + 1, 3).c_str(), nullptr, 8));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

// The file-system type name ("fuse.sshfs") of the mount that holds the path.
std::string MountType(const std::string& path) {
  char* real = realpath(path.c_str(), nullptr);
  if (!real) return "";
  std::string target = real;
  free(real);
  std::ifstream in("/proc/self/mountinfo");
  std::string line, best, bestType;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string id, parent, dev, rootField, mountPoint;
    fields >> id >> parent >> dev >> rootField >> mountPoint;
    size_t dash = line.find(" - ");
    if (dash == std::string::npos) continue;
    std::string type = line.substr(dash + 3, line.find(' ', dash + 3) - dash - 3);
    mountPoint = Unescape(mountPoint);
    bool holds = target == mountPoint || mountPoint == "/" ||
                 target.compare(0, mountPoint.size() + 1, mountPoint + "/") == 0;
    if (holds && mountPoint.size() >= best.size()) best = mountPoint, bestType = type;
  }
  return bestType;
}

bool IsRemovableBlockDevice(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || major(st.st_dev) == 0) return false;
  char base[64];
  snprintf(base, sizeof base, "/sys/dev/block/%u:%u/", major(st.st_dev), minor(st.st_dev));
  // A partition has no "removable" of its own; its disk, one folder up, has.
  for (const char* rel : {"removable", "../removable"}) {
    std::ifstream in(std::string(base) + rel);
    char flag = 0;
    if (in >> flag) return flag == '1';
  }
  return false;
}

UINT Classify(const std::string& target) {
  struct statfs fs;
  if (statfs(target.c_str(), &fs) != 0) return DRIVE_NO_ROOT_DIR;
  const unsigned long type = static_cast<unsigned long>(fs.f_type) & 0xFFFFFFFFul;
  switch (type) {
    case kTmpfs:
    case kRamfs: return DRIVE_RAMDISK;
    case kNfs:
    case kSmb:
    case kCifs:
    case kSmb2:
    case kCeph:
    case kAfs:
    case kCoda: return DRIVE_REMOTE;
    case kIso9660:
    case kUdf: return DRIVE_CDROM;
    case kFuse: {
      const std::string name = MountType(target);
      for (const char* remote : {"fuse.sshfs", "fuse.rclone", "fuse.s3fs", "fuse.gcsfuse"})
        if (name == remote) return DRIVE_REMOTE;
      break;
    }
    default: break;
  }
  return IsRemovableBlockDevice(target) ? DRIVE_REMOVABLE : DRIVE_FIXED;
}

}  // namespace

UINT WINAPI GetDriveTypeW(LPCWSTR lpRootPathName) {
  char16_t letter;
  if (lpRootPathName) {
    if (!RootLetter(lpRootPathName, &letter)) return DRIVE_NO_ROOT_DIR;
  } else {
    letter = Platform::PosixToWindowsPath(".")[0];  // the current folder's drive
  }
  std::string target;
  if (!Platform::DriveTarget(letter, &target)) return DRIVE_NO_ROOT_DIR;
  return Classify(target);
}
