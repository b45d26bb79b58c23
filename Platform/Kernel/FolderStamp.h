#pragma once
// What tells a folder's contents apart over time without reading it: its identity and its
// modification and change times. Any entry added, removed or renamed moves both times on.
//
// File times come from a coarse clock (a kernel tick, or whole seconds on some file systems),
// so two changes close together can leave the same stamp. A stamp is only proof that nothing
// changed since it was taken when its modification time was already older than any tick when
// it was read: a later change then gets a later time.

#include <sys/stat.h>

#include <string>

namespace Platform {

struct FolderStamp {
  dev_t device = 0;
  ino_t inode = 0;
  timespec modified{};
  timespec changed{};
};

FolderStamp StampFromStat(const struct stat& st);

// The stamp of a folder (links followed); false when it is missing or not a folder.
bool ReadFolderStamp(const std::string& folder, FolderStamp* stamp);

bool SameFolderStamp(const FolderStamp& a, const FolderStamp& b);

// Whether the stamp was old enough when read (now, by the real-time clock) that any later
// change of the folder must give it another stamp. A time in the future is never settled.
bool FolderStampSettled(const FolderStamp& stamp);

}  // namespace Platform
