#pragma once
// The framework's small value types: a wide string with an inline buffer, an array of untyped
// pointers, a string-keyed hash map, rectangle and size, the trace writer and the assertion
// macro. None of them is thread-safe.

#include "Platform/Win32.h"

namespace SkinUI {

// Reports a failed assertion ("file(line): Assertion failed: expression") to the debug output.
void ReportAssertion(const char* expression, const char* file, int line);

// Ordinal equality of two texts, code unit by code unit; a null text equals the empty one.
bool UIStrEqual(LPCWSTR a, LPCWSTR b);

// Writes one formatted line (wsprintfW dialect, at most 298 characters, then "\n") to the debug
// output.
void Trace(LPCWSTR pstrFormat, ...);

}  // namespace SkinUI

// Checks a programming-error condition. Active in every build: a failure is reported to the
// debug output with the expression, file and line, and execution continues unchanged.
#ifndef ASSERT
#define ASSERT(expr) \
  ((expr) ? static_cast<void>(0) : ::SkinUI::ReportAssertion(#expr, __FILE__, __LINE__))
#endif

namespace SkinUI {

// Zero-terminated UTF-16 text with value semantics. Texts of up to 62 characters live in the
// inline buffer; longer ones in a heap block owned by the string.
class CUIString {
 public:
  enum { MAX_LOCAL_STRING_LEN = 62 };

  CUIString();
  CUIString(WCHAR ch);
  CUIString(LPCWSTR lpsz, int nLen = -1);
  CUIString(const CUIString& src);
  CUIString(CUIString&& src) noexcept;
  ~CUIString();

  void Empty();
  int GetLength() const;
  bool IsEmpty() const;
  WCHAR GetAt(int nIndex) const;
  void Append(LPCWSTR pstr);
  void Assign(LPCWSTR pstr, int nLength = -1);
  LPCWSTR GetData() const;

  WCHAR operator[](int nIndex) const;
  operator LPCWSTR() const;

  const CUIString& operator=(const CUIString& src);
  const CUIString& operator=(CUIString&& src) noexcept;
  const CUIString& operator=(LPCWSTR lpStr);
  const CUIString& operator=(WCHAR ch);

  CUIString operator+(const CUIString& src) const;
  CUIString operator+(LPCWSTR pstr) const;
  const CUIString& operator+=(const CUIString& src);
  const CUIString& operator+=(LPCWSTR pstr);
  const CUIString& operator+=(WCHAR ch);

  bool operator==(LPCWSTR str) const;
  bool operator!=(LPCWSTR str) const;
  bool operator==(const CUIString& str) const;
  bool operator!=(const CUIString& str) const;

  // Ordinal comparison of code units: negative, 0 or positive. A null text compares as empty.
  int Compare(LPCWSTR pstr) const;
  // The same with each code unit upper-cased first (simple Unicode case mapping).
  int CompareNoCase(LPCWSTR pstr) const;

  // Lower-cases ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic and full-width Latin capitals;
  // other characters (and the few that change length when lower-cased) are left as they are.
  void MakeLower();

  CUIString Left(int nLength) const;
  CUIString Mid(int iPos, int nLength = -1) const;
  CUIString Right(int nLength) const;

  int Find(LPCWSTR pstrSub, int iPos = 0) const;
  int ReverseFind(WCHAR ch) const;
  int Replace(LPCWSTR pstrFrom, LPCWSTR pstrTo);

  // printf-style formatting (wvsprintfW dialect). Format keeps up to 1023 characters and returns
  // the formatter's count; SmallFormat keeps up to 63 and returns the length kept.
  int Format(LPCWSTR pstrFormat, ...);
  int SmallFormat(LPCWSTR pstrFormat, ...);

 private:
  bool IsInline() const { return m_pstr == m_szBuffer; }
  void MakeRoom(int nLength, bool keepText);
  void SetLength(int nLength);

  LPWSTR m_pstr;
  WCHAR m_szBuffer[MAX_LOCAL_STRING_LEN + 2];
};

// Growable array of untyped pointers; it never owns what they point to.
class CPtrArrayUI {
 public:
  explicit CPtrArrayUI(int iPreallocSize = 0);
  CPtrArrayUI(const CPtrArrayUI& src);
  CPtrArrayUI& operator=(const CPtrArrayUI& src);
  ~CPtrArrayUI();

  void Empty();
  // Frees the slots and allocates iSize zeroed ones; count = capacity = iSize. False (and an
  // empty array) when the allocation fails.
  bool Resize(int iSize);
  bool IsEmpty() const;
  int Find(LPVOID iIndex) const;
  bool Add(LPVOID pData);
  bool InsertAt(int iIndex, LPVOID pData);
  bool Remove(int iIndex);
  int GetSize() const;
  int GetCapacity() const;
  LPVOID* GetData();

  LPVOID GetAt(int iIndex) const;
  // The caller keeps iIndex in range; an index outside reports an assertion and yields null.
  LPVOID operator[](int iIndex) const;

 private:
  bool Grow();

  LPVOID* m_ppVoid;
  int m_nCount;
  int m_nAllocated;
};

// Hash map from text (case-sensitive) to untyped pointer. It owns copies of its keys, never the
// data. Chains are self-organising: a lookup moves the item found to the front of its chain.
class CStringMapUI {
 public:
  explicit CStringMapUI(int nSize = 83);
  CStringMapUI(const CStringMapUI&) = delete;
  CStringMapUI& operator=(const CStringMapUI&) = delete;
  ~CStringMapUI();

  // Frees every item and replaces the buckets by nSize empty chains (negative counts as 0).
  void Resize(int nSize = 83);
  LPVOID Find(LPCWSTR key, bool optimize = true) const;
  // Adds a new item; false when there are no buckets, the key is null or already present.
  bool Insert(LPCWSTR key, LPVOID pData);
  // Replaces the data of key and returns the old data, or inserts and returns null.
  LPVOID Set(LPCWSTR key, LPVOID pData);
  bool Remove(LPCWSTR key);
  void RemoveAll();
  int GetSize() const;
  int GetBucketCount() const;
  // Key of the iIndex-th item, visiting buckets from the last down and each chain from its
  // head; null when out of range.
  LPCWSTR GetAt(int iIndex) const;
  LPCWSTR operator[](int nIndex) const;

  // hash = hash * 33 + unit, over the units from the last to the first (mod 2^32).
  static UINT HashKey(LPCWSTR key);

 private:
  struct TITEM {
    CUIString Key;
    LPVOID Data;
    TITEM* pPrev;
    TITEM* pNext;
  };

  TITEM* Lookup(LPCWSTR key, int* pBucket) const;
  void Unlink(TITEM* pItem, int iBucket) const;
  void LinkAtHead(TITEM* pItem, int iBucket) const;
  void FreeItems();

  TITEM** m_aT;
  int m_nBuckets;
  int m_nCount;
};

// A RECT with helpers; it is a RECT, so it goes wherever a RECT* is expected.
class CRectUI : public tagRECT {
 public:
  CRectUI();
  CRectUI(const RECT& src);
  CRectUI(LONG iLeft, LONG iTop, LONG iRight, LONG iBottom);

  LONG Width() const;
  LONG Height() const;
  void Union(const RECT& rc);
  void MoveToOrigin();
  void Offset(LONG cx, LONG cy);
  void Deflate(LONG cx, LONG cy);

  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }
};

// A SIZE (cx, cy); also used as a pair of coordinates.
class CSizeUI : public tagSIZE {
 public:
  CSizeUI();
  CSizeUI(const SIZE& src);
  CSizeUI(LONG cx, LONG cy);
};

}  // namespace SkinUI
