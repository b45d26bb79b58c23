#include "RegCommands.h"

#include <vector>

#include "Console.h"
#include "RegValueData.h"

namespace RegTool {

namespace {

const char16_t kNotFound[] =
    u"ERROR: The system was unable to find the specified registry key or value.";
const char16_t kDone[] = u"The operation completed successfully.";
const char16_t kCancelled[] = u"The operation was canceled by the user.";

int Fail(LSTATUS rc) {
  if (rc == ERROR_FILE_NOT_FOUND)
    PrintError(kNotFound);
  else if (rc == ERROR_ACCESS_DENIED)
    PrintError(u"ERROR: Access is denied.");
  else
    PrintError(u"ERROR: The operation failed with code " + Widen(std::to_string(rc).c_str()) +
               u".");
  return 1;
}

struct Value {
  std::u16string name;
  DWORD type = 0;
  std::string data;
};

std::vector<Value> Values(HKEY key) {
  std::vector<Value> values;
  for (DWORD i = 0;; ++i) {
    std::u16string name(16384, u'\0');
    DWORD chars = 16384, size = 0, type = 0;
    if (RegEnumValueW(key, i, name.data(), &chars, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      break;
    name.resize(chars);
    std::string data(size, '\0');
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &size) != ERROR_SUCCESS)
      continue;  // removed meanwhile
    data.resize(size);
    values.push_back({name, type, data});
  }
  return values;
}

std::vector<std::u16string> Subkeys(HKEY key) {
  std::vector<std::u16string> names;
  for (DWORD i = 0;; ++i) {
    WCHAR name[256];
    DWORD chars = 256;
    if (RegEnumKeyExW(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    names.emplace_back(name, chars);
  }
  return names;
}

void PrintValue(const Value& value) {
  std::u16string name = value.name.empty() ? u"(Default)" : value.name;
  PrintLine(u"    " + name + u"    " + TypeName(value.type) + u"    " +
            FormatData(value.type, value.data));
}

void QueryTree(HKEY key, const std::u16string& path, bool recurse) {
  PrintLine(path);
  for (const Value& value : Values(key)) PrintValue(value);
  PrintLine(u"");
  for (const std::u16string& name : Subkeys(key)) {
    std::u16string child = path + u"\\" + name;
    if (!recurse) {
      PrintLine(child);
      continue;
    }
    HKEY sub;
    if (RegOpenKeyExW(key, name.c_str(), 0, KEY_READ, &sub) == ERROR_SUCCESS) {
      QueryTree(sub, child, true);
      RegCloseKey(sub);
    }
  }
}

// Deletes a key with everything below it, deepest keys first.
LSTATUS DeleteTree(HKEY parent, const std::u16string& name, REGSAM view) {
  HKEY key;
  LSTATUS rc = RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ | view, &key);
  if (rc != ERROR_SUCCESS) return rc;
  for (const std::u16string& child : Subkeys(key)) {
    if ((rc = DeleteTree(key, child, 0)) != ERROR_SUCCESS) break;
  }
  RegCloseKey(key);
  return rc == ERROR_SUCCESS ? RegDeleteKeyW(parent, name.c_str()) : rc;
}

}  // namespace

int RunQuery(const RegRequest& request) {
  HKEY key;
  LSTATUS rc =
      RegOpenKeyExW(request.root, request.subkey.c_str(), 0, KEY_READ | request.view, &key);
  if (rc != ERROR_SUCCESS) return Fail(rc);
  PrintLine(u"");
  if (request.oneValue) {
    Value value{request.valueName, 0, {}};
    DWORD size = 0;
    rc = RegQueryValueExW(key, value.name.c_str(), nullptr, &value.type, nullptr, &size);
    value.data.resize(size);
    if (rc == ERROR_SUCCESS)
      rc = RegQueryValueExW(key, value.name.c_str(), nullptr, &value.type,
                            reinterpret_cast<BYTE*>(value.data.data()), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return Fail(rc);
    value.data.resize(size);
    PrintLine(request.KeyName());
    PrintValue(value);
    PrintLine(u"");
    return 0;
  }
  QueryTree(key, request.KeyName(), request.recurse);
  RegCloseKey(key);
  return 0;
}

int RunAdd(const RegRequest& request) {
  std::string bytes;
  if (request.oneValue && !EncodeData(request.type, request.data, request.separator, &bytes)) {
    PrintError(u"ERROR: Invalid data for " + TypeName(request.type) + u".");
    return 1;
  }
  if (request.subkey.empty()) return Fail(ERROR_ACCESS_DENIED);
  HKEY key;
  LSTATUS rc = RegCreateKeyExW(request.root, request.subkey.c_str(), 0, nullptr, 0,
                               KEY_ALL_ACCESS | request.view, nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) return Fail(rc);
  if (request.oneValue) {
    const std::u16string& name = request.valueName;
    if (!request.force &&
        RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
        !AskYesNo(u"Value " + (name.empty() ? u"(Default)" : name) +
                  u" exists, overwrite(Yes/No)?")) {
      RegCloseKey(key);
      PrintLine(kCancelled);
      return 0;
    }
    rc = RegSetValueExW(key, name.c_str(), 0, request.type,
                        reinterpret_cast<const BYTE*>(bytes.data()),
                        static_cast<DWORD>(bytes.size()));
  }
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return Fail(rc);
  PrintLine(kDone);
  return 0;
}

int RunDelete(const RegRequest& request) {
  HKEY key;
  LSTATUS rc =
      RegOpenKeyExW(request.root, request.subkey.c_str(), 0, KEY_ALL_ACCESS | request.view, &key);
  if (rc != ERROR_SUCCESS) return Fail(rc);
  std::u16string question;
  if (request.oneValue)
    question = u"Delete the registry value " +
               (request.valueName.empty() ? u"(Default)" : request.valueName) + u" (Yes/No)?";
  else if (request.allValues)
    question = u"Delete all values under the registry key " + request.KeyName() + u" (Yes/No)?";
  else
    question = u"Permanently delete the registry key " + request.KeyName() + u" (Yes/No)?";
  if (!request.force && !AskYesNo(question)) {
    RegCloseKey(key);
    PrintLine(kCancelled);
    return 0;
  }
  if (request.oneValue) {
    rc = RegDeleteValueW(key, request.valueName.c_str());
  } else if (request.allValues) {
    for (const Value& value : Values(key))
      if ((rc = RegDeleteValueW(key, value.name.c_str())) != ERROR_SUCCESS) break;
  }
  RegCloseKey(key);
  if (!request.oneValue && !request.allValues) {
    if (request.subkey.empty()) return Fail(ERROR_ACCESS_DENIED);
    rc = DeleteTree(request.root, request.subkey, request.view);
  }
  if (rc != ERROR_SUCCESS) return Fail(rc);
  PrintLine(kDone);
  return 0;
}

}  // namespace RegTool
