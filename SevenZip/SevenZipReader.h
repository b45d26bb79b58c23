#pragma once
// Reads 7z archives, and only 7z archives, entry by entry in archive order from a stream that
// the caller provides. Entry data comes in pieces, so a solid block is never held whole.
//
// Every answer of the decoder other than a clean result or the end of the archive counts as an
// error, including damage the decoder itself reports only as a warning (a CRC mismatch found at
// the end of an entry's data). The headers are checked before the decoder reads them (see
// SevenZipHeader.h), so that a damaged or crafted header is refused rather than read leniently.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Platform/Win32Types.h"

namespace SevenZip {

// Text as the Win32 calls take it.
using WideName = std::basic_string<WCHAR>;

// The archive bytes as the caller holds them.
class SevenZipSource {
 public:
  virtual ~SevenZipSource() = default;
  // Hands out the next bytes at the current position and advances past them. Returns false
  // when no byte is left or the bytes cannot be read; *count is then 0.
  virtual bool Read(const void** data, size_t* count) = 0;
  // Moves to an absolute position below the size; any other position fails.
  virtual bool Seek(uint64_t position) = 0;
  virtual uint64_t Position() const = 0;
  virtual uint64_t Size() const = 0;
};

enum class SevenZipResult { Ok, End, Error };

enum class SevenZipError {
  None,
  Format,        // not a 7z archive, or its header database is damaged
  Data,          // an entry's data cannot be decoded or fails its CRC check
  NotSupported,  // an entry's data is packed with a coder the decoder does not have
  Memory,        // the decoder ran out of memory
  Input,         // the source could not be read or positioned
};

struct SevenZipEntry {
  WideName name;  // as stored, "/" between components, no trailing separator
  uint64_t size = 0;
  bool isDirectory = false;
  // Permission bits (rwx for owner, group and others). Archives made on Unix store them; for
  // the others the decoder gives read and write for everyone (0666), folders 0777.
  uint32_t permissions = 0;
  // The solid block holding the entry's data, counted from 0; -1 for an entry without data or
  // when the headers could not be parsed beside the decoder.
  int64_t block = -1;
};

class SevenZipReader {
 public:
  // With `names` false the entries come without their names (for counting and sizing them).
  explicit SevenZipReader(SevenZipSource& source, bool names = true);
  ~SevenZipReader();
  SevenZipReader(const SevenZipReader&) = delete;
  SevenZipReader& operator=(const SevenZipReader&) = delete;

  // Checks the signature and reads the header database. Error: Format, Memory or Input.
  SevenZipResult Open();
  // The same, taking the outcome of the header check from `checked`, an opened reader over the
  // same bytes, rather than checking them again (a reader not yet opened is no help: the
  // headers are then checked here).
  SevenZipResult Open(const SevenZipReader& checked);
  // Whether Open could follow the headers beside the decoder (then each entry's block is known).
  bool LayoutKnown() const;
  // Per entry in archive order, the solid block of its data (-1 for none); empty unless the
  // layout is known. Valid as long as the reader.
  const std::vector<int64_t>& EntryBlocks() const;
  // Per entry in archive order, the size of its data as the headers store it; empty unless the
  // layout is known and gives every size. Valid as long as the reader.
  const std::vector<uint64_t>& EntrySizes() const;
  // Moves to the next entry (the first after Open). End after the last one.
  SevenZipResult NextEntry(SevenZipEntry* entry);
  // The next piece of the current entry's data, valid until the next call. End once the entry
  // is complete and its CRC has been checked. An entry whose stored name is not valid UTF-16
  // (a lone surrogate) comes with that name as stored; reading past it is no error.
  SevenZipResult ReadData(const void** data, size_t* count);

  SevenZipError LastError() const;
  // The decoder's own description of the last error, for diagnostics.
  std::string LastErrorText() const;

 private:
  // Opens the decoder once the header check is known.
  SevenZipResult OpenChecked();

  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace SevenZip
