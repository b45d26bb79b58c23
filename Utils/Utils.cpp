#include "Utils/Utils.h"

#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace SkinUI {
namespace {

[[noreturn]] void OutOfMemory() {
  ::OutputDebugStringW(TEXT("SkinUI: out of memory\n"));
  std::abort();
}

size_t Units(int64_t n) {
  if (n < 0 || n > INT32_MAX) OutOfMemory();
  return static_cast<size_t>(n) * sizeof(WCHAR);
}

LPWSTR AllocateText(int64_t units) {
  auto p = static_cast<LPWSTR>(std::malloc(Units(units)));
  if (!p) OutOfMemory();
  return p;
}

LPWSTR ReallocateText(LPWSTR block, int64_t units) {
  auto p = static_cast<LPWSTR>(std::realloc(block, Units(units)));
  if (!p) OutOfMemory();
  return p;
}

// Length of pstr, stopping after cchMax units when cchMax >= 0.
int BoundedLength(LPCWSTR pstr, int cchMax) {
  if (cchMax < 0) return ::lstrlenW(pstr);
  int n = 0;
  while (n < cchMax && pstr[n]) ++n;
  return n;
}

bool PointsInto(LPCWSTR p, LPCWSTR begin, int length) {
  auto a = reinterpret_cast<uintptr_t>(p), b = reinterpret_cast<uintptr_t>(begin);
  return a >= b && a <= b + static_cast<uintptr_t>(length) * sizeof(WCHAR);
}

// Simple (one-to-one) lower-case mapping for the scripts the skins are written in.
WCHAR LowerCase(WCHAR c) {
  const auto plus = [c](int d) { return static_cast<WCHAR>(c + d); };
  const bool even = (c & 1) == 0;
  if (c < 0x80) return (c >= TEXT('A') && c <= TEXT('Z')) ? plus(32) : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return plus(32);
  if (c == 0x130) return TEXT('i');
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return even ? plus(1) : c;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return even ? c : plus(1);
  if (c == 0x178) return 0xFF;
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return plus(37);
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return plus(63);
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return plus(32);
  if (c >= 0x400 && c <= 0x40F) return plus(80);
  if (c >= 0x410 && c <= 0x42F) return plus(32);
  if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
    return even ? plus(1) : c;
  if (c == 0x4C0) return 0x4CF;
  if (c >= 0x4C1 && c <= 0x4CE) return even ? c : plus(1);
  if (c == 0x1E9E) return 0xDF;
  if ((c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF)) return even ? plus(1) : c;
  if (c >= 0xFF21 && c <= 0xFF3A) return plus(32);
  return c;
}

}  // namespace

void ReportAssertion(const char* expression, const char* file, int line) {
  WCHAR szBuffer[1025];
  ::wsprintfW(szBuffer, TEXT("%hs(%d): Assertion failed: %hs\n"), file, line, expression);
  ::OutputDebugStringW(szBuffer);
}

void Trace(LPCWSTR pstrFormat, ...) {
  WCHAR szBuffer[300] = {0};
  va_list args;
  va_start(args, pstrFormat);
  ::wvnsprintfW(szBuffer, 299, pstrFormat, args);  // a cut line is still terminated
  va_end(args);
  ::lstrcatW(szBuffer, TEXT("\n"));
  ::OutputDebugStringW(szBuffer);
}

// ---------------------------------------------------------------------------------------------
// CUIString

CUIString::CUIString() : m_pstr(m_szBuffer) { m_szBuffer[0] = 0; }

CUIString::CUIString(WCHAR ch) : m_pstr(m_szBuffer) {
  m_szBuffer[0] = ch;
  m_szBuffer[1] = 0;
}

CUIString::CUIString(LPCWSTR lpsz, int nLen) : m_pstr(m_szBuffer) {
  m_szBuffer[0] = 0;
  if (lpsz) Assign(lpsz, nLen);
}

CUIString::CUIString(const CUIString& src) : m_pstr(m_szBuffer) {
  m_szBuffer[0] = 0;
  Assign(src.m_pstr);
}

