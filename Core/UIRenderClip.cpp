// Clip scopes: a control narrows the clip while it paints its inside and the clip in force
// before comes back when the scope ends.

#include "Core/UIRender.h"

namespace SkinUI {

namespace {

// Starts a scope on hDC: records the current clip box as the outer region and intersects the
// clip with `region`, which the scope takes over.
void BeginScope(HDC hDC, const RECT& rc, HRGN region, HDC& scopeDC, RECT& scopeRect, HRGN& scopeRgn,
                HRGN& outerRgn) {
  RECT box = {0, 0, 0, 0};
  GetClipBox(hDC, &box);
  outerRgn = CreateRectRgnIndirect(&box);
  scopeRgn = region;
  ExtSelectClipRgn(hDC, scopeRgn, RGN_AND);
  scopeDC = hDC;
  scopeRect = rc;
}

// Ends a scope: the outer clip comes back and both regions go.
void EndScope(HDC& scopeDC, HRGN& scopeRgn, HRGN& outerRgn) {
  if (scopeDC && outerRgn) SelectClipRgn(scopeDC, outerRgn);
  if (scopeRgn) DeleteObject(scopeRgn);
  if (outerRgn) DeleteObject(outerRgn);
  scopeDC = nullptr;
  scopeRgn = outerRgn = nullptr;
}

}  // namespace

ClipScope::~ClipScope() { EndScope(m_hDC, m_hRgn, m_hOldRgn); }

// A scope used again ends its earlier narrowing first.
void ClipScope::ClipToRect(HDC hDC, const RECT& rc, ClipScope& clip) {
  EndScope(clip.m_hDC, clip.m_hRgn, clip.m_hOldRgn);
  BeginScope(hDC, rc, CreateRectRgnIndirect(&rc), clip.m_hDC, clip.m_rcItem, clip.m_hRgn,
             clip.m_hOldRgn);
}

void ClipScope::ClipToRoundRect(HDC hDC, const RECT& rc, const RECT& rcItem, int width, int height,
                                ClipScope& clip) {
  EndScope(clip.m_hDC, clip.m_hRgn, clip.m_hOldRgn);
  HRGN region = CreateRectRgnIndirect(&rc);
  HRGN round = CreateRoundRectRgn(rcItem.left, rcItem.top, rcItem.right + 1, rcItem.bottom + 1,
                                  width, height);
  if (region && round) CombineRgn(region, region, round, RGN_AND);
  if (round) DeleteObject(round);
  BeginScope(hDC, rc, region, clip.m_hDC, clip.m_rcItem, clip.m_hRgn, clip.m_hOldRgn);
}

void ClipScope::UseOuterClipBegin(HDC hDC, ClipScope& clip) {
  if (clip.m_hOldRgn) SelectClipRgn(hDC, clip.m_hOldRgn);
}

// The scope's clip again: its own region within the outer clip, so that something painted
// after the outer part cannot spill past the clip the scope began inside.
void ClipScope::UseOuterClipEnd(HDC hDC, ClipScope& clip) {
  if (clip.m_hOldRgn) SelectClipRgn(hDC, clip.m_hOldRgn);
  if (clip.m_hRgn) ExtSelectClipRgn(hDC, clip.m_hRgn, RGN_AND);
}

}  // namespace SkinUI
