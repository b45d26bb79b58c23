#include "Platform/Text/Utf.h"

namespace Platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Length of the valid UTF-8 sequence starting at in[i], or 0 when it is not valid. Follows the
// Unicode "maximal subpart" rule so that a bad sequence costs exactly one replacement.
size_t ValidSequence(std::string_view in, size_t i, char32_t* out, size_t* badLength) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(in[k]); };
  unsigned char c = b(i);
  size_t need;
  char32_t cp;
  unsigned char lo = 0x80, hi = 0xBF;
  if (c < 0x80) {
    *out = c;
    return 1;
  } else if (c >= 0xC2 && c <= 0xDF) {
    need = 1, cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    need = 2, cp = c & 0x0F;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;  // no encoded surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    need = 3, cp = c & 0x07;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    *badLength = 1;
    return 0;
  }
  size_t k = 1;
  for (; k <= need; ++k) {
    if (i + k >= in.size()) break;
    unsigned char t = b(i + k);
    unsigned char tlo = (k == 1) ? lo : 0x80, thi = (k == 1) ? hi : 0xBF;
    if (t < tlo || t > thi) break;
    cp = (cp << 6) | (t & 0x3F);
  }
  if (k <= need) {
    *badLength = k;
    return 0;
  }
  *out = cp;
  return need + 1;
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view in, bool* invalid) {
  std::u16string out;
  out.reserve(in.size());
  for (size_t i = 0; i < in.size();) {
    // Runs of ASCII, the bulk of markup and paths, are widened in one go.
    size_t run = i;
    while (run < in.size() && static_cast<unsigned char>(in[run]) < 0x80) ++run;
    if (run > i) {
      const size_t at = out.size();
      out.resize(at + (run - i));
      for (size_t k = i; k < run; ++k) out[at + (k - i)] = static_cast<char16_t>(in[k]);
      i = run;
      continue;
    }
    char32_t cp = 0;
    size_t bad = 0;
    size_t n = ValidSequence(in, i, &cp, &bad);
    if (n == 0) {
      if (invalid) *invalid = true;
      out.push_back(static_cast<char16_t>(kReplacement));
      i += bad;
      continue;
    }
    AppendUtf16(out, cp);
    i += n;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view in, bool* invalid) {
  std::string out;
  out.reserve(in.size() * 3);
  for (size_t i = 0; i < in.size(); ++i) {
    char32_t c = in[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 &&
        in[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (in[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      if (invalid) *invalid = true;
      c = kReplacement;
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::string ToUtf8(const char16_t* text) {
  return text ? Utf16ToUtf8(std::u16string_view(text)) : std::string();
}

std::u16string ToUtf16(const char* text) {
  return text ? Utf8ToUtf16(std::string_view(text)) : std::u16string();
}

}  // namespace Platform
