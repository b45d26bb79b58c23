#include "Core/UIAttrValue.h"

namespace SkinUI {

namespace {

// The limits of a 32-bit long, whatever the width of the host's own long.
constexpr ULONGLONG kLongMax = 0x7FFFFFFFull;
constexpr ULONGLONG kULongMax = 0xFFFFFFFFull;

bool IsBlank(WCHAR ch) { return ch == ' ' || (ch >= 0x09 && ch <= 0x0D); }

// The value of a digit in bases up to 36; 36 for anything that is no digit.
int DigitValue(WCHAR ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'z') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'Z') return ch - 'A' + 10;
  return 36;
}

// What wcstol and wcstoul share: the magnitude (saturated just above `limit`), the sign, and
// where reading stopped.
struct ParsedNumber {
  ULONGLONG magnitude = 0;
  bool negative = false;
  bool overflow = false;
  LPCWSTR end = nullptr;  // the start of the text when no digit was read
};

ParsedNumber ParseNumber(LPCWSTR pstr, int base, ULONGLONG limit) {
  ParsedNumber out;
  out.end = pstr;
  if (!pstr || base < 0 || base == 1 || base > 36) return out;
  LPCWSTR p = pstr;
  while (IsBlank(*p)) ++p;
  if (*p == '-' || *p == '+') out.negative = *p++ == '-';
  // "0x" counts as a prefix only where hexadecimal may follow; the '0' of a bare "0x" with no
  // hex digit after it is not taken as a digit (the Windows library answers no conversion).
  if ((base == 0 || base == 16) && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
    p += 2;
    base = 16;
  } else if (base == 0) {
    base = p[0] == '0' ? 8 : 10;
  }
  bool anyDigit = false;
  for (int digit; (digit = DigitValue(*p)) < base; ++p) {
    anyDigit = true;
    if (out.overflow) continue;
    out.magnitude = out.magnitude * static_cast<ULONGLONG>(base) + static_cast<ULONGLONG>(digit);
    if (out.magnitude > limit) out.overflow = true;
  }
  if (!anyDigit) {
    out.magnitude = 0;
    out.negative = false;
    return out;
  }
  out.end = p;
  return out;
}

void StoreEnd(LPWSTR* ppEnd, LPCWSTR end) {
  if (ppEnd) *ppEnd = const_cast<LPWSTR>(end);
}

}  // namespace

LONG UIStrToLong(LPCWSTR pstr, LPWSTR* ppEnd, int base) {
  // One above LONG_MAX is still a valid magnitude for a negative number.
  const ParsedNumber n = ParseNumber(pstr, base, kLongMax + 1);
  StoreEnd(ppEnd, n.end);
  if (n.negative) {
    if (n.overflow || n.magnitude > kLongMax + 1) return static_cast<LONG>(-kLongMax - 1);
    return static_cast<LONG>(-static_cast<LONGLONG>(n.magnitude));
  }
  if (n.overflow || n.magnitude > kLongMax) return static_cast<LONG>(kLongMax);
  return static_cast<LONG>(n.magnitude);
}

DWORD UIStrToULong(LPCWSTR pstr, LPWSTR* ppEnd, int base) {
  const ParsedNumber n = ParseNumber(pstr, base, kULongMax);
  StoreEnd(ppEnd, n.end);
  if (n.overflow) return static_cast<DWORD>(kULongMax);
  const DWORD value = static_cast<DWORD>(n.magnitude);
  return n.negative ? static_cast<DWORD>(0u - value) : value;
}

int UIStrToInt(LPCWSTR pstr) { return static_cast<int>(UIStrToLong(pstr, nullptr, 10)); }

namespace {

// Reads up to `count` numbers of a list into `values` (which the caller zeroes).
void ParseNumberList(LPCWSTR pstrValue, LONG* values, int count) {
  if (!pstrValue) return;
  LPWSTR end = nullptr;
  values[0] = UIStrToLong(pstrValue, &end, 10);
  for (int i = 1; i < count; ++i) {
    // The separator is one character; at the terminator the rest of the list is missing.
    if (*end == 0) return;
    values[i] = UIStrToLong(end + 1, &end, 10);
  }
}

}  // namespace

RECT UIParseRect(LPCWSTR pstrValue) {
  LONG v[4] = {0, 0, 0, 0};
  ParseNumberList(pstrValue, v, 4);
  return RECT{v[0], v[1], v[2], v[3]};
}

SIZE UIParseSize(LPCWSTR pstrValue) {
  LONG v[2] = {0, 0};
  ParseNumberList(pstrValue, v, 2);
  return SIZE{v[0], v[1]};
}

DWORD UIParseBkColor(LPCWSTR pstrValue) {
  if (!pstrValue) return 0;
  while (*pstrValue > 0 && *pstrValue <= ' ') ++pstrValue;
  if (*pstrValue == '#') ++pstrValue;
  return UIStrToULong(pstrValue, nullptr, 16);
}

DWORD UIParseColor(LPCWSTR pstrValue) {
  if (!pstrValue) return 0;
  if (*pstrValue == '#') ++pstrValue;
  return UIStrToULong(pstrValue, nullptr, 16);
}

bool UIParseBool(LPCWSTR pstrValue) {
  if (!pstrValue) return false;
  static const WCHAR kTrue[] = {'t', 'r', 'u', 'e', 0};
  for (int i = 0;; ++i) {
    if (pstrValue[i] != kTrue[i]) return false;
    if (kTrue[i] == 0) return true;
  }
}

}  // namespace SkinUI
