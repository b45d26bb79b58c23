// The skin document: its lifetime, loading from text and from encoded bytes, and errors.
#include "Core/SkinMarkup.h"

#include <bit>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace SkinUI {

namespace {

// Positions in the text are 32-bit.
constexpr size_t kLongestText = UINT32_MAX - 1;

WCHAR* AllocateText(size_t length) {
  if (length > kLongestText) return nullptr;
  auto* text = static_cast<WCHAR*>(std::malloc((length + 1) * sizeof(WCHAR)));
  if (text) text[length] = 0;
  return text;
}

// Copies the run of ASCII bytes at bytes[in] as characters; eight at a time while possible.
void WidenAscii(const BYTE* bytes, size_t size, size_t& in, WCHAR* text, size_t& out) {
  if constexpr (std::endian::native == std::endian::little) {
    while (size - in >= 8) {
      uint64_t word;
      std::memcpy(&word, bytes + in, 8);
      if (word & 0x8080808080808080ull) break;
      uint64_t low = word & 0xFFFFFFFFu, high = word >> 32;
      low = ((low | (low << 16)) & 0x0000FFFF0000FFFFull);
      low = ((low | (low << 8)) & 0x00FF00FF00FF00FFull);
      high = ((high | (high << 16)) & 0x0000FFFF0000FFFFull);
      high = ((high | (high << 8)) & 0x00FF00FF00FF00FFull);
      std::memcpy(text + out, &low, 8);
      std::memcpy(text + out + 4, &high, 8);
      in += 8;
      out += 8;
    }
  }
  while (in < size && bytes[in] < 0x80) text[out++] = bytes[in++];
}

// UTF-8 or the ANSI code page (UTF-8 here) to UTF-16; never more characters than bytes. ASCII
// stands for itself, so only the runs of other bytes go through the converter: such a run ends
// before an ASCII byte, which never lies inside a multi-byte sequence.
WCHAR* DecodeMultiByte(UINT codePage, const BYTE* bytes, DWORD size) {
  WCHAR* text = AllocateText(size);
  if (!text) return nullptr;
  size_t in = 0, out = 0;
  while (in < size) {
    WidenAscii(bytes, size, in, text, out);
    if (in == size) break;
    size_t end = in;
    while (end < size && bytes[end] >= 0x80) ++end;
    const int length =
        MultiByteToWideChar(codePage, 0, reinterpret_cast<LPCSTR>(bytes + in),
                            static_cast<int>(end - in), text + out, static_cast<int>(size - out));
    if (length <= 0) {
      std::free(text);
      return nullptr;
    }
    out += static_cast<size_t>(length);
    in = end;
  }
  text[out] = 0;
  return text;
}

// The text after the byte-order mark; big-endian input is swapped in place first.
WCHAR* DecodeUtf16(BYTE* bytes, DWORD size, bool bigEndian) {
  const size_t pairs = size / 2;
  if (bigEndian) {
    for (size_t i = 1; i < pairs; ++i) std::swap(bytes[2 * i], bytes[2 * i + 1]);
  }
  WCHAR* text = AllocateText(pairs - 1);
  if (!text) return nullptr;
  for (size_t i = 1; i < pairs; ++i)
    text[i - 1] = static_cast<WCHAR>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  return text;
}

}  // namespace

CSkinMarkup::CSkinMarkup(LPCTSTR markup) {
  if (markup) LoadText(markup);
}

CSkinMarkup::~CSkinMarkup() { Clear(); }

void CSkinMarkup::Clear() {
  std::free(m_pstrText);
  m_pstrText = nullptr;
  std::free(m_pElements);
  m_pElements = nullptr;
  m_nElements = 0;
  m_nReservedElements = 0;
}

void CSkinMarkup::ClearErrors() {
  m_szErrorMsg[0] = 0;
  m_szErrorXML[0] = 0;
}

bool CSkinMarkup::Fail(const char* message, const WCHAR* location) {
  size_t i = 0;
  for (; message[i] && i + 1 < sizeof(m_szErrorMsg) / sizeof(WCHAR); ++i)
    m_szErrorMsg[i] = static_cast<WCHAR>(message[i]);
  m_szErrorMsg[i] = 0;
  i = 0;
  for (; location && location[i] && i + 1 < sizeof(m_szErrorXML) / sizeof(WCHAR); ++i)
    m_szErrorXML[i] = location[i];
  m_szErrorXML[i] = 0;
  return false;
}

bool CSkinMarkup::LoadText(LPCTSTR text) {
  Clear();
  ClearErrors();
  if (!text) return Fail("No markup given", nullptr);
  const size_t length = std::char_traits<WCHAR>::length(text);
  WCHAR* copy = AllocateText(length);
  if (!copy) return Fail(length > kLongestText ? "File too large" : "Out of memory", nullptr);
  std::memcpy(copy, text, length * sizeof(WCHAR));
  return ParseOwnedText(copy);
}

bool CSkinMarkup::LoadBytes(BYTE* data, DWORD size, MarkupEncoding encoding) {
  Clear();
  ClearErrors();
  if (!data && size > 0) return Fail("No markup given", nullptr);
  if (size > INT_MAX) return Fail("File too large", nullptr);
  WCHAR* text = nullptr;
  if (encoding == MarkupEncoding::Utf8) {
    const bool bom = size > 2 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF;
    text =
        bom ? DecodeMultiByte(CP_UTF8, data + 3, size - 3) : DecodeMultiByte(CP_UTF8, data, size);
  } else if (encoding == MarkupEncoding::Ansi) {
    text = DecodeMultiByte(CP_ACP, data, size);
  } else {
    const bool littleEndian = size > 1 && data[0] == 0xFF && data[1] == 0xFE;
    const bool bigEndian = size > 1 && data[0] == 0xFE && data[1] == 0xFF;
    if (!littleEndian && !bigEndian) return Fail("Missing byte-order mark", nullptr);
    text = DecodeUtf16(data, size, bigEndian);
  }
  if (!text) return Fail("Out of memory", nullptr);
  return ParseOwnedText(text);
}

bool CSkinMarkup::ParseOwnedText(WCHAR* text) {
  m_pstrText = text;
  if (Parse()) return true;
  Clear();
  return false;
}

CSkinMarkupNode CSkinMarkup::GetRoot() const {
  if (m_nElements < 2) return CSkinMarkupNode();
  return CSkinMarkupNode(this, 1);
}

}  // namespace SkinUI
