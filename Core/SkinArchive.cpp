#include "Core/SkinArchive.h"

#include <minizip/unzip.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "Core/ArchiveSource.h"

namespace SkinUI {

namespace {

// What the directory says about one entry, read once when the archive is opened.
struct EntryRecord {
  std::string name;  // raw stored bytes
  unz64_file_pos position;
  uint64_t compressedSize;
  uint64_t uncompressedSize;
  unsigned long method;
  unsigned long flags;
  unsigned long hostSystem;
  unsigned long externalAttributes;
  tm_unz time;
};

constexpr unsigned long kMethodStored = 0;
constexpr unsigned long kMethodDeflated = 8;
constexpr unsigned long kFlagEncrypted = 0x1;
constexpr size_t kLongestFoundName = 255;
// Deflate cannot expand one input byte into more than 1032 output bytes.
constexpr uint64_t kDeflateMaxRatio = 1032;

}  // namespace

struct SkinArchive {
  ArchiveSource* source = nullptr;
  unzFile zip = nullptr;
  std::vector<EntryRecord> entries;
};

namespace {

bool ReadDirectoryEntry(unzFile zip, std::vector<char>& nameBuffer, EntryRecord* record) {
  unz_file_info64 info;
  if (unzGetCurrentFileInfo64(zip, &info, nameBuffer.data(), nameBuffer.size(), nullptr, 0, nullptr,
                              0) != UNZ_OK)
    return false;
  if (unzGetFilePos64(zip, &record->position) != UNZ_OK) return false;
  const size_t nameLength = info.size_filename < nameBuffer.size() ? info.size_filename : 0;
  record->name.assign(nameBuffer.data(), nameLength);
  record->compressedSize = info.compressed_size;
  record->uncompressedSize = info.uncompressed_size;
  record->method = info.compression_method;
  record->flags = info.flag;
  record->hostSystem = info.version >> 8;
  record->externalAttributes = info.external_fa;
  record->time = info.tmu_date;
  return true;
}

bool ReadDirectory(SkinArchive* archive) {
  unz_global_info64 global;
  if (unzGetGlobalInfo64(archive->zip, &global) != UNZ_OK) return false;
  std::vector<char> nameBuffer(0x10000);
  int step = unzGoToFirstFile(archive->zip);
  while (step == UNZ_OK) {
    EntryRecord record;
    if (!ReadDirectoryEntry(archive->zip, nameBuffer, &record)) return false;
    archive->entries.push_back(std::move(record));
    step = unzGoToNextFile(archive->zip);
  }
  // A count of 0xFFFF means "unknown" to the reader, which then walks until the headers stop.
  return step == UNZ_END_OF_LIST_OF_FILE ||
         (global.number_entry == 0xFFFF && !archive->entries.empty());
}

SkinArchive* OpenFromSource(ArchiveSource* source) {
  if (!source) return nullptr;
  SkinArchive* archive = new (std::nothrow) SkinArchive;
  if (!archive) {
    delete source;
    return nullptr;
  }
  archive->source = source;
  zlib_filefunc64_def functions;
  FillArchiveFileFunctions(&functions);
  archive->zip = unzOpen2_64(source, &functions);
  if (!archive->zip || !ReadDirectory(archive)) {
    CloseArchive(archive);
    return nullptr;
  }
  return archive;
}

// Folds only the ASCII letters, whatever the bytes around them encode.
char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool NamesEqual(const std::string& stored, const std::string& wanted, bool ignoreCase) {
  if (stored.size() != wanted.size()) return false;
  if (!ignoreCase) return stored == wanted;
  for (size_t i = 0; i < stored.size(); ++i) {
    if (FoldAscii(stored[i]) != FoldAscii(wanted[i])) return false;
  }
  return true;
}

bool ToArchiveName(LPCWSTR name, std::string* out) {
  if (!name || !*name) return false;
  const int length = WideCharToMultiByte(CP_ACP, 0, name, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1 || static_cast<size_t>(length - 1) > kLongestFoundName) return false;
  out->assign(static_cast<size_t>(length), '\0');
  if (WideCharToMultiByte(CP_ACP, 0, name, -1, out->data(), length, nullptr, nullptr) != length)
    return false;
  out->resize(static_cast<size_t>(length - 1));
  for (char& c : *out) {
    if (c == '\\') c = '/';
  }
  return true;
}

bool IsSupported(const EntryRecord& record) {
  return !(record.flags & kFlagEncrypted) &&
         (record.method == kMethodStored || record.method == kMethodDeflated);
}

// The sizes an entry claims decide how much its reader allocates, so they must be possible.
bool HasPlausibleSizes(const EntryRecord& record, uint64_t archiveSize) {
  if (record.compressedSize > archiveSize) return false;
  if (record.method == kMethodStored) return record.uncompressedSize == record.compressedSize;
  return record.uncompressedSize / kDeflateMaxRatio <= record.compressedSize + 1;
}

DWORD ToAttributes(const EntryRecord& record) {
  constexpr DWORD kReadOnly = 0x1, kHidden = 0x2, kSystem = 0x4, kDirectory = 0x10, kArchive = 0x20;
  constexpr unsigned long kUnixHost = 3;
  DWORD attributes = 0;
  if (record.hostSystem == kUnixHost) {
    const unsigned long mode = record.externalAttributes >> 16;
    if ((mode & 0170000) == 0040000) attributes |= kDirectory;
    if (mode != 0 && !(mode & 0200)) attributes |= kReadOnly;
  } else {
    attributes = static_cast<DWORD>(record.externalAttributes) &
                 (kReadOnly | kHidden | kSystem | kDirectory | kArchive);
  }
  if (!record.name.empty() && record.name.back() == '/') attributes |= kDirectory;
  return attributes;
}

// Days from 1601-01-01 to the given civil date (proleptic Gregorian).
int64_t DaysSince1601(int64_t year, int64_t month, int64_t day) {
  if (month <= 2) {
    year -= 1;
    month += 12;
  }
  const int64_t era = year / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month - 3) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const int64_t daysSince0000 = era * 146097 + dayOfEra;
  constexpr int64_t k1601 = 1600 * 365 + 1600 / 4 - 1600 / 100 + 1600 / 400 + 306;
  return daysSince0000 - k1601;
}

FILETIME ToFileTime(const tm_unz& time) {
  const int64_t days =
      DaysSince1601(time.tm_year, static_cast<int64_t>(time.tm_mon) + 1, time.tm_mday);
  const int64_t seconds =
      days * 86400 + time.tm_hour * 3600 + time.tm_min * 60 + static_cast<int64_t>(time.tm_sec);
  const uint64_t ticks = static_cast<uint64_t>(seconds) * 10000000u;
  FILETIME result;
  result.dwLowDateTime = static_cast<DWORD>(ticks);
  result.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return result;
}

void DescribeEntry(const EntryRecord& record, int index, ArchiveEntry* entry) {
  entry->index = index;
  entry->name[0] = 0;
  if (!record.name.empty()) {
    const int length = MultiByteToWideChar(CP_ACP, 0, record.name.data(),
                                           static_cast<int>(record.name.size()), nullptr, 0);
    std::vector<WCHAR> wide(static_cast<size_t>(length > 0 ? length : 0) + 1);
    if (length > 0 &&
        MultiByteToWideChar(CP_ACP, 0, record.name.data(), static_cast<int>(record.name.size()),
                            wide.data(), length) == length)
      lstrcpynW(entry->name, wide.data(), MAX_PATH);
  }
  entry->attributes = ToAttributes(record);
  entry->writeTime = ToFileTime(record.time);
  entry->compressedSize = record.compressedSize;
  entry->uncompressedSize = record.uncompressedSize;
}

// Reads up to `size` bytes of the open entry; false on a read error.
bool ReadCurrent(unzFile zip, unsigned char* buffer, uint64_t size, uint64_t* done, bool* ended) {
  constexpr uint64_t kChunk = 1u << 30;
  *done = 0;
  *ended = false;
  while (*done < size) {
    const uint64_t want = size - *done < kChunk ? size - *done : kChunk;
    const int got = unzReadCurrentFile(zip, buffer + *done, static_cast<unsigned>(want));
    if (got < 0) return false;
    if (got == 0) {
      *ended = true;
      return true;
    }
    *done += static_cast<uint64_t>(got);
  }
  return true;
}

DWORD FinishEntry(unzFile zip, const EntryRecord& record, uint64_t done, bool ended) {
  if (!ended) {
    unsigned char probe;
    const int more = unzReadCurrentFile(zip, &probe, 1);
    if (more < 0) {
      unzCloseCurrentFile(zip);
      return kArchiveCorrupt;
    }
    if (more > 0) {
      unzCloseCurrentFile(zip);
      return kArchiveMore;
    }
  }
  // The reader stops at the declared size; a stream that ends before it is damaged.
  if (done < record.uncompressedSize) {
    unzCloseCurrentFile(zip);
    return kArchiveCorrupt;
  }
  return unzCloseCurrentFile(zip) == UNZ_OK ? kArchiveOk : kArchiveCorrupt;
}

}  // namespace