CUIString::CUIString(CUIString&& src) noexcept : m_pstr(m_szBuffer) {
  if (src.IsInline()) {
    std::memcpy(m_szBuffer, src.m_szBuffer, sizeof(m_szBuffer));
  } else {
    m_pstr = src.m_pstr;
    src.m_pstr = src.m_szBuffer;
  }
  src.m_szBuffer[0] = 0;
}

CUIString::~CUIString() {
  if (!IsInline()) std::free(m_pstr);
}

void CUIString::Empty() {
  if (!IsInline()) std::free(m_pstr);
  m_pstr = m_szBuffer;
  m_szBuffer[0] = 0;
}

int CUIString::GetLength() const { return ::lstrlenW(m_pstr); }

bool CUIString::IsEmpty() const { return m_pstr[0] == 0; }

WCHAR CUIString::GetAt(int nIndex) const { return m_pstr[nIndex]; }

WCHAR CUIString::operator[](int nIndex) const { return m_pstr[nIndex]; }

LPCWSTR CUIString::GetData() const { return m_pstr; }

CUIString::operator LPCWSTR() const { return m_pstr; }

// A short text goes to the inline buffer (copied before the heap block is freed, since it may
// lie inside it); a long one to a heap block that is only enlarged when the current text is
// shorter. A source inside this string is never longer than the current text, so a block it
// lies in is never moved before the copy.
void CUIString::Assign(LPCWSTR pstr, int nLength) {
  ASSERT(pstr != nullptr);
  if (!pstr) pstr = TEXT("");
  const int n = BoundedLength(pstr, nLength);
  if (n > MAX_LOCAL_STRING_LEN) {
    if (IsInline()) {
      m_pstr = AllocateText(int64_t{n} + 1);
    } else if (GetLength() < n) {
      m_pstr = ReallocateText(m_pstr, int64_t{n} + 1);
    }
    std::memmove(m_pstr, pstr, Units(n));
  } else {
    std::memmove(m_szBuffer, pstr, Units(n));
    if (!IsInline()) std::free(m_pstr);
    m_pstr = m_szBuffer;
  }
  m_pstr[n] = 0;
}

void CUIString::Append(LPCWSTR pstr) {
  ASSERT(pstr != nullptr);
  if (!pstr) return;
  const int current = GetLength();
  const int added = ::lstrlenW(pstr);
  const int64_t n = int64_t{current} + added;
  if (n > MAX_LOCAL_STRING_LEN) {
    if (IsInline()) {
      LPWSTR block = AllocateText(n + 1);
      std::memcpy(block, m_szBuffer, Units(current));
      m_pstr = block;
    } else {
      // The appended text may be this string's own; find it again after the block moves.
      const bool own = PointsInto(pstr, m_pstr, current);
      const ptrdiff_t offset = own ? pstr - m_pstr : 0;
      m_pstr = ReallocateText(m_pstr, n + 1);
      if (own) pstr = m_pstr + offset;
    }
  }
  std::memmove(m_pstr + current, pstr, Units(added));
  m_pstr[n] = 0;
}

const CUIString& CUIString::operator=(const CUIString& src) {
  Assign(src.m_pstr);
  return *this;
}

const CUIString& CUIString::operator=(CUIString&& src) noexcept {
  if (this == &src) return *this;
  if (src.IsInline()) {
    Assign(src.m_pstr);
  } else {
    if (!IsInline()) std::free(m_pstr);
    m_pstr = src.m_pstr;
    src.m_pstr = src.m_szBuffer;
    src.m_szBuffer[0] = 0;
  }
  return *this;
}

const CUIString& CUIString::operator=(LPCWSTR lpStr) {
  Assign(lpStr);
  return *this;
}

const CUIString& CUIString::operator=(WCHAR ch) {
  Empty();
  m_szBuffer[0] = ch;
  m_szBuffer[1] = 0;
  return *this;
}

CUIString CUIString::operator+(const CUIString& src) const {
  CUIString result(*this);
  result.Append(src.m_pstr);
  return result;
}

CUIString CUIString::operator+(LPCWSTR pstr) const {
  CUIString result(*this);
  if (pstr) result.Append(pstr);
  return result;
}

