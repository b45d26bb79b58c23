// Walking the element table and reading attributes out of the parsed text.
#include "Core/SkinMarkup.h"
#include "Core/SkinMarkupChars.h"
#include "Utils/Utils.h"

namespace SkinUI {

namespace {

// Steps past the string at p and its terminator, never beyond `limit`.
inline const WCHAR* StepPastString(const WCHAR* p, const WCHAR* limit) {
  while (p < limit && *p) ++p;
  return p < limit ? p + 1 : p;
}

inline const WCHAR* SkipSpaceBefore(const WCHAR* p, const WCHAR* limit) {
  while (p < limit && IsMarkupSpace(*p)) ++p;
  return p;
}

}  // namespace

CSkinMarkupNode CSkinMarkupNode::GetNextSibling() const {
  if (!m_pOwner) return CSkinMarkupNode();
  const ULONG next = m_pOwner->m_pElements[m_iPos].iNext;
  return next ? CSkinMarkupNode(m_pOwner, next) : CSkinMarkupNode();
}

CSkinMarkupNode CSkinMarkupNode::GetFirstChild() const {
  if (!m_pOwner) return CSkinMarkupNode();
  const ULONG child = m_pOwner->m_pElements[m_iPos].iChild;
  return child ? CSkinMarkupNode(m_pOwner, child) : CSkinMarkupNode();
}

bool CSkinMarkupNode::HasChildren() const {
  return m_pOwner && m_pOwner->m_pElements[m_iPos].iChild != 0;
}

LPCTSTR CSkinMarkupNode::GetName() const {
  if (!m_pOwner) return nullptr;
  return m_pOwner->m_pstrText + m_pOwner->m_pElements[m_iPos].iStart;
}

// The attributes of an element lie between the end of its name and its text. The walk stays
// inside that stretch, so an element closed by "/>" at the very end of the document is safe.
void CSkinMarkupNode::MapAttributes() const {
  m_nAttributes = 0;
  const WCHAR* text = m_pOwner->m_pstrText;
  const CSkinMarkup::ElementRecord& record = m_pOwner->m_pElements[m_iPos];
  const WCHAR* limit = text + record.iData;
  const WCHAR* p = text + record.iStart;
  while (m_nAttributes < kMaxAttributes) {
    p = SkipSpaceBefore(StepPastString(p, limit), limit);
    if (p >= limit) return;
    const WCHAR* name = p;
    p = SkipSpaceBefore(StepPastString(p, limit), limit);
    if (p >= limit || *p != '"') return;
    ++p;
    m_aAttributes[m_nAttributes].iName = static_cast<ULONG>(name - text);
    m_aAttributes[m_nAttributes].iValue = static_cast<ULONG>(p - text);
    ++m_nAttributes;
  }
}

int CSkinMarkupNode::GetAttributeCount() const {
  if (!m_pOwner) return 0;
  if (m_nAttributes == 0) MapAttributes();
  return m_nAttributes;
}

bool CSkinMarkupNode::HasAttributes() const { return GetAttributeCount() > 0; }

LPCTSTR CSkinMarkupNode::GetAttributeName(int index) const {
  if (!m_pOwner) return nullptr;
  if (index < 0 || index >= GetAttributeCount()) return TEXT("");
  return m_pOwner->m_pstrText + m_aAttributes[index].iName;
}

LPCTSTR CSkinMarkupNode::GetAttributeValue(int index) const {
  if (!m_pOwner) return nullptr;
  if (index < 0 || index >= GetAttributeCount()) return TEXT("");
  return m_pOwner->m_pstrText + m_aAttributes[index].iValue;
}

bool CSkinMarkupNode::CopyAttributeValue(LPCTSTR name, LPTSTR buffer, SIZE_T capacity) const {
  if (!m_pOwner || !name) return false;
  const int count = GetAttributeCount();
  for (int i = 0; i < count; ++i) {
    if (!UIStrEqual(m_pOwner->m_pstrText + m_aAttributes[i].iName, name)) continue;
    const WCHAR* value = m_pOwner->m_pstrText + m_aAttributes[i].iValue;
    SIZE_T n = 0;
    for (; n < capacity && value[n]; ++n) buffer[n] = value[n];
    if (n < capacity) buffer[n] = 0;
    return true;
  }
  return false;
}

}  // namespace SkinUI
