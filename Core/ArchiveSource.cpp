#include "Core/ArchiveSource.h"

#include <cstring>
#include <new>

namespace SkinUI {

namespace {

class MemorySource : public ArchiveSource {
 public:
  MemorySource(const void* bytes, size_t size)
      : m_bytes(static_cast<const unsigned char*>(bytes)), m_size(size) {}

  size_t Read(void* buffer, size_t size) override {
    const size_t left = m_size - m_position;
    const size_t count = size < left ? size : left;
    if (count > 0) std::memcpy(buffer, m_bytes + m_position, count);
    m_position += count;
    return count;
  }

  bool MoveTo(uint64_t position) override {
    if (position > m_size) return false;
    m_position = static_cast<size_t>(position);
    return true;
  }

  uint64_t Position() const override { return m_position; }
  uint64_t Size() const override { return m_size; }

 private:
  const unsigned char* m_bytes;
  size_t m_size;
  size_t m_position = 0;
};

// The reader passes back, as its "file name", the source it was opened with.
voidpf ZCALLBACK OpenSource(voidpf, const void* name, int mode) {
  if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ) return nullptr;
  auto* source = static_cast<ArchiveSource*>(const_cast<void*>(name));
  return source->MoveTo(0) ? source : nullptr;
}

uLong ZCALLBACK ReadSource(voidpf, voidpf stream, void* buffer, uLong size) {
  return static_cast<uLong>(static_cast<ArchiveSource*>(stream)->Read(buffer, size));
}

uLong ZCALLBACK WriteSource(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK TellSource(voidpf, voidpf stream) {
  return static_cast<ArchiveSource*>(stream)->Position();
}

long ZCALLBACK SeekSource(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  auto* source = static_cast<ArchiveSource*>(stream);
  uint64_t base = 0;
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET: base = 0; break;
    case ZLIB_FILEFUNC_SEEK_CUR: base = source->Position(); break;
    case ZLIB_FILEFUNC_SEEK_END: base = source->Size(); break;
    default: return -1;
  }
  // Offsets are unsigned; a sum that wraps cannot be a position.
  if (offset > UINT64_MAX - base) return -1;
  return source->MoveTo(base + offset) ? 0 : -1;
}

// The source is owned by the archive, which destroys it after the reader is closed.
int ZCALLBACK CloseSource(voidpf, voidpf) { return 0; }

int ZCALLBACK SourceError(voidpf, voidpf) { return 0; }

}  // namespace

ArchiveSource* CreateMemorySource(const void* bytes, size_t size) {
  return new (std::nothrow) MemorySource(bytes, size);
}

void FillArchiveFileFunctions(zlib_filefunc64_def* functions) {
  functions->zopen64_file = OpenSource;
  functions->zread_file = ReadSource;
  functions->zwrite_file = WriteSource;
  functions->ztell64_file = TellSource;
  functions->zseek64_file = SeekSource;
  functions->zclose_file = CloseSource;
  functions->zerror_file = SourceError;
  functions->opaque = nullptr;
}

}  // namespace SkinUI
