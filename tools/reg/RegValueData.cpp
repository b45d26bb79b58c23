#include "RegValueData.h"

#include <cstring>
#include <vector>

namespace RegTool {

namespace {

struct TypeEntry {
  const char16_t* name;
  DWORD type;
};

const TypeEntry kTypes[] = {
    {u"REG_NONE", REG_NONE},     {u"REG_SZ", REG_SZ},       {u"REG_EXPAND_SZ", REG_EXPAND_SZ},
    {u"REG_BINARY", REG_BINARY}, {u"REG_DWORD", REG_DWORD}, {u"REG_MULTI_SZ", REG_MULTI_SZ},
    {u"REG_QWORD", REG_QWORD},
};

std::string StringBytes(const std::u16string& text) {
  return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * 2);
}

std::u16string BytesToText(const std::string& bytes) {
  std::u16string text(bytes.size() / 2, u'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * 2);
  return text;
}

bool ParseNumber(const std::u16string& text, uint64_t limit, uint64_t* value) {
  if (text.empty()) {
    *value = 0;
    return true;
  }
  unsigned base = 10;
  size_t i = 0;
  if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
    base = 16;
    i = 2;
  }
  uint64_t v = 0;
  for (; i < text.size(); ++i) {
    char16_t c = text[i];
    unsigned digit;
    if (c >= u'0' && c <= u'9')
      digit = c - u'0';
    else if (base == 16 && c >= u'a' && c <= u'f')
      digit = c - u'a' + 10;
    else if (base == 16 && c >= u'A' && c <= u'F')
      digit = c - u'A' + 10;
    else
      return false;
    if (v > (limit - digit) / base) return false;
    v = v * base + digit;
  }
  *value = v;
  return true;
}

bool ParseHex(const std::u16string& text, std::string* bytes) {
  if (text.size() % 2) return false;
  bytes->clear();
  for (size_t i = 0; i < text.size(); i += 2) {
    uint64_t byte;
    if (!ParseNumber(u"0x" + text.substr(i, 2), 0xFF, &byte)) return false;
    bytes->push_back(static_cast<char>(byte));
  }
  return true;
}

std::string MultiStringBytes(const std::u16string& text, char16_t separator) {
  std::vector<std::u16string> items;
  std::u16string current;
  for (size_t i = 0; i < text.size(); ++i) {
    bool split = separator ? text[i] == separator
                           : (text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == u'0');
    if (split) {
      items.push_back(current);
      current.clear();
      if (!separator) ++i;
    } else {
      current += text[i];
    }
  }
  if (!current.empty() || !items.empty()) items.push_back(current);
  std::string bytes;
  for (const std::u16string& item : items) bytes += StringBytes(item);
  return bytes + std::string(2, '\0');
}

std::u16string Hex(const std::string& bytes) {
  static const char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string out;
  for (char b : bytes) {
    auto v = static_cast<unsigned char>(b);
    out += kDigits[v >> 4];
    out += kDigits[v & 15];
  }
  return out;
}

std::u16string HexNumber(uint64_t value) {
  static const char16_t kDigits[] = u"0123456789abcdef";
  std::u16string digits;
  do {
    digits.insert(digits.begin(), kDigits[value & 15]);
    value >>= 4;
  } while (value);
  return u"0x" + digits;
}

}  // namespace

bool ParseTypeName(const std::u16string& name, DWORD* type) {
  std::u16string upper = name;
  for (char16_t& c : upper)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  for (const TypeEntry& entry : kTypes) {
    if (upper == entry.name) {
      *type = entry.type;
      return true;
    }
  }
  return false;
}

std::u16string TypeName(DWORD type) {
  for (const TypeEntry& entry : kTypes)
    if (entry.type == type) return entry.name;
  return u"REG_UNKNOWN_" + HexNumber(type);
}

bool EncodeData(DWORD type, const std::u16string& text, char16_t separator, std::string* bytes) {
  uint64_t number;
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
    case REG_NONE: *bytes = StringBytes(text); return true;
    case REG_MULTI_SZ: *bytes = MultiStringBytes(text, separator); return true;
    case REG_DWORD:
      if (!ParseNumber(text, 0xFFFFFFFFu, &number)) return false;
      bytes->assign(4, '\0');
      for (int i = 0; i < 4; ++i) (*bytes)[i] = static_cast<char>(number >> (8 * i));
      return true;
    case REG_QWORD:
      if (!ParseNumber(text, UINT64_MAX, &number)) return false;
      bytes->assign(8, '\0');
      for (int i = 0; i < 8; ++i) (*bytes)[i] = static_cast<char>(number >> (8 * i));
      return true;
    case REG_BINARY: return ParseHex(text, bytes);
    default: return false;
  }
}

std::u16string FormatData(DWORD type, const std::string& bytes) {
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
      std::u16string text = BytesToText(bytes);
      return text.substr(0, text.find(u'\0'));
    }
    case REG_MULTI_SZ: {
      std::u16string text = BytesToText(bytes);
      while (!text.empty() && text.back() == 0) text.pop_back();
      std::u16string out;
      for (char16_t c : text) out += c ? std::u16string(1, c) : std::u16string(u"\\0");
      return out;
    }
    case REG_DWORD:
    case REG_QWORD:
      if (bytes.size() == (type == REG_DWORD ? 4u : 8u)) {
        uint64_t value = 0;
        for (size_t i = bytes.size(); i-- > 0;)
          value = (value << 8) | static_cast<unsigned char>(bytes[i]);
        return HexNumber(value);
      }
      return Hex(bytes);
    default: return Hex(bytes);
  }
}

}  // namespace RegTool
