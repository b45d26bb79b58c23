// The one-pass, in-place parse of a skin document into the element table. The text is rewritten
// as it goes: terminators after names, values and element text, entities decoded in place, so
// that nodes can read everything straight out of the buffer.
#include <cstdint>
#include <cstdlib>

#include "Core/SkinMarkup.h"
#include "Core/SkinMarkupChars.h"

namespace SkinUI {

namespace {

// Reads one entity after '&' (p is on the '&') and leaves p after it. An unknown one is a
// literal '&' and scanning goes on right after it.
inline WCHAR DecodeEntity(WCHAR*& p) {
  ++p;
  switch (p[0]) {
    case 'a':
      if (p[1] == 'm' && p[2] == 'p' && p[3] == ';') {
        p += 4;
        return '&';
      }
      if (p[1] == 'p' && p[2] == 'o' && p[3] == 's' && p[4] == ';') {
        p += 5;
        return '\'';
      }
      break;
    case 'l':
    case 'g':
      if (p[1] == 't' && p[2] == ';') {
        const WCHAR c = p[0] == 'l' ? '<' : '>';
        p += 3;
        return c;
      }
      break;
    case 'q':
      if (p[1] == 'u' && p[2] == 'o' && p[3] == 't' && p[4] == ';') {
        p += 5;
        return '"';
      }
      break;
    default: break;
  }
  return '&';
}

// Scans text up to `end` or the end of the text, decoding entities in place. Returns the write
// position (where the decoded text ends); p is left on the end character. The gap that decoding
// opened becomes spaces, so it never reads as text.
inline WCHAR* ScanText(WCHAR*& p, WCHAR end) {
  // The characters that stop the plain copy (the end, the terminator and '&') all lie below 64.
  const uint64_t stops = (1ull << end) | (1ull << '&') | 1ull;
  WCHAR* read = p;
  while (*read >= 64 || !((stops >> *read) & 1)) ++read;
  WCHAR* write = read;
  while (*read != end && *read != 0) {
    if (*read == '&') {
      *write++ = DecodeEntity(read);
    } else {
      *write++ = *read++;
    }
  }
  for (WCHAR* gap = write + 1; gap < read; ++gap) *gap = ' ';
  p = read;
  return write;
}

inline void SkipName(WCHAR*& p) {
  while (IsMarkupNameChar(*p)) ++p;
}

// Comments and declarations: from '!' to the next "->", from '?' to the next "?>", or to the
// end of the text.
void SkipDeclaration(WCHAR*& p) {
  const WCHAR closer = *p == '!' ? '-' : '?';
  ++p;
  while (*p) {
    if (p[0] == closer && p[1] == '>') {
      p += 2;
      return;
    }
    ++p;
  }
}

}  // namespace

bool CSkinMarkup::Parse() {
  ULONG placeholder;
  if (!AppendElement(0, 0, &placeholder)) return Fail("Out of memory", nullptr);
  ClearErrors();
  WCHAR* p = m_pstrText;
  ULONG parent = 0;    // whose children are being read
  ULONG previous = 0;  // the last of them read so far
  for (;;) {
    SkipMarkupSpace(p);
    if (*p == 0) {
      // Open elements are accepted at the end only down to the children of the root.
      if (parent <= 1) return true;
      return Fail("Expected start tag", p);
    }
    if (*p != '<') return Fail("Expected start tag", p);
    if (p[1] == '/') {
      if (parent == 0) return true;  // a stray end tag ends the document
      if (!CloseElement(parent, p)) return false;
      previous = parent;
      parent = m_pElements[parent].iParent;
      continue;
    }
    *p++ = 0;
    SkipMarkupSpace(p);
    if (*p == '!' || *p == '?') {
      SkipDeclaration(p);
      continue;
    }
    bool finished = false;
    if (!ParseElement(p, parent, previous, finished)) return false;
    if (finished) return true;
  }
}

// Reads one element from its name to the end of its start tag and its text. Afterwards either
// the element is complete (previous is it), or its children come next (parent is it), or the
// text ended where that is allowed (finished).
bool CSkinMarkup::ParseElement(WCHAR*& p, ULONG& parent, ULONG& previous, bool& finished) {
  ULONG element;
  if (!AppendElement(static_cast<ULONG>(p - m_pstrText), parent, &element))
    return Fail("Out of memory", nullptr);
  if (previous != 0) {
    m_pElements[previous].iNext = element;
  } else if (parent != 0) {
    m_pElements[parent].iChild = element;
  }
  previous = element;
  SkipName(p);
  if (*p == 0) return Fail("Error parsing element name", p);
  WCHAR* nameEnd = p;
  if (!ParseAttributes(p)) return false;
  SkipMarkupSpace(p);
  if (p[0] == '/' && p[1] == '>') {
    m_pElements[element].iData = static_cast<ULONG>(p - m_pstrText);
    *p = 0;
    *nameEnd = 0;
    p += 2;
    return true;
  }
  if (*p != '>') return Fail("Expected start-tag closing", p);
  ++p;
  *nameEnd = 0;
  m_pElements[element].iData = static_cast<ULONG>(p - m_pstrText);
  WCHAR* textEnd = ScanText(p, '<');
  if (textEnd < p) *textEnd = 0;  // otherwise the '<' there is terminated by what follows
  if (*p == 0) {
    if (parent <= 1) {
      finished = true;
      return true;
    }
    return Fail("Expected end-tag start", p);
  }
  if (p[1] != '/') {
    parent = element;
    previous = 0;
    return true;
  }
  return CloseElement(element, p);
}

// Positioned right after the tag name.
bool CSkinMarkup::ParseAttributes(WCHAR*& p) {
  if (*p == '>' || (p[0] == '/' && p[1] == '>')) return true;
  *p = 0;
  for (;;) {
    ++p;
    SkipMarkupSpace(p);
    if (*p == 0 || *p == '>' || *p == '/') return true;
    SkipName(p);
    WCHAR* nameEnd = p;
    SkipMarkupSpace(p);
    if (*p != '=') return Fail("Error while parsing attributes", p);
    *p = ' ';
    *nameEnd = 0;
    ++p;
    SkipMarkupSpace(p);
    if (*p != '"') return Fail("Expected attribute value", p);
    ++p;
    WCHAR* valueEnd = ScanText(p, '"');
    if (*p == 0) return Fail("Error while parsing attribute string", p);
    if (valueEnd < p) *p = ' ';
    *valueEnd = 0;
  }
}

// p is on the "</" that should close `element`; leaves p after its '>'.
bool CSkinMarkup::CloseElement(ULONG element, WCHAR*& p) {
  *p = 0;
  p += 2;
  SkipMarkupSpace(p);
  const WCHAR* at = p;
  for (const WCHAR* name = m_pstrText + m_pElements[element].iStart; *name; ++name, ++p) {
    if (*p != *name) return Fail("Unmatched closing tag", at);
  }
  SkipMarkupSpace(p);
  if (*p != '>') return Fail("Unmatched closing tag", p);
  ++p;
  return true;
}

bool CSkinMarkup::AppendElement(ULONG start, ULONG parent, ULONG* index) {
  if (m_nElements == m_nReservedElements) {
    const uint64_t wanted =
        static_cast<uint64_t>(m_nReservedElements) + m_nReservedElements / 2 + 500;
    if (wanted > UINT32_MAX || wanted > SIZE_MAX / sizeof(ElementRecord)) return false;
    void* grown = std::realloc(m_pElements, static_cast<size_t>(wanted) * sizeof(ElementRecord));
    if (!grown) return false;
    m_pElements = static_cast<ElementRecord*>(grown);
    m_nReservedElements = static_cast<ULONG>(wanted);
  }
  *index = m_nElements++;
  m_pElements[*index] = ElementRecord{start, 0, 0, parent, 0};
  return true;
}

}  // namespace SkinUI
