#pragma once
// The text of a single-line edit control with its selection and one step of undo, without any
// window: positions are UTF-16 indexes and never fall inside a surrogate pair.

#include <cstddef>
#include <string>
#include <string_view>

namespace Platform {

class EditText {
 public:
  const std::u16string& Text() const { return m_text; }
  size_t Length() const { return m_text.size(); }
  size_t Anchor() const { return m_anchor; }
  size_t Caret() const { return m_caret; }
  size_t SelStart() const { return m_anchor < m_caret ? m_anchor : m_caret; }
  size_t SelEnd() const { return m_anchor < m_caret ? m_caret : m_anchor; }
  bool HasSelection() const { return m_anchor != m_caret; }

  // New text, caret at the start, undo forgotten.
  void Reset(std::u16string text);
  // Selection from anchor to caret, clamped to the text and moved off the middle of a pair.
  void Select(size_t anchor, size_t caret);

  // Replaces the selection with as much of s as keeps the text within limit units, never
  // cutting a surrogate pair; the caret ends after the insertion. Returns the number of units
  // of s that did not fit. typing joins consecutive insertions into one undo step.
  size_t Replace(std::u16string_view s, size_t limit, bool typing);
  // Deletes the selection, or the character before (backward) or after the caret. Returns
  // whether anything was deleted.
  bool Delete(bool backward);

  bool CanUndo() const { return m_canUndo; }
  // Swaps in the text before the last change, so a second undo redoes it.
  bool Undo();
  void ForgetUndo() { m_canUndo = false; }
  // Ends a run of typing, so the next insertion starts its own undo step.
  void BreakTyping() { m_typing = false; }

  size_t Prev(size_t i) const;  // the character boundary before i
  size_t Next(size_t i) const;  // the character boundary after i
  size_t WordLeft(size_t i) const;
  size_t WordRight(size_t i) const;
  // The run of word characters (or of spaces) around i, as a double click selects it.
  void WordAround(size_t i, size_t* start, size_t* end) const;
  size_t Snap(size_t i) const;  // i moved back off the middle of a pair

 private:
  void Snapshot();

  std::u16string m_text;
  size_t m_anchor = 0;
  size_t m_caret = 0;
  std::u16string m_undoText;
  size_t m_undoAnchor = 0;
  size_t m_undoCaret = 0;
  bool m_canUndo = false;
  bool m_typing = false;
};

}  // namespace Platform
