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

// A file read through the platform's file functions; closed with the source.
class FileSource : public ArchiveSource {
 public:
  explicit FileSource(HANDLE file) : m_file(file) {}
  ~FileSource() override { CloseHandle(m_file); }
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  bool Open() {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_file, &size) || size.QuadPart < 0) return false;
    m_size = static_cast<uint64_t>(size.QuadPart);
    return true;
  }

  size_t Read(void* buffer, size_t size) override {
    const DWORD want = size < 0x40000000u ? static_cast<DWORD>(size) : 0x40000000u;
    DWORD got = 0;
    if (want == 0 || !ReadFile(m_file, buffer, want, &got, nullptr)) return 0;
    m_position += got;
    return got;
  }

  bool MoveTo(uint64_t position) override {
    if (position > m_size) return false;
    LONG high = static_cast<LONG>(position >> 32);
    const DWORD low =
        SetFilePointer(m_file, static_cast<LONG>(position & 0xFFFFFFFFu), &high, FILE_BEGIN);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return false;
    m_position = position;
    return true;
  }

  uint64_t Position() const override { return m_position; }
  uint64_t Size() const override { return m_size; }

 private:
  HANDLE m_file;
  uint64_t m_size = 0;
  uint64_t m_position = 0;
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

ArchiveSource* CreateFileSource(LPCWSTR path) {
  if (!path) return nullptr;
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  auto* source = new (std::nothrow) FileSource(file);
  if (!source) {
    CloseHandle(file);
    return nullptr;
  }
  if (!source->Open()) {
    delete source;
    return nullptr;
  }
  return source;
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
