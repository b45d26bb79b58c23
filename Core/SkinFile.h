#pragma once
// Where the bytes of a skin file come from: a loose file in the resource folder, an entry of the
// skin archive, an embedded resource of the resource module, or a plain path.

#include <cstdint>
#include <memory>

#include "Platform/Win32.h"

namespace SkinUI {

// A block of bytes owned by this value.
class SkinBytes {
 public:
  // False when the block cannot be had; the old contents are gone either way.
  bool Allocate(uint64_t size);
  BYTE* Data() const { return m_data.get(); }
  size_t Size() const { return m_size; }

 private:
  std::unique_ptr<BYTE[]> m_data;
  size_t m_size = 0;
};

enum class SkinFileStatus {
  Ok,
  OpenFailed,     // a loose file cannot be opened
  Empty,          // 0 bytes
  TooLarge,       // more than the caller's limit
  ReadFailed,     // fewer bytes read than the file holds
  ZipOpenFailed,  // the skin archive cannot be opened
  NotFound,       // the archive has no such entry
  UnzipFailed,    // extracting the entry failed
  OutOfMemory
};

// A skin file by name: the loose file ResourceFolder() + name when no skin archive is set,
// otherwise the archive entry (case-insensitive). Files above `limit` bytes are refused.
SkinFileStatus ReadSkinFile(LPCWSTR name, uint64_t limit, SkinBytes* bytes);

// A whole file by its own path.
SkinFileStatus ReadWholeFile(LPCWSTR path, uint64_t limit, SkinBytes* bytes);

// The embedded resource (name, type) of the resource module, copied out; false when it is
// missing or empty. Name and type are texts or numbers made with MAKEINTRESOURCE.
bool ReadSkinResource(LPCWSTR name, LPCWSTR type, SkinBytes* bytes);

}  // namespace SkinUI
