#include "Platform/Registry/RegistryStore.h"

#include <chrono>
#include <cstring>
#include <thread>

#include "Platform/Registry/NameFold.h"
#include "Platform/Registry/Sqlite.h"
#include "Platform/Win32Errors.h"

namespace Platform {

namespace {

constexpr int kBusyTimeoutMs = 20000;
constexpr int kSchemaVersion = 1;

const char* const kSchema = R"sql(
CREATE TABLE IF NOT EXISTS keys(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  parent INTEGER REFERENCES keys(id),
  name BLOB NOT NULL,
  fold BLOB NOT NULL,
  class BLOB NOT NULL DEFAULT x'',
  written INTEGER NOT NULL,
  UNIQUE(parent, fold));
CREATE TABLE IF NOT EXISTS vals(
  id INTEGER PRIMARY KEY,
  key INTEGER NOT NULL REFERENCES keys(id) ON DELETE CASCADE,
  name BLOB NOT NULL,
  fold BLOB NOT NULL,
  type INTEGER NOT NULL,
  data BLOB NOT NULL,
  UNIQUE(key, fold));
)sql";

// Keys every Windows installation has; nothing may be created directly below
// HKEY_LOCAL_MACHINE, so its children must exist from the start.
struct SeedKey {
  Hive hive;
  std::vector<std::u16string> path;
};
const SeedKey kSeedKeys[] = {
    {Hive::LocalMachine, {u"HARDWARE"}}, {Hive::LocalMachine, {u"SAM"}},
    {Hive::LocalMachine, {u"SECURITY"}}, {Hive::LocalMachine, {u"SOFTWARE", u"WOW6432Node"}},
    {Hive::LocalMachine, {u"SYSTEM"}},   {Hive::CurrentUser, {u"Software"}},
};

int64_t NowFileTime() {
  using namespace std::chrono;
  constexpr int64_t kEpochDifference = 116444736000000000;  // 1601-01-01 to 1970-01-01
  auto ticks = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count() / 100;
  return ticks + kEpochDifference;
}

// The folded name, big-endian, so that SQLite's byte order of blobs is the order of the
// folded UTF-16 units: subkeys enumerate alphabetically without regard to case.
std::string FoldKey(const std::u16string& name) {
  std::u16string folded = FoldRegistryName(name);
  std::string out(folded.size() * 2, '\0');
  for (size_t i = 0; i < folded.size(); ++i) {
    out[2 * i] = static_cast<char>(folded[i] >> 8);
    out[2 * i + 1] = static_cast<char>(folded[i] & 0xFF);
  }
  return out;
}

DWORD StepDone(SqliteStatement& st) {
  int rc = st.Step();
  return rc == SQLITE_DONE ? ERROR_SUCCESS : SqliteErrorToWin32(rc);
}

}  // namespace

std::shared_ptr<RegistryStore> RegistryStore::Open(const std::string& path, DWORD* error) {
  sqlite3* db = nullptr;
  int rc =
      sqlite3_open_v2(path.c_str(), &db,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close(db);
    *error = SqliteErrorToWin32(rc);
    return nullptr;
  }
  std::shared_ptr<RegistryStore> store(new RegistryStore(db, path));
  *error = store->Initialise();
  if (*error != ERROR_SUCCESS) return nullptr;
  return store;
}

RegistryStore::RegistryStore(sqlite3* db, std::string path) : m_db(db), m_path(std::move(path)) {}

RegistryStore::~RegistryStore() {
  for (auto& entry : m_statements) sqlite3_finalize(entry.second);
  sqlite3_close(m_db);
}

sqlite3_stmt* RegistryStore::Kept(const char* sql) {
  auto it = m_statements.find(sql);
  if (it != m_statements.end()) return it->second;
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr) != SQLITE_OK) {
    sqlite3_finalize(st);
    return nullptr;
  }
  m_statements.emplace(sql, st);
  return st;
}

