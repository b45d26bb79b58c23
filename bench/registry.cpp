// The registry functions beside SQLite used directly for the same work (the same file settings:
// WAL, full synchronisation, one transaction per change). Each comparison is registered as
// "<work>/ours" and "<work>/sqlite"; bench/registry.sh pairs them.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "Platform/Win32.h"

namespace {

const std::u16string kInstallPath = u"C:\\Program Files\\Halvane\\";
// Changes alternate between two texts: a write of unchanged bytes is one SQLite may skip.
const std::u16string kOtherPath = u"D:\\Games\\Halvane\\";
const char16_t kKeyPath[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Halvane";

// A scratch prefix for the run, removed at the end.
struct ScratchDir {
  ScratchDir() {
    path = (std::filesystem::temp_directory_path() / "skinui-bench-registry-XXXXXX").string();
    if (!mkdtemp(path.data())) std::abort();
    setenv("SKINUI_PREFIX", (path + "/prefix").c_str(), 1);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string path;
};

std::string Scratch() {
  static ScratchDir dir;
  return dir.path;
}

HKEY OpenUninstallKey() {
  Scratch();
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    std::abort();
  return key;
}

// A bare key-value table in a database of its own, set up as the registry's is.
sqlite3* OpenPlainDatabase() {
  sqlite3* db = nullptr;
  std::string path = Scratch() + "/plain.db";
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) std::abort();
  sqlite3_exec(db,
               "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;"
               "CREATE TABLE IF NOT EXISTS vals(key INTEGER, name TEXT, type INTEGER, data BLOB,"
               " UNIQUE(key, name));"
               "CREATE TABLE IF NOT EXISTS keys(id INTEGER PRIMARY KEY, parent INTEGER,"
               " name TEXT, UNIQUE(parent, name));",
               nullptr, nullptr, nullptr);
  return db;
}

void SetValue_ours(benchmark::State& state) {
  HKEY key = OpenUninstallKey();
  bool other = false;
  for (auto _ : state) {
    const std::u16string& text = (other = !other) ? kOtherPath : kInstallPath;
    if (RegSetValueExW(key, u"InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                       static_cast<DWORD>(text.size() * 2)) != ERROR_SUCCESS)
      std::abort();
  }
  RegCloseKey(key);
}

void SetValue_sqlite(benchmark::State& state) {
  sqlite3* db = OpenPlainDatabase();
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db,
                     "INSERT INTO vals VALUES(1, 'InstallPath', 1, ?) ON CONFLICT(key, name) DO "
                     "UPDATE SET type = excluded.type, data = excluded.data",
                     -1, &st, nullptr);
  bool other = false;
  for (auto _ : state) {
    const std::u16string& text = (other = !other) ? kOtherPath : kInstallPath;
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_bind_blob(st, 1, text.data(), static_cast<int>(text.size() * 2), SQLITE_STATIC);
    if (sqlite3_step(st) != SQLITE_DONE) std::abort();
    sqlite3_reset(st);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
}

void QueryValue_ours(benchmark::State& state) {
  HKEY key = OpenUninstallKey();
  RegSetValueExW(key, u"InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(kInstallPath.data()),
                 static_cast<DWORD>(kInstallPath.size() * 2));
  WCHAR buffer[MAX_PATH];
  for (auto _ : state) {
    DWORD size = 518;
    if (RegQueryValueExW(key, u"InstallPath", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                         &size) != ERROR_SUCCESS)
      std::abort();
    benchmark::DoNotOptimize(buffer);
  }
  RegCloseKey(key);
}

void QueryValue_sqlite(benchmark::State& state) {
  sqlite3* db = OpenPlainDatabase();
  sqlite3_exec(db, "INSERT OR REPLACE INTO vals VALUES(1, 'InstallPath', 1, x'41004200')", nullptr,
               nullptr, nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "SELECT type, data FROM vals WHERE key = 1 AND name = 'InstallPath'", -1,
                     &st, nullptr);
  char buffer[520];
  for (auto _ : state) {
    if (sqlite3_step(st) != SQLITE_ROW) std::abort();
    std::memcpy(buffer, sqlite3_column_blob(st, 1),
                static_cast<size_t>(sqlite3_column_bytes(st, 1)));
    sqlite3_reset(st);
    benchmark::DoNotOptimize(buffer);
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
}

void OpenKey_ours(benchmark::State& state) {
  RegCloseKey(OpenUninstallKey());
  for (auto _ : state) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
      std::abort();
    RegCloseKey(key);
  }
}

void OpenKey_sqlite(benchmark::State& state) {
  sqlite3* db = OpenPlainDatabase();
  const char* names[] = {"SOFTWARE",       "Microsoft", "Windows",
                         "CurrentVersion", "Uninstall", "Halvane"};
  for (int i = 0; i < 6; ++i) {
    std::string sql = "INSERT OR IGNORE INTO keys VALUES(" + std::to_string(i + 2) + ", " +
                      std::to_string(i + 1) + ", '" + names[i] + "')";
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  }
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "SELECT id FROM keys WHERE parent = ? AND name = ?", -1, &st, nullptr);
  for (auto _ : state) {
    sqlite3_int64 id = 1;
    for (const char* name : names) {
      sqlite3_bind_int64(st, 1, id);
      sqlite3_bind_text(st, 2, name, -1, SQLITE_STATIC);
      if (sqlite3_step(st) != SQLITE_ROW) std::abort();
      id = sqlite3_column_int64(st, 0);
      sqlite3_reset(st);
    }
    benchmark::DoNotOptimize(id);
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
}

}  // namespace

BENCHMARK(SetValue_ours)->Name("set_value/ours");
BENCHMARK(SetValue_sqlite)->Name("set_value/sqlite");
BENCHMARK(QueryValue_ours)->Name("query_value/ours");
BENCHMARK(QueryValue_sqlite)->Name("query_value/sqlite");
BENCHMARK(OpenKey_ours)->Name("open_key/ours");
BENCHMARK(OpenKey_sqlite)->Name("open_key/sqlite");
BENCHMARK_MAIN();
