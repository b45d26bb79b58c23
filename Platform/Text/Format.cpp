// Bounded printf-style formatting of UTF-16 text: the wsprintfW family (USER32, a buffer of 1024
// units, so at most 1023 characters) and the wnsprintfW family (SHLWAPI, bounded by the caller's
// buffer).
//
// Directive grammar, shared by both families:  %[-][#][0][width][.precision][size]type
//   flags      '-' left-justify (wins over '0'); '#' prefixes non-zero hex with 0x / 0X;
//              '0' pads with zeros instead of blanks (numbers: after the sign, ignored when a
//              precision is given; text: zeros before the text).
//   width      minimum field width; never truncates.
//   precision  numbers: minimum digit count, where 0 or an empty precision means 1 (so zero
//              always prints "0"); text: maximum number of UTF-16 units copied.
//   size       h = short (d i u x X) or narrow text/character (s c); l and w = 32-bit
//              LONG/DWORD (d i u x X) or wide text/character (s c); I = pointer-sized integer.
//   type       d i (signed), u (unsigned), x X (hex), p (pointer: upper-case hex of full
//              pointer width), c (WCHAR), C (CHAR), s (wide text), S (narrow text).
// Narrow text and characters are UTF-8 (the ANSI code page here); a bad sequence becomes
// U+FFFD. A null text prints "(null)"; a character whose value is 0 prints nothing at all.
// '*' width and floating point are not part of the dialect. A '%' followed by a character that
// is not a type copies that character and nothing else ("%%" gives "%", "%5y" gives "y"); a
// lone '%' at the end of the format is dropped.
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <string>

#include "Platform/Text/Utf.h"
#include "Platform/Win32.h"

namespace Platform {
namespace {

// wsprintfW's buffer holds 1024 units with the terminator. Output that fills all 1023 characters
// is counted as 1024, as Windows does: a caller cannot tell a cut text from one that just fit.
constexpr int kWsprintfBuffer = 1024;

// Collects output up to a fixed number of units (terminator excluded) and remembers whether
// anything had to be dropped.
class Sink {
 public:
  Sink(WCHAR* out, int limit) : m_out(out), m_limit(limit) {}

  void Put(WCHAR c) {
    if (m_count < m_limit) {
      m_out[m_count++] = c;
    } else {
      m_truncated = true;
    }
  }
  void Repeat(WCHAR c, int64_t n) {
    for (; n > 0; --n) {
      if (m_count >= m_limit) {
        m_truncated = true;
        return;
      }
      m_out[m_count++] = c;
    }
  }
  void Write(const WCHAR* s, int64_t n) {
    for (int64_t i = 0; i < n; ++i) {
      if (m_count >= m_limit) {
        m_truncated = true;
        return;
      }
      m_out[m_count++] = s[i];
    }
  }
  void Terminate() { m_out[m_count] = 0; }
  int Count() const { return m_count; }
  bool Truncated() const { return m_truncated; }