SkinArchive* OpenArchiveFile(LPCWSTR path) { return OpenFromSource(CreateFileSource(path)); }

SkinArchive* OpenArchiveMemory(const void* bytes, size_t size) {
  if (!bytes || size == 0) return nullptr;
  return OpenFromSource(CreateMemorySource(bytes, size));
}

DWORD FindArchiveEntry(SkinArchive* archive, LPCWSTR name, bool ignoreCase, ArchiveEntry* entry) {
  if (!archive || !entry) return kArchiveBadArgs;
  std::string wanted;
  if (!ToArchiveName(name, &wanted)) return kArchiveNotFound;
  for (size_t i = 0; i < archive->entries.size(); ++i) {
    const EntryRecord& record = archive->entries[i];
    if (!NamesEqual(record.name, wanted, ignoreCase)) continue;
    if (!IsSupported(record)) return kArchiveUnsupported;
    if (!HasPlausibleSizes(record, archive->source->Size())) return kArchiveCorrupt;
    DescribeEntry(record, static_cast<int>(i), entry);
    return kArchiveOk;
  }
  return kArchiveNotFound;
}

DWORD ExtractArchiveEntry(SkinArchive* archive, int index, void* buffer, uint64_t size) {
  if (!archive || index < 0 || static_cast<size_t>(index) >= archive->entries.size() ||
      (!buffer && size > 0))
    return kArchiveBadArgs;
  EntryRecord& record = archive->entries[static_cast<size_t>(index)];
  if (!IsSupported(record)) return kArchiveUnsupported;
  if (unzGoToFilePos64(archive->zip, &record.position) != UNZ_OK) return kArchiveCorrupt;
  if (unzOpenCurrentFile(archive->zip) != UNZ_OK) return kArchiveCorrupt;
  uint64_t done = 0;
  bool ended = false;
  if (!ReadCurrent(archive->zip, static_cast<unsigned char*>(buffer), size, &done, &ended)) {
    unzCloseCurrentFile(archive->zip);
    return kArchiveCorrupt;
  }
  return FinishEntry(archive->zip, record, done, ended);
}

void CloseArchive(SkinArchive* archive) {
  if (!archive) return;
  if (archive->zip) unzClose(archive->zip);  // closes the source stream too
  delete archive->source;
  delete archive;
}

}  // namespace SkinUI