const CUIString& CUIString::operator+=(const CUIString& src) {
  Append(src.m_pstr);
  return *this;
}

const CUIString& CUIString::operator+=(LPCWSTR pstr) {
  Append(pstr);
  return *this;
}

const CUIString& CUIString::operator+=(WCHAR ch) {
  WCHAR str[] = {ch, 0};
  Append(str);
  return *this;
}

bool CUIString::operator==(LPCWSTR str) const { return Compare(str) == 0; }
bool CUIString::operator!=(LPCWSTR str) const { return Compare(str) != 0; }
bool CUIString::operator==(const CUIString& str) const { return Compare(str.m_pstr) == 0; }
bool CUIString::operator!=(const CUIString& str) const { return Compare(str.m_pstr) != 0; }

// Ordinal on every system: lstrcmpW would sort by the language's rules on Windows.
int CUIString::Compare(LPCWSTR pstr) const {
  return ::CompareStringOrdinal(m_pstr, -1, pstr ? pstr : TEXT(""), -1, FALSE) - CSTR_EQUAL;
}

int CUIString::CompareNoCase(LPCWSTR pstr) const {
  return ::CompareStringOrdinal(m_pstr, -1, pstr ? pstr : TEXT(""), -1, TRUE) - CSTR_EQUAL;
}

void CUIString::MakeLower() {
  for (LPWSTR p = m_pstr; *p; ++p) *p = LowerCase(*p);
}

CUIString CUIString::Left(int nLength) const {
  if (nLength < 0) nLength = 0;
  const int length = GetLength();
  if (nLength > length) nLength = length;
  return CUIString(m_pstr, nLength);
}

CUIString CUIString::Mid(int iPos, int nLength) const {
  const int length = GetLength();
  if (iPos < 0) iPos = 0;
  if (nLength < 0) nLength = length - iPos;
  if (iPos + int64_t{nLength} > length) nLength = length - iPos;
  if (nLength <= 0) return CUIString();
  return CUIString(m_pstr + iPos, nLength);
}

CUIString CUIString::Right(int nLength) const {
  if (nLength <= 0) return CUIString();
  const int length = GetLength();
  if (nLength > length) nLength = length;
  return CUIString(m_pstr + length - nLength, nLength);
}

int CUIString::Find(LPCWSTR pstrSub, int iPos) const {
  ASSERT(pstrSub != nullptr);
  const int length = GetLength();
  ASSERT(iPos >= 0 && iPos <= length);
  if (!pstrSub || iPos < 0 || iPos > length) return -1;
  const size_t at = std::basic_string_view<WCHAR>(m_pstr, static_cast<size_t>(length))
                        .find(pstrSub, static_cast<size_t>(iPos));
  return at == std::basic_string_view<WCHAR>::npos ? -1 : static_cast<int>(at);
}

int CUIString::ReverseFind(WCHAR ch) const {
  if (ch == 0) return -1;
  const size_t at = std::basic_string_view<WCHAR>(m_pstr).rfind(ch);
  return at == std::basic_string_view<WCHAR>::npos ? -1 : static_cast<int>(at);
}

// Each search resumes right after the text just inserted, so inserted text is never searched
// again: one left-to-right pass over the original text. An empty pattern matches nothing.
int CUIString::Replace(LPCWSTR pstrFrom, LPCWSTR pstrTo) {
  if (!pstrFrom || !pstrFrom[0]) return 0;
  const std::basic_string_view<WCHAR> text(m_pstr), from(pstrFrom), to(pstrTo ? pstrTo : TEXT(""));
  std::basic_string<WCHAR> result;
  int count = 0;
  size_t done = 0;
  for (size_t at = text.find(from); at != std::basic_string_view<WCHAR>::npos;
       at = text.find(from, done)) {
    result.append(text.substr(done, at - done)).append(to);
    done = at + from.size();
    ++count;
  }
  if (count == 0) return 0;
  result.append(text.substr(done));
  Assign(result.c_str());
  return count;
}

