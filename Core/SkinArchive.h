#pragma once
// Read access to the skin's zip archive, kept either in a file or in a block of memory.

#include <cstdint>

#include "Platform/Win32.h"

namespace SkinUI {

// An open archive. The memory block behind an archive opened from memory belongs to the caller
// and must outlive the archive.
struct SkinArchive;

// Result codes. Only kArchiveOk and kArchiveMore are successes; callers do not tell the
// failures apart.
enum : DWORD {
  kArchiveOk = 0,
  kArchiveNotFound = 0x500,
  kArchiveMore = 0x600,  // the buffer is full and the entry holds more data
  kArchiveBadArgs = 0x10000,
  kArchiveCorrupt = 0x800,     // broken structure, bad sizes, short data or a wrong checksum
  kArchiveUnsupported = 0x900  // encrypted, or packed with a method other than store/deflate
};

inline bool ArchiveSucceeded(DWORD code) { return code == kArchiveOk || code == kArchiveMore; }

// One entry as found by name.
struct ArchiveEntry {
  int index = -1;
  WCHAR name[MAX_PATH] = {};  // at most MAX_PATH - 1 characters
  DWORD attributes = 0;       // FILE_ATTRIBUTE_* bits: read-only, hidden, system, directory
  FILETIME writeTime = {};    // the stored local time, taken as UTC
  uint64_t compressedSize = 0;
  uint64_t uncompressedSize = 0;
};

SkinArchive* OpenArchiveFile(LPCWSTR path);
SkinArchive* OpenArchiveMemory(const void* bytes, size_t size);

// Finds the first entry, in archive order, whose stored name equals `name` converted to the
// ANSI code page with every '\' read as '/'. With `ignoreCase` only a-z and A-Z fold. Names of
// more than 255 bytes are never found. An entry whose sizes cannot be true for this archive
// answers kArchiveCorrupt, so that nobody allocates for it.
DWORD FindArchiveEntry(SkinArchive* archive, LPCWSTR name, bool ignoreCase, ArchiveEntry* entry);

// Inflates entry `index` into `buffer` of `size` bytes. kArchiveMore when the buffer filled up
// before the entry ended; a complete entry is checked against its CRC.
DWORD ExtractArchiveEntry(SkinArchive* archive, int index, void* buffer, uint64_t size);

void CloseArchive(SkinArchive* archive);

}  // namespace SkinUI
