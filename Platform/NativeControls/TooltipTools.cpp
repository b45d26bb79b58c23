// The tools a tooltip control knows and the TOOLINFOW records that describe them.
#include "Platform/NativeControls/TooltipTools.h"

#include <algorithm>

#include "Platform/Kernel/Unsupported.h"

namespace Platform {

int ToolInfoVersion(UINT cbSize) {
  switch (cbSize) {
    case TTTOOLINFOW_V1_SIZE:
    case TTTOOLINFOW_V1_SIZE_32: return 1;
    case TTTOOLINFOW_V2_SIZE:
    case TTTOOLINFOW_V2_SIZE_32: return 2;
    case TTTOOLINFOW_V3_SIZE:
    case TTTOOLINFOW_V3_SIZE_32: return 3;
    default: return 0;
  }
}

bool ReadToolInfo(const TOOLINFOW* info, TooltipTool* tool) {
  if (info == nullptr) return false;
  int version = ToolInfoVersion(info->cbSize);
  if (version == 0) {
    OutputDebugStringW(u"tooltip: TOOLINFOW refused, cbSize is not a known version's size\n");
    return false;
  }
  if (info->lpszText == LPSTR_TEXTCALLBACKW) {
    ReportUnsupported("tooltips_class32", "LPSTR_TEXTCALLBACKW text (give the text itself)");
    return false;
  }
  if (info->lpszText != nullptr && IS_INTRESOURCE(info->lpszText)) {
    ReportUnsupported("tooltips_class32", "text as a string resource id");
    return false;
  }
  tool->flags = info->uFlags;
  tool->hwnd = info->hwnd;
  tool->id = info->uId;
  tool->rect = info->rect;
  tool->instance = info->hinst;
  tool->text = info->lpszText != nullptr ? info->lpszText : u"";
  tool->lParam = version >= 2 ? info->lParam : 0;
  return true;
}

void WriteToolInfo(const TooltipTool& tool, TOOLINFOW* info) {
  int version = ToolInfoVersion(info->cbSize);
  info->uFlags = tool.flags;
  info->hwnd = tool.hwnd;
  info->uId = tool.id;
  info->rect = tool.rect;
  info->hinst = tool.instance;
  if (version >= 2) info->lParam = tool.lParam;
}

TooltipTool* TooltipTools::Find(HWND hwnd, UINT_PTR id) {
  auto it = std::find_if(m_tools.begin(), m_tools.end(),
                         [&](const TooltipTool& t) { return t.hwnd == hwnd && t.id == id; });
  return it != m_tools.end() ? &*it : nullptr;
}

bool TooltipTools::Add(const TooltipTool& tool) {
  if (Find(tool.hwnd, tool.id) != nullptr) return false;
  m_tools.push_back(tool);
  return true;
}

bool TooltipTools::Remove(HWND hwnd, UINT_PTR id) {
  return std::erase_if(m_tools,
                       [&](const TooltipTool& t) { return t.hwnd == hwnd && t.id == id; }) > 0;
}

}  // namespace Platform