int CUIString::Format(LPCWSTR pstrFormat, ...) {
  const CUIString sFormat(pstrFormat);  // the format may be this string's own text
  WCHAR szBuffer[1025] = {0};
  va_list args;
  va_start(args, pstrFormat);
  const int n = ::wvsprintfW(szBuffer, sFormat.GetData(), args);
  va_end(args);
  Assign(szBuffer);
  return n;
}

// Longer results are cut to the 63 characters that fit.
int CUIString::SmallFormat(LPCWSTR pstrFormat, ...) {
  const CUIString sFormat(pstrFormat);
  WCHAR szBuffer[64] = {0};
  va_list args;
  va_start(args, pstrFormat);
  ::wvnsprintfW(szBuffer, 64, sFormat.GetData(), args);
  va_end(args);
  Assign(szBuffer);
  return GetLength();
}

// ---------------------------------------------------------------------------------------------
// CPtrArrayUI

CPtrArrayUI::CPtrArrayUI(int iPreallocSize) : m_ppVoid(nullptr), m_nCount(0), m_nAllocated(0) {
  ASSERT(iPreallocSize >= 0);
  if (iPreallocSize > 0) {
    m_ppVoid =
        static_cast<LPVOID*>(std::calloc(static_cast<size_t>(iPreallocSize), sizeof(LPVOID)));
    if (m_ppVoid) m_nAllocated = iPreallocSize;
  }
}

CPtrArrayUI::CPtrArrayUI(const CPtrArrayUI& src) : m_ppVoid(nullptr), m_nCount(0), m_nAllocated(0) {
  *this = src;
}

CPtrArrayUI& CPtrArrayUI::operator=(const CPtrArrayUI& src) {
  if (this == &src) return *this;
  Empty();
  if (src.m_nAllocated > 0) {
    m_ppVoid =
        static_cast<LPVOID*>(std::calloc(static_cast<size_t>(src.m_nAllocated), sizeof(LPVOID)));
    if (!m_ppVoid) OutOfMemory();
    if (src.m_nCount > 0) {
      std::memcpy(m_ppVoid, src.m_ppVoid, static_cast<size_t>(src.m_nCount) * sizeof(LPVOID));
    }
    m_nAllocated = src.m_nAllocated;
    m_nCount = src.m_nCount;
  }
  return *this;
}

CPtrArrayUI::~CPtrArrayUI() { std::free(m_ppVoid); }

void CPtrArrayUI::Empty() {
  std::free(m_ppVoid);
  m_ppVoid = nullptr;
  m_nCount = m_nAllocated = 0;
}

bool CPtrArrayUI::Resize(int iSize) {
  Empty();
  if (iSize <= 0) return iSize == 0;
  m_ppVoid = static_cast<LPVOID*>(std::calloc(static_cast<size_t>(iSize), sizeof(LPVOID)));
  if (!m_ppVoid) return false;
  m_nCount = m_nAllocated = iSize;
  return true;
}

bool CPtrArrayUI::IsEmpty() const { return m_nCount == 0; }

int CPtrArrayUI::Find(LPVOID pData) const {
  for (int i = 0; i < m_nCount; ++i) {
    if (m_ppVoid[i] == pData) return i;
  }
  return -1;
}

// Called once the count has been raised to or past the capacity: doubles it (0 becomes 11) so
// that a free slot always remains.
bool CPtrArrayUI::Grow() {
  const int64_t nAllocated = m_nAllocated == 0 ? 11 : int64_t{m_nAllocated} * 2;
  if (nAllocated > INT32_MAX) return false;
  auto block = static_cast<LPVOID*>(
      std::realloc(m_ppVoid, static_cast<size_t>(nAllocated) * sizeof(LPVOID)));
  if (!block) return false;
  m_ppVoid = block;
  m_nAllocated = static_cast<int>(nAllocated);
  return true;
}

bool CPtrArrayUI::Add(LPVOID pData) {
  if (++m_nCount >= m_nAllocated && !Grow()) {
    --m_nCount;
    return false;
  }
  m_ppVoid[m_nCount - 1] = pData;
  return true;
}

