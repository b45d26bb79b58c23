#pragma once
// The bytes under the zip reader: a block of memory or a file, reached through the reader's
// file-function table.

#include <minizip/ioapi.h>

#include <cstdint>

#include "Platform/Win32.h"

namespace SkinUI {

class ArchiveSource {
 public:
  virtual ~ArchiveSource() = default;
  // Reads up to `size` bytes at the current position; returns how many were read.
  virtual size_t Read(void* buffer, size_t size) = 0;
  // Moves to an absolute position inside the source; false when it lies outside.
  virtual bool MoveTo(uint64_t position) = 0;
  virtual uint64_t Position() const = 0;
  virtual uint64_t Size() const = 0;
};

// The block stays the caller's and must outlive the source.
ArchiveSource* CreateMemorySource(const void* bytes, size_t size);

// A file opened for reading, shared for reading; null when it cannot be opened.
ArchiveSource* CreateFileSource(LPCWSTR path);

// Fills `functions` so that the reader opened with an ArchiveSource* as its file name reads it.
void FillArchiveFileFunctions(zlib_filefunc64_def* functions);

}  // namespace SkinUI
