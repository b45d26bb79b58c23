// The skin archive reader over an in-memory zip: open, look entries up, extract them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "Core/SkinArchive.h"

using namespace SkinUI;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SkinArchive* archive = OpenArchiveMemory(data, size);
  if (!archive) return 0;
  static const WCHAR* const kNames[] = {u"skin.xml",  u"SUB\\A.PNG",         u"repeat.txt",
                                        u"empty.txt", u"images/magenta.png", u"SKIN.XML"};
  for (const WCHAR* name : kNames) {
    ArchiveEntry entry;
    if (FindArchiveEntry(archive, name, true, &entry) != kArchiveOk) continue;
    if (entry.uncompressedSize > (64u << 20)) continue;
    std::vector<uint8_t> buffer(entry.uncompressedSize);
    ExtractArchiveEntry(archive, entry.index, buffer.data(), buffer.size());
    // A short buffer must stop cleanly too.
    if (buffer.size() > 1)
      ExtractArchiveEntry(archive, entry.index, buffer.data(), buffer.size() / 2);
  }
  CloseArchive(archive);
  return 0;
}
