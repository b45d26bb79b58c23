#include "Core/SkinFile.h"

#include <cstring>
#include <new>

#include "Core/SkinArchive.h"
#include "Core/UIManager.h"

namespace SkinUI {

namespace {

// Closes a file handle on every way out.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : m_handle(handle) {}
  ~FileHandle() {
    if (IsOpen()) CloseHandle(m_handle);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
  HANDLE Get() const { return m_handle; }

 private:
  HANDLE m_handle;
};

// Reads exactly `size` bytes; false when the file gives fewer.
bool ReadExactly(HANDLE file, BYTE* buffer, size_t size) {
  constexpr size_t kChunk = 1u << 30;
  size_t done = 0;
  while (done < size) {
    const DWORD want = static_cast<DWORD>(size - done < kChunk ? size - done : kChunk);
    DWORD got = 0;
    if (!ReadFile(file, buffer + done, want, &got, nullptr) || got == 0) return false;
    done += got;
  }
  return true;
}

SkinFileStatus ExtractEntry(SkinArchive* archive, LPCWSTR name, uint64_t limit, SkinBytes* bytes) {
  ArchiveEntry entry;
  if (FindArchiveEntry(archive, name, true, &entry) != kArchiveOk) return SkinFileStatus::NotFound;
  if (entry.uncompressedSize == 0) return SkinFileStatus::Empty;
  if (entry.uncompressedSize > limit) return SkinFileStatus::TooLarge;
  if (!bytes->Allocate(entry.uncompressedSize)) return SkinFileStatus::OutOfMemory;
  const DWORD code = ExtractArchiveEntry(archive, entry.index, bytes->Data(), bytes->Size());
  return ArchiveSucceeded(code) ? SkinFileStatus::Ok : SkinFileStatus::UnzipFailed;
}

SkinFileStatus ReadArchiveEntry(LPCWSTR name, uint64_t limit, SkinBytes* bytes) {
  if (CPaintManagerUI::IsZipKeptOpen()) {
    SkinArchive* kept = CPaintManagerUI::OpenZipHandle();
    if (!kept) return SkinFileStatus::ZipOpenFailed;
    return ExtractEntry(kept, name, limit, bytes);
  }
  const CUIString path = CPaintManagerUI::ResourceFolder() + CPaintManagerUI::ResourceZipName();
  SkinArchive* archive = OpenArchiveFile(path);
  if (!archive) return SkinFileStatus::ZipOpenFailed;
  const SkinFileStatus status = ExtractEntry(archive, name, limit, bytes);
  CloseArchive(archive);
  return status;
}

}  // namespace

bool SkinBytes::Allocate(uint64_t size) {
  m_data.reset();
  m_size = 0;
  if (size > SIZE_MAX) return false;
  m_data.reset(new (std::nothrow) BYTE[size ? static_cast<size_t>(size) : 1]);
  if (!m_data) return false;
  m_size = static_cast<size_t>(size);
  return true;
}

SkinFileStatus ReadWholeFile(LPCWSTR path, uint64_t limit, SkinBytes* bytes) {
  FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return SkinFileStatus::OpenFailed;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return SkinFileStatus::ReadFailed;
  if (size.QuadPart == 0) return SkinFileStatus::Empty;
  if (static_cast<uint64_t>(size.QuadPart) > limit) return SkinFileStatus::TooLarge;
  if (!bytes->Allocate(static_cast<uint64_t>(size.QuadPart))) return SkinFileStatus::OutOfMemory;
  if (!ReadExactly(file.Get(), bytes->Data(), bytes->Size())) return SkinFileStatus::ReadFailed;
  return SkinFileStatus::Ok;
}

bool ReadSkinResource(LPCWSTR name, LPCWSTR type, SkinBytes* bytes) {
  const HMODULE module = CPaintManagerUI::ResourceModule();
  const HRSRC resource = FindResourceW(module, name, type);
  if (!resource) return false;
  const HGLOBAL loaded = LoadResource(module, resource);
  const DWORD size = SizeofResource(module, resource);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data || size == 0 || !bytes->Allocate(size)) return false;
  std::memcpy(bytes->Data(), data, size);
  return true;
}

SkinFileStatus ReadSkinFile(LPCWSTR name, uint64_t limit, SkinBytes* bytes) {
  if (!name) name = TEXT("");
  if (CPaintManagerUI::ResourceZipName().IsEmpty()) {
    // Always joined, also when the name is a full path of its own.
    return ReadWholeFile(CPaintManagerUI::ResourceFolder() + name, limit, bytes);
  }
  return ReadArchiveEntry(name, limit, bytes);
}

}  // namespace SkinUI
