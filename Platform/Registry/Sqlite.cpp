#include "Platform/Registry/Sqlite.h"

#include <cstring>

#include "Platform/Win32Errors.h"

namespace Platform {

SqliteStatement::SqliteStatement(sqlite3* db, const char* sql)
    : m_prepared(sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr)), m_owned(true) {}

SqliteStatement::SqliteStatement(sqlite3_stmt* kept)
    : m_stmt(kept), m_prepared(kept ? SQLITE_OK : SQLITE_ERROR), m_owned(false) {}

SqliteStatement::~SqliteStatement() {
  if (m_owned) {
    sqlite3_finalize(m_stmt);
  } else if (m_stmt) {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
  }
}

SqliteStatement& SqliteStatement::BindInt(int index, int64_t value) {
  sqlite3_bind_int64(m_stmt, index, value);
  return *this;
}

SqliteStatement& SqliteStatement::BindBlob(int index, const void* data, size_t size) {
  // A zero-length blob must still be a blob, not NULL: pass a valid pointer.
  static const char kEmpty = 0;
  sqlite3_bind_blob64(m_stmt, index, size ? data : &kEmpty, size, SQLITE_TRANSIENT);
  return *this;
}

SqliteStatement& SqliteStatement::BindText16(int index, const std::u16string& text) {
  return BindBlob(index, text.data(), text.size() * sizeof(char16_t));
}

int SqliteStatement::Step() {
  if (m_prepared != SQLITE_OK) return m_prepared;
  return sqlite3_step(m_stmt);
}

int64_t SqliteStatement::ColumnInt(int column) const {
  return sqlite3_column_int64(m_stmt, column);
}

std::string SqliteStatement::ColumnBlob(int column) const {
  const void* data = sqlite3_column_blob(m_stmt, column);
  int size = sqlite3_column_bytes(m_stmt, column);
  if (!data || size <= 0) return std::string();
  return std::string(static_cast<const char*>(data), static_cast<size_t>(size));
}

std::u16string SqliteStatement::ColumnText16(int column) const {
  std::string bytes = ColumnBlob(column);
  std::u16string text(bytes.size() / sizeof(char16_t), u'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * sizeof(char16_t));
  return text;
}

DWORD SqliteErrorToWin32(int rc) {
  switch (rc & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW: return ERROR_SUCCESS;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return ERROR_BUSY;
    case SQLITE_NOMEM: return ERROR_OUTOFMEMORY;
    case SQLITE_TOOBIG: return ERROR_NOT_ENOUGH_MEMORY;
    case SQLITE_FULL: return ERROR_DISK_FULL;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH: return ERROR_ACCESS_DENIED;
    case SQLITE_CANTOPEN: return ERROR_CANTOPEN;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return ERROR_REGISTRY_CORRUPT;
    default: return ERROR_REGISTRY_IO_FAILED;
  }
}

}  // namespace Platform
