#include "setup/PayloadExtractor.h"

#include "Platform/Win32Ext.h"
#include "SevenZip/SevenZipHeader.h"
#include "SevenZip/SevenZipReader.h"
#include "SevenZip/SevenZipSplitReader.h"
#include "setup/CreationListener.h"
#include "setup/ExtractionPaths.h"
#include "setup/MemoryArchiveStream.h"
#include "setup/Progress.h"

using SevenZip::SevenZipEntry;
using SevenZip::SevenZipError;
using SevenZip::SevenZipReader;
using SevenZip::SevenZipResult;
using SevenZip::SevenZipSplitReader;

namespace {

enum class EntryOutcome { Written, NotWritten, DecoderFailed };

DWORD DecoderErrorCode(SevenZipError error) {
  switch (error) {
    case SevenZipError::Memory: return ERROR_NOT_ENOUGH_MEMORY;
    case SevenZipError::Input: return ERROR_READ_FAULT;
    case SevenZipError::Format: return ERROR_BAD_FORMAT;
    case SevenZipError::NotSupported: return ERROR_NOT_SUPPORTED;
    default: return ERROR_CRC;
  }
}

DWORD LastErrorOr(DWORD fallback) {
  DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? error : fallback;
}

void Remember(DWORD* firstError, DWORD error) {
  if (*firstError == ERROR_SUCCESS) *firstError = error;
}

// The entry list alone, before anything is written: its count and the bytes it adds up to.
bool ListArchive(SevenZipReader& lister, UINT* entries, ULONGLONG* bytes, DWORD* error) {
  *entries = 0;
  *bytes = 0;
  SevenZipResult result = lister.Open();
  SevenZipEntry entry;
  while (result == SevenZipResult::Ok &&
         (result = lister.NextEntry(&entry)) == SevenZipResult::Ok) {
    ++*entries;
    *bytes += entry.size;
  }
  if (result == SevenZipResult::Error) *error = DecoderErrorCode(lister.LastError());
  return result == SevenZipResult::End;
}

// The same, from the headers where they give every size (they were read to open `reader`);
// otherwise by a listing pass of its own.
bool CountEntries(const SevenZipSplitReader& reader,
                  const SevenZip::SevenZipSourceMaker& makeSource, UINT* entries, ULONGLONG* bytes,
                  DWORD* error) {
  const std::vector<uint64_t>& sizes = reader.EntrySizes();
  if (!sizes.empty()) {
    *entries = static_cast<UINT>(sizes.size());
    *bytes = 0;
    for (uint64_t entrySize : sizes) *bytes += entrySize;
    return true;
  }
  std::unique_ptr<SevenZip::SevenZipSource> source = makeSource();
  SevenZipReader lister(*source, false);
  return ListArchive(lister, entries, bytes, error);
}

void LogEntryCount(UINT entries) {
  WCHAR line[64];
  wnsprintfW(line, 64, TEXT("文件总个数: %u \r\n"), entries);
  OutputDebugStringW(line);
}

void Report(ULONGLONG total, ULONGLONG done, BOOL start) {
  if (g_progressCallback) g_progressCallback(total, done, start);
}

// The folder whose files are being written: entries come folder by folder, so most entries
// find their folder made already by the one before.
// It also carries who hears of what is created.
struct PreparedFolder {
  WCHAR path[MAX_PATH] = {};
  CreationListener* listener = nullptr;
};

void PrepareParent(LPCWSTR path, PreparedFolder* prepared) {
  WCHAR parent[MAX_PATH];
  if (!ParentPath(path, parent)) return;
  if (lstrcmpW(parent, prepared->path) == 0) return;
  EnsureDirectory(parent, prepared->listener);
  lstrcpynW(prepared->path, parent, MAX_PATH);
}

HANDLE CreateListedFile(LPCWSTR path, const PreparedFolder& prepared) {
  bool existed = GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
  HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE && prepared.listener)
    prepared.listener->Created(ManifestKind::File, path, !existed);
  return file;
}

HANDLE CreateEntryFile(LPCWSTR path, PreparedFolder* prepared) {
  PrepareParent(path, prepared);
  HANDLE file = CreateListedFile(path, *prepared);
  if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_PATH_NOT_FOUND) return file;
  // The folder went away since it was made: make it again.
  prepared->path[0] = 0;
  PrepareParent(path, prepared);
  return CreateListedFile(path, *prepared);
}

// Copies the current entry's data into the open file. A decoder failure removes the file, so
// no entry is left behind with data that failed its check.
EntryOutcome CopyEntryData(SevenZipSplitReader& reader, const SevenZipEntry& entry, HANDLE file,
                           LPCWSTR path, DWORD* error) {
  ULONGLONG written = 0;
  for (;;) {
    const void* data;
    size_t count;
    SevenZipResult result = reader.ReadData(&data, &count);
    if (result == SevenZipResult::End) break;
    if (result == SevenZipResult::Error) {
      CloseHandle(file);
      DeleteFileW(path);
      *error = DecoderErrorCode(reader.LastError());
      return EntryOutcome::DecoderFailed;
    }
    ULONGLONG n = WriteAll(count, data, file);
    written += n;
    if (n != count) {
      *error = LastErrorOr(ERROR_WRITE_FAULT);
      CloseHandle(file);
      return EntryOutcome::NotWritten;  // the partial file stays
    }
  }
  CloseHandle(file);
  if (written != entry.size) {
    *error = ERROR_INVALID_DATA;
    return EntryOutcome::NotWritten;
  }
  return EntryOutcome::Written;
}