bool CPtrArrayUI::InsertAt(int iIndex, LPVOID pData) {
  if (iIndex == m_nCount) return Add(pData);
  if (iIndex < 0 || iIndex > m_nCount) return false;
  if (++m_nCount >= m_nAllocated && !Grow()) {
    --m_nCount;
    return false;
  }
  std::memmove(&m_ppVoid[iIndex + 1], &m_ppVoid[iIndex],
               static_cast<size_t>(m_nCount - iIndex - 1) * sizeof(LPVOID));
  m_ppVoid[iIndex] = pData;
  return true;
}

bool CPtrArrayUI::Remove(int iIndex) {
  if (iIndex < 0 || iIndex >= m_nCount) return false;
  --m_nCount;
  std::memmove(&m_ppVoid[iIndex], &m_ppVoid[iIndex + 1],
               static_cast<size_t>(m_nCount - iIndex) * sizeof(LPVOID));
  return true;
}

int CPtrArrayUI::GetSize() const { return m_nCount; }

int CPtrArrayUI::GetCapacity() const { return m_nAllocated; }

LPVOID* CPtrArrayUI::GetData() { return m_ppVoid; }

LPVOID CPtrArrayUI::GetAt(int iIndex) const {
  if (iIndex < 0 || iIndex >= m_nCount) return nullptr;
  return m_ppVoid[iIndex];
}

LPVOID CPtrArrayUI::operator[](int iIndex) const {
  ASSERT(iIndex >= 0 && iIndex < m_nCount);
  return GetAt(iIndex);
}

// ---------------------------------------------------------------------------------------------
// CStringMapUI

CStringMapUI::CStringMapUI(int nSize) : m_aT(nullptr), m_nBuckets(0), m_nCount(0) {
  if (nSize < 16) nSize = 16;
  m_aT = new TITEM*[static_cast<size_t>(nSize)]();
  m_nBuckets = nSize;
}

CStringMapUI::~CStringMapUI() {
  FreeItems();
  delete[] m_aT;
}

UINT CStringMapUI::HashKey(LPCWSTR key) {
  UINT hash = 0;
  // Read front to back: the unit at i weighs 33^i, as it does when read from the last unit.
  UINT weight = 1;
  for (; key && *key; ++key) {
    hash += *key * weight;
    weight *= 33;
  }
  return hash;
}

void CStringMapUI::FreeItems() {
  for (int i = 0; i < m_nBuckets; ++i) {
    for (TITEM* item = m_aT[i]; item;) {
      TITEM* next = item->pNext;
      delete item;
      item = next;
    }
    m_aT[i] = nullptr;
  }
  m_nCount = 0;
}

void CStringMapUI::Resize(int nSize) {
  FreeItems();
  delete[] m_aT;
  m_aT = nullptr;
  m_nBuckets = 0;
  if (nSize > 0) {
    m_aT = new TITEM*[static_cast<size_t>(nSize)]();
    m_nBuckets = nSize;
  }
}

void CStringMapUI::RemoveAll() { Resize(m_nBuckets); }

CStringMapUI::TITEM* CStringMapUI::Lookup(LPCWSTR key, int* pBucket) const {
  *pBucket = static_cast<int>(HashKey(key) % static_cast<UINT>(m_nBuckets));
  for (TITEM* item = m_aT[*pBucket]; item; item = item->pNext) {
    if (UIStrEqual(item->Key.GetData(), key)) return item;
  }
  return nullptr;
}

void CStringMapUI::Unlink(TITEM* pItem, int iBucket) const {
  if (pItem->pPrev) {
    pItem->pPrev->pNext = pItem->pNext;
  } else {
    m_aT[iBucket] = pItem->pNext;
  }
  if (pItem->pNext) pItem->pNext->pPrev = pItem->pPrev;
}

void CStringMapUI::LinkAtHead(TITEM* pItem, int iBucket) const {
  pItem->pPrev = nullptr;
  pItem->pNext = m_aT[iBucket];
  if (pItem->pNext) pItem->pNext->pPrev = pItem;
  m_aT[iBucket] = pItem;
}

LPVOID CStringMapUI::Find(LPCWSTR key, bool optimize) const {
  if (!key || m_nBuckets == 0 || m_nCount == 0) return nullptr;
  int bucket;
  TITEM* item = Lookup(key, &bucket);
  if (!item) return nullptr;
  if (optimize && item->pPrev) {
    Unlink(item, bucket);
    LinkAtHead(item, bucket);
  }
  return item->Data;
}

