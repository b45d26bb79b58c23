#pragma once
// The registry database: one SQLite file in the prefix holding both hives. Keys form a tree of
// rows; names keep their case and are matched through their folded form; value data is kept as
// the exact bytes given. Every change is one transaction, so after a crash a change is either
// wholly there or not at all, and several processes may write at once (they wait for each
// other's transactions instead of failing).

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "Platform/Win32Types.h"

namespace Platform {

enum class Hive { LocalMachine = 1, CurrentUser = 2 };

using KeyId = int64_t;

struct RegistryValue {
  std::u16string name;
  DWORD type = 0;
  std::string data;
};

struct RegistrySubkey {
  std::u16string name;
  std::u16string className;
  int64_t lastWrite = 0;  // FILETIME ticks
};

class RegistryStore {
 public:
  // Opens or creates the database file; null with *error set when that fails.
  static std::shared_ptr<RegistryStore> Open(const std::string& path, DWORD* error);
  ~RegistryStore();
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  const std::string& Path() const { return m_path; }
  static KeyId Root(Hive hive) { return static_cast<KeyId>(hive); }

  // Follows names below parent. ERROR_FILE_NOT_FOUND when one is missing, ERROR_KEY_DELETED
  // when parent itself is gone.
  DWORD OpenKey(KeyId parent, const std::vector<std::u16string>& names, KeyId* key);
  // Opens or creates every level; *created tells whether the last level is new.
  DWORD CreateKey(KeyId parent, const std::vector<std::u16string>& names,
                  const std::u16string& className, KeyId* key, bool* created);
  // Removes a key and its values; ERROR_ACCESS_DENIED when it has subkeys or is a hive root.
  DWORD DeleteKey(KeyId key);
  DWORD EnumKey(KeyId key, DWORD index, RegistrySubkey* subkey);

  DWORD SetValue(KeyId key, const std::u16string& name, DWORD type, const BYTE* data, size_t size);
  DWORD GetValue(KeyId key, const std::u16string& name, RegistryValue* value);
  DWORD DeleteValue(KeyId key, const std::u16string& name);
  DWORD EnumValue(KeyId key, DWORD index, RegistryValue* value);

 private:
  RegistryStore(sqlite3* db, std::string path);
  DWORD Initialise();
  DWORD Exec(const char* sql);
  // Runs body alone on the connection; InTransaction also inside one write transaction that
  // is committed when body succeeds.
  template <typename Body>
  DWORD Locked(Body body);
  template <typename Body>
  DWORD InTransaction(Body body);
  // A statement prepared once and kept for the life of the store (null if it cannot be).
  sqlite3_stmt* Kept(const char* sql);
  DWORD KeyExists(KeyId key);
  DWORD FindChild(KeyId parent, const std::u16string& name, KeyId* child);
  DWORD InsertChild(KeyId parent, const std::u16string& name, const std::u16string& className,
                    KeyId* child);
  DWORD Touch(KeyId key);
  DWORD CreateKeyLocked(KeyId parent, const std::vector<std::u16string>& names,
                        const std::u16string& className, KeyId* key, bool* created);

  sqlite3* m_db;
  std::string m_path;
  std::mutex m_mutex;
  std::unordered_map<const char*, sqlite3_stmt*> m_statements;
};

}  // namespace Platform
