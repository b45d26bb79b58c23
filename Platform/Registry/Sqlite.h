#pragma once
// A thin RAII layer over the SQLite C interface for the registry store.

#include <sqlite3.h>

#include <cstdint>
#include <string>

#include "Platform/Win32Types.h"

namespace Platform {

class SqliteStatement {
 public:
  // Prepares sql for this use only.
  SqliteStatement(sqlite3* db, const char* sql);
  // Uses a statement prepared earlier and kept by its owner; it is reset when this ends.
  explicit SqliteStatement(sqlite3_stmt* kept);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  SqliteStatement& BindInt(int index, int64_t value);
  SqliteStatement& BindBlob(int index, const void* data, size_t size);
  SqliteStatement& BindText16(int index, const std::u16string& text);

  // SQLITE_ROW, SQLITE_DONE or an error code (also the error of preparing).
  int Step();

  int64_t ColumnInt(int column) const;
  std::string ColumnBlob(int column) const;
  std::u16string ColumnText16(int column) const;

 private:
  sqlite3_stmt* m_stmt = nullptr;
  int m_prepared;
  bool m_owned;
};

// The Win32 error that best describes an SQLite failure.
DWORD SqliteErrorToWin32(int rc);

}  // namespace Platform