bool CStringMapUI::Insert(LPCWSTR key, LPVOID pData) {
  if (!key || m_nBuckets == 0) return false;
  int bucket;
  if (Lookup(key, &bucket)) return false;
  LinkAtHead(new TITEM{CUIString(key), pData, nullptr, nullptr}, bucket);
  ++m_nCount;
  return true;
}

LPVOID CStringMapUI::Set(LPCWSTR key, LPVOID pData) {
  if (!key || m_nBuckets == 0) return nullptr;
  int bucket;
  if (TITEM* item = Lookup(key, &bucket)) {
    LPVOID old = item->Data;
    item->Data = pData;
    return old;
  }
  Insert(key, pData);
  return nullptr;
}

bool CStringMapUI::Remove(LPCWSTR key) {
  if (!key || m_nBuckets == 0) return false;
  int bucket;
  TITEM* item = Lookup(key, &bucket);
  if (!item) return false;
  Unlink(item, bucket);
  delete item;
  --m_nCount;
  return true;
}

int CStringMapUI::GetSize() const { return m_nCount; }

int CStringMapUI::GetBucketCount() const { return m_nBuckets; }

LPCWSTR CStringMapUI::GetAt(int iIndex) const {
  if (iIndex < 0) return nullptr;
  int position = 0;
  for (int i = m_nBuckets - 1; i >= 0; --i) {
    for (TITEM* item = m_aT[i]; item; item = item->pNext) {
      if (position++ == iIndex) return item->Key.GetData();
    }
  }
  return nullptr;
}

LPCWSTR CStringMapUI::operator[](int nIndex) const { return GetAt(nIndex); }

bool UIStrEqual(LPCWSTR a, LPCWSTR b) {
  if (a == nullptr) a = TEXT("");
  if (b == nullptr) b = TEXT("");
  while (*a && *a == *b) ++a, ++b;
  return *a == *b;
}

// ---------------------------------------------------------------------------------------------
// CRectUI, CSizeUI: coordinates wrap around on overflow, as 32-bit arithmetic does on Windows.

namespace {
LONG Wrap(int64_t v) { return static_cast<LONG>(static_cast<uint32_t>(v)); }
}  // namespace

CRectUI::CRectUI() : tagRECT{0, 0, 0, 0} {}

CRectUI::CRectUI(const RECT& src) : tagRECT(src) {}

CRectUI::CRectUI(LONG iLeft, LONG iTop, LONG iRight, LONG iBottom)
    : tagRECT{iLeft, iTop, iRight, iBottom} {}

LONG CRectUI::Width() const { return Wrap(int64_t{right} - left); }

LONG CRectUI::Height() const { return Wrap(int64_t{bottom} - top); }

void CRectUI::Union(const RECT& rc) {
  if (rc.left < left) left = rc.left;
  if (rc.top < top) top = rc.top;
  if (rc.right > right) right = rc.right;
  if (rc.bottom > bottom) bottom = rc.bottom;
}

void CRectUI::MoveToOrigin() {
  right = Width();
  bottom = Height();
  left = top = 0;
}

void CRectUI::Offset(LONG cx, LONG cy) {
  left = Wrap(int64_t{left} + cx);
  right = Wrap(int64_t{right} + cx);
  top = Wrap(int64_t{top} + cy);
  bottom = Wrap(int64_t{bottom} + cy);
}

void CRectUI::Deflate(LONG cx, LONG cy) {
  left = Wrap(int64_t{left} + cx);
  right = Wrap(int64_t{right} - cx);
  top = Wrap(int64_t{top} + cy);
  bottom = Wrap(int64_t{bottom} - cy);
}

CSizeUI::CSizeUI() : tagSIZE{0, 0} {}

CSizeUI::CSizeUI(const SIZE& src) : tagSIZE(src) {}

CSizeUI::CSizeUI(LONG cx, LONG cy) : tagSIZE{cx, cy} {}

}  // namespace SkinUI
