#include "Platform/Registry/NameFold.h"

#include <glib.h>

namespace Platform {

std::u16string FoldRegistryName(std::u16string_view name) {
  std::u16string out(name);
  for (char16_t& c : out) {
    if (c < 0x80) {
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    } else if (c < 0xD800 || c > 0xDFFF) {
      gunichar upper = g_unichar_toupper(c);
      // A few letters upper-case outside the BMP or to a pair; those stay as they are.
      if (upper <= 0xFFFF && (upper < 0xD800 || upper > 0xDFFF)) c = static_cast<char16_t>(upper);
    }
  }
  return out;
}

}  // namespace Platform
