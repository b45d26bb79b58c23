#pragma once
// The tools a tooltip control knows, and reading and writing the TOOLINFOW records that
// describe them.

#include <string>
#include <vector>

#include "Platform/Win32.h"

namespace Platform {

struct TooltipTool {
  UINT flags = 0;
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  RECT rect{};
  HINSTANCE instance = nullptr;
  std::u16string text;
  LPARAM lParam = 0;
};

// 1, 2 or 3 for a record size of one of the versions (as this build or a 32-bit build sizes
// them), 0 for any other size.
int ToolInfoVersion(UINT cbSize);

// Reads everything a record of its version holds. False, with a debug line, for a record of an
// unknown size or text this control does not keep (a callback or a resource id).
bool ReadToolInfo(const TOOLINFOW* info, TooltipTool* tool);
// Writes the tool into a record up to the fields of the record's version. The text is not
// copied: the record carries no buffer size, so TTM_GETTEXTW is the way to read it.
void WriteToolInfo(const TooltipTool& tool, TOOLINFOW* info);

class TooltipTools {
 public:
  // The tool a record names by its window and id, or nullptr.
  TooltipTool* Find(HWND hwnd, UINT_PTR id);
  TooltipTool* At(size_t index) { return index < m_tools.size() ? &m_tools[index] : nullptr; }
  // Adds a tool; false when one of that window and id exists already.
  bool Add(const TooltipTool& tool);
  bool Remove(HWND hwnd, UINT_PTR id);
  size_t Count() const { return m_tools.size(); }

 private:
  std::vector<TooltipTool> m_tools;
};

}  // namespace Platform
