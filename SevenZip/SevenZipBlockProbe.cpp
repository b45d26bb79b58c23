#include "SevenZip/SevenZipBlockProbe.h"

namespace SevenZip {

size_t FirstEntryPastFirstBlock(const SevenZipSourceMaker& makeSource) {
  std::unique_ptr<SevenZipSource> source = makeSource();
  if (!source) return 0;
  SevenZipReader reader(*source);
  if (reader.Open() != SevenZipResult::Ok) return 0;
  size_t entries = 0;
  size_t past = SIZE_MAX;
  int64_t first = -1;
  SevenZipEntry entry;
  SevenZipResult result;
  for (; (result = reader.NextEntry(&entry)) == SevenZipResult::Ok; ++entries) {
    if (entry.block < 0 || past != SIZE_MAX) continue;
    if (first < 0)
      first = entry.block;
    else if (entry.block != first)
      past = entries;
  }
  if (result != SevenZipResult::End || !reader.LayoutKnown()) return entries;
  return past == SIZE_MAX ? entries : past;
}

}  // namespace SevenZip
