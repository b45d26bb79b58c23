#pragma once
// Checks a 7z archive's headers before the decoder trusts them, and reads from them what the
// decoder does not tell: each entry's name exactly as stored and the solid block that holds
// its data. The start header's CRC, where the next header lies, its CRC and its structure are
// checked as 7-Zip checks them; a header database packed with LZMA or LZMA2 is unpacked first.

#include <cstdint>
#include <string>
#include <vector>

#include "SevenZip/SevenZipReader.h"

namespace SevenZip {

enum class SevenZipHeaderCheck {
  Sound,          // every check passed; the layout is filled in
  Malformed,      // the archive must be refused
  NotUnderstood,  // well formed as far as read, but using something this reader does not
                  // parse (an external table, a header packed another way): no layout
  Unreadable,     // the source failed to give bytes within its size
};

struct SevenZipLayout {
  // One per entry, in archive order (empty when the archive stores no names).
  std::vector<WideName> names;
  // Per entry, the index of the solid block holding its data; -1 for an entry without data.
  std::vector<int64_t> blockOf;
  // Per solid block, whether every coder of it is one the decoder always has.
  std::vector<bool> blockDecodable;
  // Per entry, the size of its data (0 for an entry without); empty when the headers do not
  // give every size (a block of several streams without their sizes).
  std::vector<uint64_t> sizes;
};

// Reads the headers through `source` (which ends positioned anywhere).
SevenZipHeaderCheck CheckSevenZipHeader(SevenZipSource& source, SevenZipLayout* layout);

// Whether a name holds a UTF-16 surrogate without its other half.
bool HasLoneSurrogate(const WideName& name);

}  // namespace SevenZip
