#include "SevenZip/SevenZipSplitReader.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace SevenZip {

namespace {

using Bytes = std::unique_ptr<unsigned char[]>;

// One step of what the second thread decoded, in archive order: the pieces of an entry's data,
// the last of them carrying End or Error, and then the next entry (or the end of the list).
struct Record {
  SevenZipResult result = SevenZipResult::Ok;
  SevenZipEntry entry;  // header records
  Bytes bytes;          // data records
  size_t size = 0;
};

constexpr size_t kSparePieces = 4;

}  // namespace

struct SevenZipSplitReader::Impl {
  Impl(SevenZipSource& source, SevenZipSourceMaker makeSource, size_t aheadLimit)
      : main(source), makeSource(std::move(makeSource)), aheadLimit(aheadLimit) {}

  ~Impl() {
    if (!worker.joinable()) return;
    {
      std::lock_guard<std::mutex> hold(lock);
      stop = true;
    }
    changed.notify_all();
    worker.join();
  }

  // Opens the second reader at the first entry after the first block and starts its thread.
  // The split comes from the blocks the calling thread's reader found; without them, or with
  // one block only, there is nothing to decode ahead.
  void StartAhead() {
    const std::vector<int64_t>& blocks = main.EntryBlocks();
    split = FirstEntryPastFirstBlock(blocks);
    if (split >= blocks.size()) return;
    aheadSource = makeSource();
    if (!aheadSource) return;
    ahead = std::make_unique<SevenZipReader>(*aheadSource);
    bool ready = ahead->Open(main) == SevenZipResult::Ok;
    for (size_t i = 0; ready && i <= split; ++i)
      ready = ahead->NextEntry(&splitEntry) == SevenZipResult::Ok;
    if (!ready) return;
    try {
      worker = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
      // Without a second thread the calling thread reads the whole archive.
    }
  }

  // ---- the second thread ----

  void Run() {
    try {
      for (;;) {
        if (!DecodeEntryData()) return;
        Record next;
        next.result = ahead->NextEntry(&next.entry);
        bool last = next.result != SevenZipResult::Ok;
        if (!Push(std::move(next)) || last) return;
      }
    } catch (const std::bad_alloc&) {
      // No memory for the pieces: the caller gets a memory error where the records stop.
      std::lock_guard<std::mutex> hold(lock);
      outOfMemory = true;
      error = SevenZipError::Memory;
      errorText = "out of memory";
      changed.notify_all();
    }
  }

  // Decodes the current entry's data into pieces. False once told to stop.
  bool DecodeEntryData() {
    Record piece;
    for (;;) {
      if (!piece.bytes) piece.bytes = TakeSpare();
      const void* data;
      size_t count;
      SevenZipResult result = ahead->ReadData(&data, &count);
      if (result != SevenZipResult::Ok) {
        piece.result = result;
        return Push(std::move(piece));
      }
      const unsigned char* next = static_cast<const unsigned char*>(data);
      while (count > 0) {
        size_t n = std::min(count, kPieceSize - piece.size);
        std::memcpy(piece.bytes.get() + piece.size, next, n);
        piece.size += n;
        next += n;
        count -= n;
        if (piece.size < kPieceSize) continue;
        if (!Push(std::move(piece))) return false;
        piece = Record();
        piece.bytes = TakeSpare();
      }
    }
  }

  Bytes TakeSpare() {
    {
      std::lock_guard<std::mutex> hold(lock);
      if (!spare.empty()) {
        Bytes bytes = std::move(spare.back());
        spare.pop_back();
        return bytes;
      }
    }
    return Bytes(new unsigned char[kPieceSize]);
  }

  // Queues a record once there is room for it. False once told to stop.
  bool Push(Record record) {
    std::unique_lock<std::mutex> hold(lock);
    changed.wait(hold, [this] { return stop || queuedBytes < aheadLimit; });
    if (stop) return false;
    if (record.result == SevenZipResult::Error) {
      error = ahead->LastError();
      errorText = ahead->LastErrorText();
    }
    queuedBytes += record.size;
    records.push_back(std::move(record));
    changed.notify_all();
    return true;
  }

  // ---- the calling thread, once it has reached the entries of the second thread ----

  Record Pop(std::unique_lock<std::mutex>& hold) {
    changed.wait(hold, [this] { return !records.empty() || outOfMemory; });
    if (records.empty()) {
      Record failure;
      failure.result = SevenZipResult::Error;
      return failure;
    }
    Record record = std::move(records.front());
    records.pop_front();
    queuedBytes -= record.size;
    changed.notify_all();
    return record;
  }

