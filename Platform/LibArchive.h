#pragma once
// The 7z decoder (libarchive). On Linux it is loaded the first time an archive is opened rather
// than with the program: it and the libraries it needs (compression, XML, Unicode tables) cost a
// few milliseconds of start-up that the installer's window should not wait for. On Windows it is
// linked into the program and the table points at its functions. The archive reader beside the
// platform reaches the decoder only through this table.

#include <archive.h>
#include <archive_entry.h>

namespace Platform {

struct LibArchive {
  decltype(&::archive_read_new) read_new;
  decltype(&::archive_read_free) read_free;
  decltype(&::archive_read_support_format_7zip) read_support_format_7zip;
  decltype(&::archive_read_set_callback_data) read_set_callback_data;
  decltype(&::archive_read_set_read_callback) read_set_read_callback;
  decltype(&::archive_read_set_seek_callback) read_set_seek_callback;
  decltype(&::archive_read_set_skip_callback) read_set_skip_callback;
  decltype(&::archive_read_open1) read_open1;
  decltype(&::archive_read_next_header) read_next_header;
  decltype(&::archive_read_data_block) read_data_block;
  decltype(&::archive_set_error) set_error;
  decltype(&::archive_errno) error_number;
  decltype(&::archive_error_string) error_string;
  decltype(&::archive_entry_pathname_utf8) entry_pathname_utf8;
  decltype(&::archive_entry_pathname_w) entry_pathname_w;
  decltype(&::archive_entry_symlink_utf8) entry_symlink_utf8;
  decltype(&::archive_entry_filetype) entry_filetype;
  decltype(&::archive_entry_perm) entry_perm;
  decltype(&::archive_entry_size) entry_size;
};

// The library's functions, loaded once (any thread may ask first); null when the library or one
// of its functions cannot be found.
const LibArchive* LoadLibArchive();

// Where entry names keep every character. On Linux the decoder turns the archive's UTF-16 names
// into the locale's charset of the calling thread, so a scope switches that thread to a UTF-8
// locale while it lives (a program that never called setlocale would lose every name outside
// ASCII) and the names are best read as UTF-8; on Windows the decoder keeps names wide, they are
// best read with entry_pathname_w and the scope does nothing. Calls into the decoder run inside
// one; scopes nest.
class LibArchiveNameScope {
 public:
  LibArchiveNameScope();
  ~LibArchiveNameScope();
  LibArchiveNameScope(const LibArchiveNameScope&) = delete;
  LibArchiveNameScope& operator=(const LibArchiveNameScope&) = delete;

 private:
  void* m_previous = nullptr;
};

// True where entry names are stored wide (Windows): read them with entry_pathname_w first.
bool LibArchiveNamesAreWide();

}  // namespace Platform
