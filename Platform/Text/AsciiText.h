#pragma once
// Windows compares names, paths, extensions and verbs with ASCII case folding only; and a
// Windows path separates its parts with either slash.

#include <string>
#include <string_view>

namespace Platform {

constexpr char16_t AsciiLower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}
constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

inline std::u16string AsciiLowered(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = AsciiLower(c);
  return out;
}

constexpr bool IsPathSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

}  // namespace Platform
