#include "SevenZip/SevenZipBlockProbe.h"

namespace SevenZip {

size_t FirstEntryPastFirstBlock(const std::vector<int64_t>& blockOf) {
  int64_t first = -1;
  for (size_t i = 0; i < blockOf.size(); ++i) {
    if (blockOf[i] < 0) continue;
    if (first < 0)
      first = blockOf[i];
    else if (blockOf[i] != first)
      return i;
  }
  return blockOf.size();
}

size_t FirstEntryPastFirstBlock(const SevenZipSourceMaker& makeSource) {
  std::unique_ptr<SevenZipSource> source = makeSource();
  if (!source) return 0;
  SevenZipReader reader(*source);
  if (reader.Open() != SevenZipResult::Ok) return 0;
  size_t entries = 0;
  SevenZipEntry entry;
  SevenZipResult result;
  while ((result = reader.NextEntry(&entry)) == SevenZipResult::Ok) ++entries;
  if (result != SevenZipResult::End || !reader.LayoutKnown()) return entries;
  const size_t past = FirstEntryPastFirstBlock(reader.EntryBlocks());
  return past < reader.EntryBlocks().size() ? past : entries;
}

}  // namespace SevenZip
