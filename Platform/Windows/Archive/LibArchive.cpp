// The 7z decoder on Windows: libarchive is linked statically into the programs that read
// archives (this file is part of their archive reader, not of every program), so the table holds
// its functions directly and is never missing.
#include "Platform/LibArchive.h"

namespace Platform {

const LibArchive* LoadLibArchive() {
  static const LibArchive lib = {
      &::archive_read_new,
      &::archive_read_free,
      &::archive_read_support_format_7zip,
      &::archive_read_set_callback_data,
      &::archive_read_set_read_callback,
      &::archive_read_set_seek_callback,
      &::archive_read_set_skip_callback,
      &::archive_read_open1,
      &::archive_read_next_header,
      &::archive_read_data_block,
      &::archive_set_error,
      &::archive_errno,
      &::archive_error_string,
      &::archive_entry_pathname_utf8,
      &::archive_entry_pathname_w,
      &::archive_entry_symlink_utf8,
      &::archive_entry_filetype,
      &::archive_entry_perm,
      &::archive_entry_size,
  };
  return &lib;
}

// The decoder keeps the archive's UTF-16 names as they are: no locale is involved.
LibArchiveNameScope::LibArchiveNameScope() = default;
LibArchiveNameScope::~LibArchiveNameScope() = default;

bool LibArchiveNamesAreWide() { return true; }

}  // namespace Platform
