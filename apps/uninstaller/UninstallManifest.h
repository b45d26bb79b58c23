#pragma once
// The list of what an install wrote, which the installer leaves as "uninstall.lst" in the
// install folder: UTF-8 without a byte-order mark, lines ended by CR LF, first line
// "HalvaneInstall 1", then one entry a line in the order the install made them:
//   D <folder>   a folder the install created, relative to the install folder ("." is the
//                install folder itself)
//   F <file>     a file it wrote, relative to the install folder
//   L <path>     a shortcut file, a full path
//   P <path>     a pinned link: the full path that was given to the pin verbs
// Relative paths use backslashes and never leave the install folder.

#include <string>
#include <vector>

#include "Platform/Win32.h"

enum class ManifestKind { Folder, File, Shortcut, Pin };

struct ManifestEntry {
  ManifestKind kind;
  std::basic_string<WCHAR> path;  // as written: relative for folders and files
};

using ManifestEntries = std::vector<ManifestEntry>;

inline constexpr WCHAR kManifestName[] = TEXT("uninstall.lst");

// Reads a whole list. The list decides what is deleted, so anything doubtful refuses it
// whole: a wrong first line, a byte-order mark, a line not ended by CR LF, an unknown kind, a
// relative path that is absolute or climbs out with "..", a full path that is not one, a
// character no Windows path holds, text that is not UTF-8. False, with ERROR_INVALID_DATA
// as the last error, and `entries` emptied.
bool ParseManifest(const char* data, size_t size, ManifestEntries* entries);

// Reads "<installDir>\uninstall.lst". False with the error of the file operation that failed,
// or as ParseManifest.
bool ReadManifest(LPCWSTR installDir, ManifestEntries* entries);
