#include "Platform/NativeControls/EditText.h"

#include <algorithm>
#include <utility>

namespace Platform {
namespace {

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == 0x3000 || c == 0xA0; }

}  // namespace

void EditText::Reset(std::u16string text) {
  m_text = std::move(text);
  m_anchor = m_caret = 0;
  m_canUndo = false;
  m_typing = false;
}

size_t EditText::Snap(size_t i) const {
  i = std::min(i, m_text.size());
  if (i > 0 && i < m_text.size() && IsLow(m_text[i]) && IsHigh(m_text[i - 1])) --i;
  return i;
}

void EditText::Select(size_t anchor, size_t caret) {
  m_anchor = Snap(anchor);
  m_caret = Snap(caret);
  m_typing = false;
}

void EditText::Snapshot() {
  m_undoText = m_text;
  m_undoAnchor = m_anchor;
  m_undoCaret = m_caret;
  m_canUndo = true;
}

size_t EditText::Replace(std::u16string_view s, size_t limit, bool typing) {
  size_t start = SelStart(), end = SelEnd();
  size_t room = m_text.size() - (end - start);
  room = limit > room ? limit - room : 0;
  size_t take = std::min(room, s.size());
  if (take > 0 && take < s.size() && IsHigh(s[take - 1]) && IsLow(s[take])) --take;
  if (take == 0 && (!s.empty() || start == end)) return s.size();
  if (!(typing && m_typing && m_canUndo)) Snapshot();
  m_text.replace(start, end - start, s.substr(0, take));
  m_anchor = m_caret = start + take;
  m_typing = typing;
  return s.size() - take;
}

bool EditText::Delete(bool backward) {
  if (!HasSelection()) {
    if (backward && m_caret == 0) return false;
    if (!backward && m_caret == m_text.size()) return false;
    m_anchor = backward ? Prev(m_caret) : Next(m_caret);
  }
  Snapshot();
  size_t start = SelStart();
  m_text.erase(start, SelEnd() - start);
  m_anchor = m_caret = start;
  m_typing = false;
  return true;
}

bool EditText::Undo() {
  if (!m_canUndo) return false;
  std::swap(m_text, m_undoText);
  std::swap(m_anchor, m_undoAnchor);
  std::swap(m_caret, m_undoCaret);
  m_anchor = Snap(m_anchor);
  m_caret = Snap(m_caret);
  m_typing = false;
  return true;
}

size_t EditText::Prev(size_t i) const {
  i = Snap(i);
  if (i == 0) return 0;
  --i;
  if (i > 0 && IsLow(m_text[i]) && IsHigh(m_text[i - 1])) --i;
  return i;
}

size_t EditText::Next(size_t i) const {
  i = Snap(i);
  if (i >= m_text.size()) return m_text.size();
  if (IsHigh(m_text[i]) && i + 1 < m_text.size() && IsLow(m_text[i + 1])) return i + 2;
  return i + 1;
}

size_t EditText::WordLeft(size_t i) const {
  i = Snap(i);
  while (i > 0 && IsSpace(m_text[i - 1])) --i;
  while (i > 0 && !IsSpace(m_text[i - 1])) --i;
  return i;
}

size_t EditText::WordRight(size_t i) const {
  i = Snap(i);
  while (i < m_text.size() && !IsSpace(m_text[i])) ++i;
  while (i < m_text.size() && IsSpace(m_text[i])) ++i;
  return i;
}

void EditText::WordAround(size_t i, size_t* start, size_t* end) const {
  i = Snap(i);
  if (m_text.empty()) {
    *start = *end = 0;
    return;
  }
  // The character under the point decides; at the very end it is the one before.
  size_t probe = i < m_text.size() ? i : Prev(i);
  bool space = IsSpace(m_text[probe]);
  size_t s = probe, e = probe;
  while (s > 0 && IsSpace(m_text[s - 1]) == space) --s;
  while (e < m_text.size() && IsSpace(m_text[e]) == space) ++e;
  *start = Snap(s);
  *end = e;
}

}  // namespace Platform