  void Recycle(Bytes bytes) {
    if (bytes && spare.size() < kSparePieces) spare.push_back(std::move(bytes));
  }

  SevenZipResult NextAheadEntry(SevenZipEntry* entry) {
    std::unique_lock<std::mutex> hold(lock);
    Recycle(std::move(held));
    if (listEnded) return listEnd;
    // Passing over the rest of the current entry's data.
    while (!dataEnded) {
      Record piece = Pop(hold);
      dataEnded = piece.result != SevenZipResult::Ok;
      dataEnd = piece.result;
      Recycle(std::move(piece.bytes));
    }
    Record next = Pop(hold);
    if (next.result != SevenZipResult::Ok) {
      listEnded = true;
      listEnd = next.result;
      return listEnd;
    }
    *entry = next.entry;
    dataEnded = false;
    return SevenZipResult::Ok;
  }

  SevenZipResult ReadAheadData(const void** data, size_t* count) {
    std::unique_lock<std::mutex> hold(lock);
    Recycle(std::move(held));
    if (listEnded) return listEnd;
    if (dataEnded) return dataEnd;
    Record piece = Pop(hold);
    if (piece.result != SevenZipResult::Ok) {
      dataEnded = true;
      dataEnd = piece.result;
    }
    if (piece.size == 0) {
      Recycle(std::move(piece.bytes));
      return dataEnd;
    }
    held = std::move(piece.bytes);
    *data = held.get();
    *count = piece.size;
    return SevenZipResult::Ok;
  }

  SevenZipReader main;
  SevenZipSourceMaker makeSource;
  const size_t aheadLimit;
  size_t split = 0;
  size_t returned = 0;  // entries handed out from the calling thread's reader
  bool switched = false;
  SevenZipEntry splitEntry;
  std::unique_ptr<SevenZipSource> aheadSource;
  std::unique_ptr<SevenZipReader> ahead;
  std::thread worker;

  mutable std::mutex lock;
  std::condition_variable changed;
  bool stop = false;
  bool outOfMemory = false;  // the second thread gave up; nothing follows its records
  std::deque<Record> records;
  size_t queuedBytes = 0;
  std::vector<Bytes> spare;
  SevenZipError error = SevenZipError::None;
  std::string errorText;

  // Where the caller stands among the second thread's records.
  Bytes held;
  bool dataEnded = false;
  SevenZipResult dataEnd = SevenZipResult::End;
  bool listEnded = false;
  SevenZipResult listEnd = SevenZipResult::End;
};

SevenZipSplitReader::SevenZipSplitReader(SevenZipSource& source, SevenZipSourceMaker makeSource,
                                         size_t aheadLimit)
    : m_impl(std::make_unique<Impl>(source, std::move(makeSource), aheadLimit)) {}

SevenZipSplitReader::~SevenZipSplitReader() = default;

SevenZipResult SevenZipSplitReader::Open(const SevenZipReader* checked) {
  Impl& d = *m_impl;
  bool first = !d.ahead;
  SevenZipResult result = checked ? d.main.Open(*checked) : d.main.Open();
  if (result == SevenZipResult::Ok && first && d.makeSource) d.StartAhead();
  return result;
}

SevenZipResult SevenZipSplitReader::NextEntry(SevenZipEntry* entry) {
  Impl& d = *m_impl;
  if (d.switched) return d.NextAheadEntry(entry);
  SevenZipResult result = d.main.NextEntry(entry);
  if (result != SevenZipResult::Ok) return result;
  if (d.worker.joinable() && d.returned == d.split) {
    // From here on the entries come from the second thread; its reader stands at this entry.
    d.switched = true;
    *entry = d.splitEntry;
  }
  ++d.returned;
  return result;
}

SevenZipResult SevenZipSplitReader::ReadData(const void** data, size_t* count) {
  Impl& d = *m_impl;
  if (!d.switched) return d.main.ReadData(data, count);
  *data = nullptr;
  *count = 0;
  return d.ReadAheadData(data, count);
}

SevenZipError SevenZipSplitReader::LastError() const {
  const Impl& d = *m_impl;
  if (!d.switched) return d.main.LastError();
  std::lock_guard<std::mutex> hold(d.lock);
  return d.error;
}

std::string SevenZipSplitReader::LastErrorText() const {
  const Impl& d = *m_impl;
  if (!d.switched) return d.main.LastErrorText();
  std::lock_guard<std::mutex> hold(d.lock);
  return d.errorText;
}

bool SevenZipSplitReader::Split() const { return m_impl->worker.joinable(); }

const std::vector<uint64_t>& SevenZipSplitReader::EntrySizes() const {
  return m_impl->main.EntrySizes();
}

}  // namespace SevenZip