 private:
  WCHAR* m_out;
  int m_limit;
  int m_count = 0;
  bool m_truncated = false;
};

enum class Size { Default, Short, Long, Pointer };

struct Directive {
  bool left = false;
  bool alternate = false;
  bool zero = false;
  int width = 0;
  int precision = -1;  // -1: none given
  Size size = Size::Default;
  WCHAR type = 0;
};

bool IsDigit(WCHAR c) { return c >= u'0' && c <= u'9'; }

// Reads a decimal number, saturating at INT_MAX.
int ReadNumber(const WCHAR*& p) {
  int64_t n = 0;
  while (IsDigit(*p)) {
    n = n * 10 + (*p++ - u'0');
    if (n > INT_MAX) n = INT_MAX;
  }
  return static_cast<int>(n);
}

// Parses the directive after its '%'; leaves p on the type character (or the terminator).
Directive Parse(const WCHAR*& p) {
  Directive d;
  for (;; ++p) {
    if (*p == u'-') {
      d.left = true;
    } else if (*p == u'#') {
      d.alternate = true;
    } else if (*p == u'0') {
      d.zero = true;
    } else {
      break;
    }
  }
  d.width = ReadNumber(p);
  if (*p == u'.') {
    ++p;
    d.precision = ReadNumber(p);
  }
  if (*p == u'h') {
    d.size = Size::Short, ++p;
  } else if (*p == u'l' || *p == u'w') {
    d.size = Size::Long, ++p;
  } else if (*p == u'I') {
    d.size = Size::Pointer, ++p;
  }
  d.type = *p;
  return d;
}

void PadAround(Sink& out, const Directive& d, int64_t length, const WCHAR* text) {
  int64_t pad = d.width - length;
  if (d.left) {
    out.Write(text, length);
    out.Repeat(u' ', pad);
  } else {
    out.Repeat(d.zero ? u'0' : u' ', pad);
    out.Write(text, length);
  }
}

void EmitWideText(Sink& out, const Directive& d, const WCHAR* text) {
  if (!text) text = u"(null)";
  int64_t length = 0;
  while (text[length] && (d.precision < 0 || length < d.precision)) ++length;
  PadAround(out, d, length, text);
}

void EmitNarrowText(Sink& out, const Directive& d, const char* text) {
  std::u16string wide = Utf8ToUtf16(text ? std::string_view(text) : std::string_view("(null)"));
  int64_t length = static_cast<int64_t>(wide.size());
  if (d.precision >= 0 && length > d.precision) length = d.precision;
  PadAround(out, d, length, wide.data());
}

void EmitCharacter(Sink& out, const Directive& d, WCHAR c) {
  if (c == 0) return;
  PadAround(out, d, 1, &c);
}

WCHAR NarrowCharacter(int value) {
  auto byte = static_cast<unsigned char>(value);
  return byte < 0x80 ? static_cast<WCHAR>(byte) : static_cast<WCHAR>(0xFFFD);
}

struct Number {
  uint64_t magnitude = 0;
  bool negative = false;
};

Number FetchSigned(const Directive& d, va_list* args) {
  int64_t v;
  if (d.size == Size::Pointer) {
    v = va_arg(*args, intptr_t);
  } else if (d.size == Size::Short) {
    v = static_cast<short>(va_arg(*args, int));
  } else {
    v = va_arg(*args, int);
  }
  Number n;
  n.negative = v < 0;
  n.magnitude = n.negative ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  return n;
}

Number FetchUnsigned(const Directive& d, va_list* args) {
  Number n;
  if (d.size == Size::Pointer) {
    n.magnitude = va_arg(*args, uintptr_t);
  } else if (d.size == Size::Short) {
    n.magnitude = static_cast<unsigned short>(va_arg(*args, unsigned int));
  } else {
    n.magnitude = va_arg(*args, unsigned int);
  }
  return n;
}

// Writes the digits of n in base 10 or 16, most significant first, into digits (room for 20);
// returns how many.
int Digits(uint64_t n, int base, bool upper, WCHAR* digits) {
  const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  WCHAR reversed[24];
  int count = 0;
  do {
    reversed[count++] = static_cast<WCHAR>(set[n % static_cast<uint64_t>(base)]);
    n /= static_cast<uint64_t>(base);
  } while (n);
  for (int i = 0; i < count; ++i) digits[i] = reversed[count - 1 - i];
  return count;
}

void EmitNumber(Sink& out, const Directive& d, Number n, int base, bool upper) {
  WCHAR digits[24];
  int count = Digits(n.magnitude, base, upper, digits);
  int64_t precision = d.precision <= 0 ? 1 : d.precision;
  int64_t zeros = precision > count ? precision - count : 0;
  WCHAR prefix[2];
  int prefixLength = 0;
  if (n.negative) prefix[prefixLength++] = u'-';
  if (d.alternate && base == 16 && n.magnitude != 0) {
    prefix[prefixLength++] = u'0';
    prefix[prefixLength++] = upper ? u'X' : u'x';
  }
  int64_t pad = d.width - (prefixLength + zeros + count);
  if (pad < 0) pad = 0;
  if (!d.left && d.zero && d.precision < 0) {
    zeros += pad;
    pad = 0;
  }
  if (!d.left) out.Repeat(u' ', pad);
  out.Write(prefix, prefixLength);
  out.Repeat(u'0', zeros);
  out.Write(digits, count);
  if (d.left) out.Repeat(u' ', pad);
}

void EmitPointer(Sink& out, Directive d, const void* p) {
  Number n;
  n.magnitude = reinterpret_cast<uintptr_t>(p);
  d.alternate = false;
  d.precision = static_cast<int>(2 * sizeof(void*));
  EmitNumber(out, d, n, 16, true);
}

// Formats one directive whose type is d.type; false when the type is not one of ours.
bool Emit(Sink& out, const Directive& d, va_list* args) {
  switch (d.type) {
    case u'd':
    case u'i': EmitNumber(out, d, FetchSigned(d, args), 10, false); return true;
    case u'u': EmitNumber(out, d, FetchUnsigned(d, args), 10, false); return true;
    case u'x':
    case u'X': EmitNumber(out, d, FetchUnsigned(d, args), 16, d.type == u'X'); return true;
    case u'p': EmitPointer(out, d, va_arg(*args, const void*)); return true;
    case u'c':
    case u'C': {
      bool narrow = d.size == Size::Short || (d.type == u'C' && d.size != Size::Long);
      int value = va_arg(*args, int);
      EmitCharacter(out, d, narrow ? NarrowCharacter(value) : static_cast<WCHAR>(value));
      return true;
    }
    case u's':
    case u'S': {
      bool narrow = d.size == Size::Short || (d.type == u'S' && d.size != Size::Long);
      if (narrow) {
        EmitNarrowText(out, d, va_arg(*args, const char*));
      } else {
        EmitWideText(out, d, va_arg(*args, const WCHAR*));
      }
      return true;
    }
    default: return false;
  }
}

// Formats into out, which has room for limit units plus the terminator; always terminates.
// Returns the number of units written; *truncated tells whether output was dropped.
int FormatBounded(WCHAR* out, int limit, LPCWSTR format, va_list* args, bool* truncated) {
  Sink sink(out, limit);
  for (const WCHAR* p = format ? format : u""; *p && !sink.Truncated(); ++p) {
    if (*p != u'%') {
      sink.Put(*p);
      continue;
    }
    ++p;
    Directive d = Parse(p);
    if (d.type == 0) break;
    if (!Emit(sink, d, args)) sink.Put(d.type);
  }
  sink.Terminate();
  *truncated = sink.Truncated();
  return sink.Count();
}

}  // namespace
}  // namespace Platform

