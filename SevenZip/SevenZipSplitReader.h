#pragma once
// Reads a 7z archive like SevenZipReader, with the same results in the same order, while a
// second thread decodes the solid blocks after the first one: the calling thread decodes the
// first block itself, the second thread everything after it into memory, and the caller takes
// those entries from there in archive order once it gets to them. An archive of one solid block
// is read on the calling thread alone.
//
// The second thread decodes the data of every entry it holds, also of one the caller passes
// over unread, and keeps at most kAheadLimit decoded bytes waiting for the caller.
//
// What it gains: the decoding of the later blocks overlaps the writing of the first block's
// files, so a payload of several large blocks unpacks in about the time of its slowest block
// rather than of all blocks in turn. Measured on the 40 MB payload of bench/extract.sh (two
// blocks, output on tmpfs, a shared and busy two-core machine): 0.95x the wall time of `7zz x`
// with it; extract_payload confined to one core (taskset -c 0, so the threads cannot overlap)
// took 12.8 s against 10.8 s on two, the mean of two runs each. A payload of one block, or of
// many small files in one block, gains nothing and is read on the calling thread alone.

#include <memory>
#include <string>
#include <vector>

#include "SevenZip/SevenZipBlockProbe.h"
#include "SevenZip/SevenZipReader.h"

namespace SevenZip {

class SevenZipSplitReader {
 public:
  static constexpr size_t kAheadLimit = size_t{32} << 20;
  static constexpr size_t kPieceSize = size_t{256} << 10;

  // `source` is read on the calling thread; `makeSource` gives a further source over the same
  // bytes for the second thread, which starts at the first block's end as the headers give it.
  SevenZipSplitReader(SevenZipSource& source, SevenZipSourceMaker makeSource,
                      size_t aheadLimit = kAheadLimit);
  // Stops the second thread wherever it is.
  ~SevenZipSplitReader();
  SevenZipSplitReader(const SevenZipSplitReader&) = delete;
  SevenZipSplitReader& operator=(const SevenZipSplitReader&) = delete;

  // Opens the reader on the calling thread, with the header check of `checked` when given
  // (see SevenZipReader::Open); the second thread's reader takes that check too.
  SevenZipResult Open(const SevenZipReader* checked = nullptr);
  SevenZipResult NextEntry(SevenZipEntry* entry);
  // The next piece of the current entry's data, valid until the next call.
  SevenZipResult ReadData(const void** data, size_t* count);

  SevenZipError LastError() const;
  std::string LastErrorText() const;

  // Whether a second thread decodes part of the archive (known after Open).
  bool Split() const;
  // The calling thread's reader's SevenZipReader::EntrySizes (after Open).
  const std::vector<uint64_t>& EntrySizes() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace SevenZip