EntryOutcome WriteFileEntry(SevenZipSplitReader& reader, const SevenZipEntry& entry, LPCWSTR path,
                            PreparedFolder* prepared, DWORD* error) {
  HANDLE file = CreateEntryFile(path, prepared);
  if (file == INVALID_HANDLE_VALUE) {
    *error = LastErrorOr(ERROR_OPEN_FAILED);
    return EntryOutcome::NotWritten;
  }
  EntryOutcome outcome = CopyEntryData(reader, entry, file, path, error);
  // Archives made on Unix keep a program's execute permission; nothing else stored is applied.
  if (outcome == EntryOutcome::Written && (entry.permissions & 0111) != 0 &&
      !Platform::AddExecutePermission(path, entry.permissions & 0111)) {
    *error = LastErrorOr(ERROR_ACCESS_DENIED);
    return EntryOutcome::NotWritten;
  }
  return outcome;
}

EntryOutcome ExtractEntry(SevenZipSplitReader& reader, const SevenZipEntry& entry,
                          LPCWSTR destination, PreparedFolder* prepared, DWORD* error) {
  WCHAR path[MAX_PATH];
  if (SevenZip::HasLoneSurrogate(entry.name)) {
    *error = ERROR_INVALID_NAME;  // half of a character: no file name can hold it
    return EntryOutcome::NotWritten;
  }
  if (!ResolveEntryPath(destination, entry.name.c_str(), path)) {
    // A name that fits nowhere under this folder says so; any other is the archive's fault.
    bool tooLong = lstrlenW(destination) + lstrlenW(entry.name.c_str()) >= MAX_PATH;
    *error = tooLong ? ERROR_FILENAME_EXCED_RANGE : ERROR_INVALID_DATA;
    return EntryOutcome::NotWritten;
  }
  if (!entry.isDirectory) return WriteFileEntry(reader, entry, path, prepared, error);
  if (EnsureDirectory(path, prepared->listener)) return EntryOutcome::Written;
  *error = LastErrorOr(ERROR_PATH_NOT_FOUND);
  return EntryOutcome::NotWritten;
}

}  // namespace

int ExtractArchive(const BYTE* view, ULONGLONG size, LPCWSTR destination, DWORD* firstError,
                   const ExtractionControl& control) {
  *firstError = ERROR_SUCCESS;
  MemoryArchiveStream stream(view, size);
  // A second thread decodes the solid blocks after the first one while this one works.
  auto makeSource = [view, size]() -> std::unique_ptr<SevenZip::SevenZipSource> {
    return std::make_unique<MemoryArchiveStream>(view, size);
  };
  SevenZipSplitReader reader(stream, makeSource);
  UINT entries = 0;
  DWORD error = ERROR_SUCCESS;
  SevenZipResult result = reader.Open();
  if (result != SevenZipResult::Ok) error = DecoderErrorCode(reader.LastError());
  if (result != SevenZipResult::Ok ||
      !CountEntries(reader, makeSource, &entries, &ProgressTotal, &error)) {
    *firstError = error ? error : ERROR_BAD_FORMAT;
    return 1;
  }
  Report(ProgressTotal, 0, TRUE);
  LogEntryCount(entries);
  ProgressDone = 0;

  SevenZipEntry entry;
  PreparedFolder prepared;
  prepared.listener = control.listener;
  while (result == SevenZipResult::Ok &&
         (result = reader.NextEntry(&entry)) == SevenZipResult::Ok) {
    if (control.mayProceed && !control.mayProceed()) {
      *firstError = ERROR_CANCELLED;
      return 1;
    }
    EntryOutcome outcome = ExtractEntry(reader, entry, destination, &prepared, &error);
    if (outcome == EntryOutcome::DecoderFailed) {
      result = SevenZipResult::Error;
      break;
    }
    if (outcome == EntryOutcome::NotWritten) {
      Remember(firstError, error);
      continue;
    }
    ProgressDone += entry.size;
    Report(ProgressTotal, ProgressDone, FALSE);
  }
  if (result == SevenZipResult::Error) {
    Remember(firstError, DecoderErrorCode(reader.LastError()));
    return 1;
  }
  if (*firstError != ERROR_SUCCESS) return 1;
  Report(ProgressTotal, ProgressTotal, FALSE);
  return 0;
}

int PayloadExtractor(LPCWSTR archivePath, LPCWSTR destination, DWORD* firstError,
                     const ExtractionControl& control) {
  *firstError = ERROR_SUCCESS;
  HANDLE file = CreateFileW(archivePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *firstError = LastErrorOr(ERROR_OPEN_FAILED);
    return -1;
  }
  DWORD size = GetFileSize(file, nullptr);
  HANDLE mapping = size == INVALID_FILE_SIZE
                       ? nullptr
                       : CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, size, nullptr);
  const void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, size) : nullptr;
  if (!view) {
    *firstError = LastErrorOr(ERROR_OPEN_FAILED);
    if (mapping) CloseHandle(mapping);
    CloseHandle(file);
    return -1;
  }
  int result =
      ExtractArchive(static_cast<const BYTE*>(view), size, destination, firstError, control);
  UnmapViewOfFile(view);
  CloseHandle(mapping);
  CloseHandle(file);
  return result;
}
