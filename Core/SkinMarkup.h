#pragma once
// The reader of the skin's layout files: a small non-validating XML-like markup, parsed in place
// into one flat table of elements and walked through CSkinMarkupNode values.

#include "Platform/Win32.h"

namespace SkinUI {

enum class MarkupEncoding : int { Utf8 = 0, Utf16 = 1, Ansi = 2 };

class CSkinMarkup;

// A view of one element. Owns nothing; valid only while its document keeps what it loaded.
class CSkinMarkupNode {
 public:
  CSkinMarkupNode() = default;

  bool IsValid() const { return m_pOwner != nullptr; }
  CSkinMarkupNode GetNextSibling() const;
  CSkinMarkupNode GetFirstChild() const;
  bool HasChildren() const;
  LPCTSTR GetName() const;

  // The attributes are mapped on the first question (at most kMaxAttributes of them).
  int GetAttributeCount() const;
  bool HasAttributes() const;
  LPCTSTR GetAttributeName(int index) const;
  LPCTSTR GetAttributeValue(int index) const;
  // Copies at most `capacity` characters of the value of the first attribute called exactly
  // `name`; adds no terminator when the value has `capacity` characters or more.
  bool CopyAttributeValue(LPCTSTR name, LPTSTR buffer, SIZE_T capacity) const;

  static constexpr int kMaxAttributes = 64;

 private:
  friend class CSkinMarkup;
  CSkinMarkupNode(const CSkinMarkup* owner, ULONG element) : m_iPos(element), m_pOwner(owner) {}
  void MapAttributes() const;

  struct AttributeSpot {
    ULONG iName;
    ULONG iValue;
  };
  ULONG m_iPos = 0;
  mutable int m_nAttributes = 0;  // 0: not mapped yet
  mutable AttributeSpot m_aAttributes[kMaxAttributes];
  const CSkinMarkup* m_pOwner = nullptr;
};

class CSkinMarkup {
 public:
  explicit CSkinMarkup(LPCTSTR markup = nullptr);
  ~CSkinMarkup();
  CSkinMarkup(const CSkinMarkup&) = delete;
  CSkinMarkup& operator=(const CSkinMarkup&) = delete;

  // Every load starts from an empty document; a failed one leaves it empty.
  bool LoadText(LPCTSTR text);
  // May change `data` (big-endian UTF-16 is swapped in place).
  bool LoadBytes(BYTE* data, DWORD size, MarkupEncoding encoding = MarkupEncoding::Utf8);
  // A layout file of the skin: a loose file in the resource folder or an archive entry.
  bool LoadFile(LPCTSTR name, MarkupEncoding encoding = MarkupEncoding::Utf8);
  void Clear();

  CSkinMarkupNode GetRoot() const;

  // Why the last load failed, and the text where parsing stopped (empty for load errors).
  LPCTSTR GetLastErrorMessage() const { return m_szErrorMsg; }
  LPCTSTR GetLastErrorLocation() const { return m_szErrorXML; }

  static constexpr DWORD kMaxFileSize = 0x400000;

 private:
  friend class CSkinMarkupNode;

  struct ElementRecord {
    ULONG iStart;   // tag name
    ULONG iChild;   // first child, 0 = none
    ULONG iNext;    // next sibling, 0 = none
    ULONG iParent;  // 0 for a top-level element
    ULONG iData;    // text content
  };

  // Takes over `text` (allocated with malloc) and parses it; a failure empties the document.
  bool ParseOwnedText(WCHAR* text);
  bool Parse();
  bool ParseElement(WCHAR*& p, ULONG& parent, ULONG& previous, bool& finished);
  bool ParseAttributes(WCHAR*& p);
  bool CloseElement(ULONG element, WCHAR*& p);
  bool AppendElement(ULONG start, ULONG parent, ULONG* index);
  // Records why loading failed and where (location null for load errors); always false.
  bool Fail(const char* message, const WCHAR* location);
  void ClearErrors();

  WCHAR* m_pstrText = nullptr;
  ElementRecord* m_pElements = nullptr;
  ULONG m_nElements = 0;
  ULONG m_nReservedElements = 0;
  WCHAR m_szErrorMsg[100] = {};
  WCHAR m_szErrorXML[50] = {};
};

}  // namespace SkinUI
