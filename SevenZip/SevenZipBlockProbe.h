#pragma once
// Finds where the archive's first solid block ends, in entries, from the headers the reader
// follows beside the decoder; no data is decoded.

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "SevenZip/SevenZipReader.h"

namespace SevenZip {

// Makes a new source over the same archive bytes, positioned at the start.
using SevenZipSourceMaker = std::function<std::unique_ptr<SevenZipSource>()>;

// The index, in archive order, of the first entry whose data lies in another solid block than
// the data of the first entry that has any. Entries are in block order, so every entry from
// that index on belongs to a later block. Returns the number of entries when there is no such
// entry, or when the archive cannot be read or its headers could not be followed (the caller
// then reads it on one thread).
size_t FirstEntryPastFirstBlock(const SevenZipSourceMaker& makeSource);

// The same from the blocks of each entry (SevenZipReader::EntryBlocks); their count when every
// entry with data is in one block.
size_t FirstEntryPastFirstBlock(const std::vector<int64_t>& blockOf);

}  // namespace SevenZip
