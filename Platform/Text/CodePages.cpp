// MultiByteToWideChar and WideCharToMultiByte for the UTF-8 code page (CP_ACP is UTF-8 here).
#include <cstring>
#include <string>

#include "Platform/Text/Utf.h"
#include "Platform/Win32.h"

namespace {

bool IsUtf8CodePage(UINT codePage) {
  return codePage == CP_ACP || codePage == CP_UTF8 || codePage == CP_OEMCP;
}

// Copies a converted text out with the documented size protocol: a zero-sized buffer asks for
// the size; a too-small one fails with ERROR_INSUFFICIENT_BUFFER.
template <typename Ch>
int CopyOut(const std::basic_string<Ch>& text, Ch* out, int capacity) {
  if (text.size() > static_cast<size_t>(INT32_MAX)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const int needed = static_cast<int>(text.size());
  if (capacity == 0) return needed;
  if (capacity < needed) {
    std::memcpy(out, text.data(), sizeof(Ch) * static_cast<size_t>(capacity));
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(out, text.data(), sizeof(Ch) * text.size());
  return needed;
}

}  // namespace

int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR in, int inLength, LPWSTR out,
                               int outCapacity) {
  if (!in || inLength == 0 || inLength < -1 || outCapacity < 0 || (outCapacity > 0 && !out)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (!IsUtf8CodePage(codePage)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (flags & ~(MB_ERR_INVALID_CHARS | MB_PRECOMPOSED)) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  // -1 converts up to and including the terminator.
  const size_t length = inLength == -1 ? std::strlen(in) + 1 : static_cast<size_t>(inLength);
  bool invalid = false;
  std::u16string wide = Platform::Utf8ToUtf16(std::string_view(in, length), &invalid);
  if (invalid && (flags & MB_ERR_INVALID_CHARS)) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  return CopyOut(wide, out, outCapacity);
}

int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR in, int inLength, LPSTR out,
                               int outCapacity, LPCSTR defaultChar, LPBOOL usedDefaultChar) {
  if (!in || inLength == 0 || inLength < -1 || outCapacity < 0 || (outCapacity > 0 && !out)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (!IsUtf8CodePage(codePage)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  // UTF-8 can encode everything, so a default character makes no sense for it.
  if (defaultChar || usedDefaultChar) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (flags & ~WC_ERR_INVALID_CHARS) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  const size_t length =
      inLength == -1 ? std::char_traits<char16_t>::length(in) + 1 : static_cast<size_t>(inLength);
  bool invalid = false;
  std::string narrow = Platform::Utf16ToUtf8(std::u16string_view(in, length), &invalid);
  if (invalid && (flags & WC_ERR_INVALID_CHARS)) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  return CopyOut(narrow, out, outCapacity);
}
