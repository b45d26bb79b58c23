#pragma once
// The decoder's input: a read-only view of the whole archive, handed out at most 4,096 bytes
// at a time through a staging buffer. The bytes passed over are given back to the system every
// kReleaseStep bytes when the view maps a file, so that the archive does not stay resident.

#include "Platform/Win32.h"
#include "SevenZip/SevenZipReader.h"

class MemoryArchiveStream : public SevenZip::SevenZipSource {
 public:
  static constexpr size_t kStagingSize = 4096;
  static constexpr ULONGLONG kReleaseStep = 1u << 20;

  MemoryArchiveStream(const BYTE* view, ULONGLONG size) : m_view(view), m_size(size) {}

  // The first two bytes of the archive always read as 37 7A, the start of the 7z signature:
  // only the four bytes after them decide whether this is a 7z archive. False also when the
  // bytes cannot be read because the mapped file shrank; the position then stays.
  bool Read(const void** data, size_t* count) override;
  // Any position below the size.
  bool Seek(uint64_t position) override;
  uint64_t Position() const override { return m_position; }
  uint64_t Size() const override { return m_size; }

 private:
  const BYTE* m_view;
  ULONGLONG m_size;
  ULONGLONG m_position = 0;
  ULONGLONG m_released = 0;  // where the bytes not yet given back start
  BYTE m_staging[kStagingSize];
};