int WINAPI wvsprintfW(LPWSTR lpOut, LPCWSTR lpFmt, va_list arglist) {
  if (!lpOut) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  va_list args;
  va_copy(args, arglist);
  bool truncated = false;
  int n = Platform::FormatBounded(lpOut, Platform::kWsprintfBuffer - 1, lpFmt, &args, &truncated);
  va_end(args);
  return n == Platform::kWsprintfBuffer - 1 ? Platform::kWsprintfBuffer : n;
}

int WINAPI wsprintfW(LPWSTR lpOut, LPCWSTR lpFmt, ...) {
  va_list args;
  va_start(args, lpFmt);
  int n = wvsprintfW(lpOut, lpFmt, args);
  va_end(args);
  return n;
}

// The buffer always ends up terminated when cchDest > 0. Output that does not fit is cut at
// cchDest - 1 characters and reported as -1, so a caller can tell a cut text from a whole one.
int WINAPI wvnsprintfW(PWSTR pszDest, int cchDest, PCWSTR pszFmt, va_list arglist) {
  if (!pszDest || cchDest <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  va_list args;
  va_copy(args, arglist);
  bool truncated = false;
  int n = Platform::FormatBounded(pszDest, cchDest - 1, pszFmt, &args, &truncated);
  va_end(args);
  if (truncated) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return -1;
  }
  return n;
}

int WINAPI wnsprintfW(PWSTR pszDest, int cchDest, PCWSTR pszFmt, ...) {
  va_list args;
  va_start(args, pszFmt);
  int n = wvnsprintfW(pszDest, cchDest, pszFmt, args);
  va_end(args);
  return n;
}