DWORD RegistryStore::Exec(const char* sql) {
  int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
  return SqliteErrorToWin32(rc);
}

DWORD RegistryStore::Initialise() {
  sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
  sqlite3_extended_result_codes(m_db, 1);
  // Switching to WAL needs a moment without other writers; the busy handler does not cover
  // it, so wait here for the other process to finish.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyTimeoutMs);
  for (;;) {
    SqliteStatement st(m_db, "PRAGMA journal_mode=WAL");
    int rc = st.Step();
    if (rc == SQLITE_ROW && st.ColumnBlob(0) == "wal") break;
    if (std::chrono::steady_clock::now() > deadline) return SqliteErrorToWin32(rc);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  DWORD err = Exec("PRAGMA synchronous=FULL; PRAGMA foreign_keys=ON;");
  if (err != ERROR_SUCCESS) return err;
  return InTransaction([&]() -> DWORD {
    SqliteStatement version(m_db, "PRAGMA user_version");
    if (version.Step() == SQLITE_ROW && version.ColumnInt(0) >= kSchemaVersion)
      return ERROR_SUCCESS;
    DWORD e = Exec(kSchema);
    if (e != ERROR_SUCCESS) return e;
    const char16_t* roots[] = {u"HKEY_LOCAL_MACHINE", u"HKEY_CURRENT_USER"};
    for (Hive hive : {Hive::LocalMachine, Hive::CurrentUser}) {
      std::u16string name = roots[static_cast<int>(hive) - 1];
      std::string fold = FoldKey(name);
      SqliteStatement st(m_db,
                         "INSERT OR IGNORE INTO keys(id, parent, name, fold, written) "
                         "VALUES(?, NULL, ?, ?, ?)");
      st.BindInt(1, Root(hive)).BindText16(2, name).BindBlob(3, fold.data(), fold.size());
      if ((e = StepDone(st.BindInt(4, NowFileTime()))) != ERROR_SUCCESS) return e;
    }
    for (const SeedKey& seed : kSeedKeys) {
      KeyId id;
      bool created;
      e = CreateKeyLocked(Root(seed.hive), seed.path, u"", &id, &created);
      if (e != ERROR_SUCCESS) return e;
    }
    return Exec(("PRAGMA user_version=" + std::to_string(kSchemaVersion)).c_str());
  });
}

// Reads need no transaction of their own: each statement sees one consistent state, and a key
// removed between two of them only turns into the "deleted" answer a moment later.
template <typename Body>
DWORD RegistryStore::Locked(Body body) {
  std::lock_guard<std::mutex> lock(m_mutex);
  return body();
}

template <typename Body>
DWORD RegistryStore::InTransaction(Body body) {
  std::lock_guard<std::mutex> lock(m_mutex);
  DWORD err = Exec("BEGIN IMMEDIATE");
  if (err != ERROR_SUCCESS) return err;
  err = body();
  if (err != ERROR_SUCCESS) {
    Exec("ROLLBACK");
    return err;
  }
  err = Exec("COMMIT");
  if (err != ERROR_SUCCESS) Exec("ROLLBACK");
  return err;
}

DWORD RegistryStore::KeyExists(KeyId key) {
  SqliteStatement st(Kept("SELECT 1 FROM keys WHERE id = ?"));
  int rc = st.BindInt(1, key).Step();
  if (rc == SQLITE_ROW) return ERROR_SUCCESS;
  return rc == SQLITE_DONE ? ERROR_KEY_DELETED : SqliteErrorToWin32(rc);
}

DWORD RegistryStore::FindChild(KeyId parent, const std::u16string& name, KeyId* child) {
  std::string fold = FoldKey(name);
  SqliteStatement st(Kept("SELECT id FROM keys WHERE parent = ? AND fold = ?"));
  int rc = st.BindInt(1, parent).BindBlob(2, fold.data(), fold.size()).Step();
  if (rc == SQLITE_ROW) {
    *child = st.ColumnInt(0);
    return ERROR_SUCCESS;
  }
  return rc == SQLITE_DONE ? ERROR_FILE_NOT_FOUND : SqliteErrorToWin32(rc);
}

DWORD RegistryStore::InsertChild(KeyId parent, const std::u16string& name,
                                 const std::u16string& className, KeyId* child) {
  std::string fold = FoldKey(name);
  SqliteStatement st(
      Kept("INSERT INTO keys(parent, name, fold, class, written) VALUES(?, ?, ?, ?, ?)"));
  st.BindInt(1, parent).BindText16(2, name).BindBlob(3, fold.data(), fold.size());
  DWORD err = StepDone(st.BindText16(4, className).BindInt(5, NowFileTime()));
  if (err != ERROR_SUCCESS) return err;
  *child = sqlite3_last_insert_rowid(m_db);
  return Touch(parent);
}

DWORD RegistryStore::Touch(KeyId key) {
  SqliteStatement st(Kept("UPDATE keys SET written = ? WHERE id = ?"));
  return StepDone(st.BindInt(1, NowFileTime()).BindInt(2, key));
}

DWORD RegistryStore::OpenKey(KeyId parent, const std::vector<std::u16string>& names, KeyId* key) {
  return Locked([&]() -> DWORD {
    DWORD err = KeyExists(parent);
    if (err != ERROR_SUCCESS) return err;
    KeyId current = parent;
    for (const std::u16string& name : names) {
      if ((err = FindChild(current, name, &current)) != ERROR_SUCCESS) return err;
    }
    *key = current;
    return ERROR_SUCCESS;
  });
}

DWORD RegistryStore::CreateKeyLocked(KeyId parent, const std::vector<std::u16string>& names,
                                     const std::u16string& className, KeyId* key, bool* created) {
  DWORD err = KeyExists(parent);
  if (err != ERROR_SUCCESS) return err;
  KeyId current = parent;
  *created = false;
  for (size_t i = 0; i < names.size(); ++i) {
    KeyId child;
    err = FindChild(current, names[i], &child);
    if (err == ERROR_FILE_NOT_FOUND) {
      // Only the last level gets the class; levels created on the way have none.
      err = InsertChild(current, names[i], i + 1 == names.size() ? className : u"", &child);
      *created = true;
    } else {
      *created = false;
    }
    if (err != ERROR_SUCCESS) return err;
    current = child;
  }
  *key = current;
  return ERROR_SUCCESS;
}

DWORD RegistryStore::CreateKey(KeyId parent, const std::vector<std::u16string>& names,
                               const std::u16string& className, KeyId* key, bool* created) {
  return InTransaction([&]() { return CreateKeyLocked(parent, names, className, key, created); });
}

DWORD RegistryStore::DeleteKey(KeyId key) {
  return InTransaction([&]() -> DWORD {
    SqliteStatement st(Kept("SELECT parent FROM keys WHERE id = ?"));
    int rc = st.BindInt(1, key).Step();
    if (rc == SQLITE_DONE) return ERROR_KEY_DELETED;
    if (rc != SQLITE_ROW) return SqliteErrorToWin32(rc);
    KeyId parent = st.ColumnInt(0);
    if (parent == 0) return ERROR_ACCESS_DENIED;
    SqliteStatement children(Kept("SELECT 1 FROM keys WHERE parent = ? LIMIT 1"));
    rc = children.BindInt(1, key).Step();
    if (rc == SQLITE_ROW) return ERROR_ACCESS_DENIED;
    if (rc != SQLITE_DONE) return SqliteErrorToWin32(rc);
    SqliteStatement del(Kept("DELETE FROM keys WHERE id = ?"));
    DWORD err = StepDone(del.BindInt(1, key));
    return err != ERROR_SUCCESS ? err : Touch(parent);
  });
}

DWORD RegistryStore::EnumKey(KeyId key, DWORD index, RegistrySubkey* subkey) {
  return Locked([&]() -> DWORD {
    DWORD err = KeyExists(key);
    if (err != ERROR_SUCCESS) return err;
    SqliteStatement st(
        Kept("SELECT name, class, written FROM keys WHERE parent = ? "
             "ORDER BY fold LIMIT 1 OFFSET ?"));
    int rc = st.BindInt(1, key).BindInt(2, index).Step();
    if (rc == SQLITE_DONE) return ERROR_NO_MORE_ITEMS;
    if (rc != SQLITE_ROW) return SqliteErrorToWin32(rc);
    subkey->name = st.ColumnText16(0);
    subkey->className = st.ColumnText16(1);
    subkey->lastWrite = st.ColumnInt(2);
    return ERROR_SUCCESS;
  });
}

DWORD RegistryStore::SetValue(KeyId key, const std::u16string& name, DWORD type, const BYTE* data,
                              size_t size) {
  return InTransaction([&]() -> DWORD {
    DWORD err = KeyExists(key);
    if (err != ERROR_SUCCESS) return err;
    std::string fold = FoldKey(name);
    // An existing value keeps its name's case and its place in the enumeration.
    SqliteStatement st(
        Kept("INSERT INTO vals(key, name, fold, type, data) VALUES(?, ?, ?, ?, ?) "
             "ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, "
             "data = excluded.data"));
    st.BindInt(1, key).BindText16(2, name).BindBlob(3, fold.data(), fold.size());
    err = StepDone(st.BindInt(4, type).BindBlob(5, data, size));
    return err != ERROR_SUCCESS ? err : Touch(key);
  });
}

DWORD RegistryStore::GetValue(KeyId key, const std::u16string& name, RegistryValue* value) {
  return Locked([&]() -> DWORD {
    std::string fold = FoldKey(name);
    SqliteStatement st(Kept("SELECT name, type, data FROM vals WHERE key = ? AND fold = ?"));
    int rc = st.BindInt(1, key).BindBlob(2, fold.data(), fold.size()).Step();
    if (rc == SQLITE_DONE) {
      DWORD err = KeyExists(key);
      return err == ERROR_SUCCESS ? ERROR_FILE_NOT_FOUND : err;
    }
    if (rc != SQLITE_ROW) return SqliteErrorToWin32(rc);
    value->name = st.ColumnText16(0);
    value->type = static_cast<DWORD>(st.ColumnInt(1));
    value->data = st.ColumnBlob(2);
    return ERROR_SUCCESS;
  });
}

DWORD RegistryStore::DeleteValue(KeyId key, const std::u16string& name) {
  return InTransaction([&]() -> DWORD {
    DWORD err = KeyExists(key);
    if (err != ERROR_SUCCESS) return err;
    std::string fold = FoldKey(name);
    SqliteStatement st(Kept("DELETE FROM vals WHERE key = ? AND fold = ?"));
    if ((err = StepDone(st.BindInt(1, key).BindBlob(2, fold.data(), fold.size()))) != 0) return err;
    if (sqlite3_changes(m_db) == 0) return ERROR_FILE_NOT_FOUND;
    return Touch(key);
  });
}

DWORD RegistryStore::EnumValue(KeyId key, DWORD index, RegistryValue* value) {
  return Locked([&]() -> DWORD {
    DWORD err = KeyExists(key);
    if (err != ERROR_SUCCESS) return err;
    SqliteStatement st(
        Kept("SELECT name, type, data FROM vals WHERE key = ? ORDER BY id "
             "LIMIT 1 OFFSET ?"));
    int rc = st.BindInt(1, key).BindInt(2, index).Step();
    if (rc == SQLITE_DONE) return ERROR_NO_MORE_ITEMS;
    if (rc != SQLITE_ROW) return SqliteErrorToWin32(rc);
    value->name = st.ColumnText16(0);
    value->type = static_cast<DWORD>(st.ColumnInt(1));
    value->data = st.ColumnBlob(2);
    return ERROR_SUCCESS;
  });
}

}  // namespace Platform
