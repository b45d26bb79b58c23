#include "Platform/Archive/SevenZipBlockProbe.h"

#include <cstdint>
#include <vector>

namespace Platform {

namespace {

constexpr uint64_t kUnknown = UINT64_MAX;

// Passes everything through until armed; then refuses the first read and remembers where it
// was asked for.
class TripwireSource : public SevenZipSource {
 public:
  explicit TripwireSource(SevenZipSource& inner) : m_inner(inner) {}

  bool Read(const void** data, size_t* count) override {
    if (!m_armed) return m_inner.Read(data, count);
    if (m_hit == kUnknown) m_hit = m_inner.Position();
    *count = 0;
    return false;
  }
  bool Seek(uint64_t position) override { return m_inner.Seek(position); }
  uint64_t Position() const override { return m_inner.Position(); }
  uint64_t Size() const override { return m_inner.Size(); }

  void Arm() { m_armed = true; }
  uint64_t Hit() const { return m_hit; }

 private:
  SevenZipSource& m_inner;
  bool m_armed = false;
  uint64_t m_hit = kUnknown;
};

struct Listing {
  size_t entries = 0;
  std::vector<size_t> withData;  // the indices of the entries that have data to decode
};

Listing List(const SevenZipSourceMaker& makeSource) {
  Listing listing;
  std::unique_ptr<SevenZipSource> source = makeSource();
  if (!source) return listing;
  SevenZipReader reader(*source);
  SevenZipEntry entry;
  if (reader.Open() != SevenZipResult::Ok) return listing;
  for (; reader.NextEntry(&entry) == SevenZipResult::Ok; ++listing.entries)
    if (!entry.isDirectory && entry.size > 0) listing.withData.push_back(listing.entries);
  return listing;
}

// Where the decoder starts reading to fetch the data of entry `index`.
uint64_t BlockStartOf(const SevenZipSourceMaker& makeSource, size_t index) {
  std::unique_ptr<SevenZipSource> source = makeSource();
  if (!source) return kUnknown;
  TripwireSource tripwire(*source);
  SevenZipReader reader(tripwire);
  SevenZipEntry entry;
  if (reader.Open() != SevenZipResult::Ok) return kUnknown;
  for (size_t i = 0; i <= index; ++i)
    if (reader.NextEntry(&entry) != SevenZipResult::Ok) return kUnknown;
  tripwire.Arm();
  const void* data;
  size_t count;
  reader.ReadData(&data, &count);
  return tripwire.Hit();
}

}  // namespace

size_t FirstEntryPastFirstBlock(const SevenZipSourceMaker& makeSource) {
  Listing listing = List(makeSource);
  const std::vector<size_t>& withData = listing.withData;
  size_t none = listing.entries;
  if (withData.size() < 2) return none;
  uint64_t first = BlockStartOf(makeSource, withData.front());
  if (first == kUnknown || BlockStartOf(makeSource, withData.back()) == first) return none;
  // withData[low] is in the first block, withData[high] is not.
  size_t low = 0;
  size_t high = withData.size() - 1;
  while (high - low > 1) {
    size_t middle = low + (high - low) / 2;
    if (BlockStartOf(makeSource, withData[middle]) == first)
      low = middle;
    else
      high = middle;
  }
  return withData[high];
}

}  // namespace Platform
