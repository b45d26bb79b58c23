// Skinned images: image attribute strings drawn through the manager's image cache, and a part
// of a bitmap drawn as nine pieces (fixed corners, stretched edges, a stretched or tiled middle).

#include "Core/UIImageAttr.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

namespace SkinUI {

namespace {

constexpr LONGLONG kIntMax = 0x7FFFFFFF;
constexpr LONGLONG kIntMin = -0x7FFFFFFFll - 1;

bool FitsInt(LONGLONG v) { return v >= kIntMin && v <= kIntMax; }

// What every piece of one grid draw shares.
struct GridTarget {
  HDC hDC;
  HDC memDC;
  RECT rcPaint;
  LONG bmWidth;
  LONG bmHeight;
  bool blend;
  BLENDFUNCTION bf;
};

struct Span {
  LONGLONG x, y, w, h;
};

// A rectangle in 64-bit coordinates: sums of skin numbers cannot overflow it.
struct Box {
  LONGLONG left, top, right, bottom;
};

bool MeetsPaint(const RECT& paint, const Span& d) {
  return d.w > 0 && d.h > 0 && d.x < paint.right && d.x + d.w > paint.left && d.y < paint.bottom &&
         d.y + d.h > paint.top;
}

// Keeps the source span inside [0, limit) on one axis; false when nothing is left.
bool ClampSource(LONGLONG& start, LONGLONG& extent, LONG limit) {
  if (start < 0) {
    extent += start;
    start = 0;
  }
  if (start + extent > limit) extent = limit - start;
  return extent > 0;
}

// Draws source span s of the bitmap into destination span d. Pieces with an extent that is not
// positive (they would be drawn mirrored) and pieces outside the paint rectangle are skipped;
// the source is kept inside the bitmap, which the platform requires.
void DrawPiece(const GridTarget& t, Span d, Span s) {
  if (d.w <= 0 || d.h <= 0 || s.w <= 0 || s.h <= 0) return;
  if (!MeetsPaint(t.rcPaint, d)) return;
  if (!ClampSource(s.x, s.w, t.bmWidth) || !ClampSource(s.y, s.h, t.bmHeight)) return;
  if (!FitsInt(d.x) || !FitsInt(d.y) || !FitsInt(d.w) || !FitsInt(d.h) || !FitsInt(d.x + d.w) ||
      !FitsInt(d.y + d.h))
    return;
  const int dx = static_cast<int>(d.x), dy = static_cast<int>(d.y);
  const int dw = static_cast<int>(d.w), dh = static_cast<int>(d.h);
  const int sx = static_cast<int>(s.x), sy = static_cast<int>(s.y);
  const int sw = static_cast<int>(s.w), sh = static_cast<int>(s.h);
  if (t.blend) {
    AlphaBlend(t.hDC, dx, dy, dw, dh, t.memDC, sx, sy, sw, sh, t.bf);
  } else if (dw == sw && dh == sh) {
    BitBlt(t.hDC, dx, dy, dw, dh, t.memDC, sx, sy, SRCCOPY);
  } else {
    StretchBlt(t.hDC, dx, dy, dw, dh, t.memDC, sx, sy, sw, sh, SRCCOPY);
  }
}

// The first tile index whose tile may reach the paint rectangle, and the end of the tiled range
// that the paint rectangle can see: tiles before and after are never drawn, so they are not
// visited (a one-pixel tile over a huge destination stays cheap).
LONGLONG FirstTile(LONGLONG start, LONGLONG tile, LONG paintStart) {
  return paintStart > start ? (paintStart - start) / tile : 0;
}

// The middle piece: stretched, or tiled along one or both axes. mid is the destination middle,
// (sx, sy, mw, mh) the source middle; both extents of the source middle are positive.
void DrawMiddle(const GridTarget& t, const Box& mid, LONGLONG sx, LONGLONG sy, LONGLONG mw,
                LONGLONG mh, bool tiledX, bool tiledY) {
  const LONGLONG midW = mid.right - mid.left;
  const LONGLONG midH = mid.bottom - mid.top;
  if (!tiledX && !tiledY) {
    DrawPiece(t, {mid.left, mid.top, midW, midH}, {sx, sy, mw, mh});
    return;
  }
  const LONGLONG stepX = tiledX ? mw : midW;
  const LONGLONG stepY = tiledY ? mh : midH;
  if (stepX <= 0 || stepY <= 0) return;
  const LONGLONG endX = mid.right < t.rcPaint.right ? mid.right : LONGLONG{t.rcPaint.right};
  const LONGLONG endY = mid.bottom < t.rcPaint.bottom ? mid.bottom : LONGLONG{t.rcPaint.bottom};
  for (LONGLONG row = FirstTile(mid.top, stepY, t.rcPaint.top);; ++row) {
    const LONGLONG y = mid.top + row * stepY;
    if (y >= endY) break;
    const LONGLONG h = tiledY ? (y + mh > mid.bottom ? mid.bottom - y : mh) : midH;
    for (LONGLONG col = FirstTile(mid.left, stepX, t.rcPaint.left);; ++col) {
      const LONGLONG x = mid.left + col * stepX;
      if (x >= endX) break;
      const LONGLONG w = tiledX ? (x + mw > mid.right ? mid.right - x : mw) : midW;
      // A cut tile shows the leading part of the source middle, unscaled along the tiled axis.
      DrawPiece(t, {x, y, w, h}, {sx, sy, tiledX ? w : mw, tiledY ? h : mh});
    }
  }
}

// The eight border pieces, each drawn only where its corner sizes ask for it.
void DrawBorders(const GridTarget& t, const RECT& D, const RECT& S, const RECT& K, LONGLONG mw,
                 LONGLONG mh) {
  const LONGLONG dw = static_cast<LONGLONG>(D.right) - D.left - K.left - K.right;
  const LONGLONG dh = static_cast<LONGLONG>(D.bottom) - D.top - K.top - K.bottom;
  const LONGLONG dRight = static_cast<LONGLONG>(D.right) - K.right;
  const LONGLONG dBottom = static_cast<LONGLONG>(D.bottom) - K.bottom;
  const LONGLONG sRight = static_cast<LONGLONG>(S.right) - K.right;
  const LONGLONG sBottom = static_cast<LONGLONG>(S.bottom) - K.bottom;
  const LONGLONG dMidX = static_cast<LONGLONG>(D.left) + K.left;
  const LONGLONG dMidY = static_cast<LONGLONG>(D.top) + K.top;
  const LONGLONG sMidX = static_cast<LONGLONG>(S.left) + K.left;
  const LONGLONG sMidY = static_cast<LONGLONG>(S.top) + K.top;
  if (K.left > 0 && K.top > 0)
    DrawPiece(t, {D.left, D.top, K.left, K.top}, {S.left, S.top, K.left, K.top});
  if (K.top > 0) DrawPiece(t, {dMidX, D.top, dw, K.top}, {sMidX, S.top, mw, K.top});
  if (K.right > 0 && K.top > 0)
    DrawPiece(t, {dRight, D.top, K.right, K.top}, {sRight, S.top, K.right, K.top});
  if (K.left > 0) DrawPiece(t, {D.left, dMidY, K.left, dh}, {S.left, sMidY, K.left, mh});
  if (K.right > 0) DrawPiece(t, {dRight, dMidY, K.right, dh}, {sRight, sMidY, K.right, mh});
  if (K.left > 0 && K.bottom > 0)
    DrawPiece(t, {D.left, dBottom, K.left, K.bottom}, {S.left, sBottom, K.left, K.bottom});
  if (K.bottom > 0) DrawPiece(t, {dMidX, dBottom, dw, K.bottom}, {sMidX, sBottom, mw, K.bottom});
  if (K.right > 0 && K.bottom > 0)
    DrawPiece(t, {dRight, dBottom, K.right, K.bottom}, {sRight, sBottom, K.right, K.bottom});
}

bool Intersects(const RECT& a, const RECT& b) {
  RECT out;
  return IntersectRect(&out, &a, &b) != FALSE;
}

// An unscaled copy of the part of D that lies inside the paint rectangle.
void CopyWhole(const GridTarget& t, const RECT& D, const RECT& S) {
  RECT part;
  if (!IntersectRect(&part, &D, &t.rcPaint)) return;
  const LONGLONG sx = static_cast<LONGLONG>(S.left) + part.left - D.left;
  const LONGLONG sy = static_cast<LONGLONG>(S.top) + part.top - D.top;
  DrawPiece(t,
            {part.left, part.top, static_cast<LONGLONG>(part.right) - part.left,
             static_cast<LONGLONG>(part.bottom) - part.top},
            {sx, sy, static_cast<LONGLONG>(part.right) - part.left,
             static_cast<LONGLONG>(part.bottom) - part.top});
}

struct AttrDraw {
  HDC hDC;
  CPaintManagerUI* pManager;
  const RECT& rcItem;
  const RECT& rcPaint;
};

void DrawParams(const TImageDrawParams& p, void* context) {
  const AttrDraw* d = static_cast<const AttrDraw*>(context);
  CDrawEngine::DrawNamedImage(d->hDC, d->pManager, d->rcItem, d->rcPaint, p.sName, p.sResType,
                              p.rcDest, p.rcSource, p.rcCorner, p.dwMask, p.bFade, p.bHole,
                              p.bTiledX, p.bTiledY);
}

}  // namespace

bool CDrawEngine::DrawImageAttribute(HDC hDC, CPaintManagerUI* pManager, const RECT& rcItem,
                                     const RECT& rcPaint, LPCWSTR pStrImage, LPCWSTR pStrModify) {
  if (!pManager || !hDC) return false;
  TImageDrawParams params;
  params.sName = pStrImage ? pStrImage : TEXT("");
  params.rcDest = rcItem;
  AttrDraw draw{hDC, pManager, rcItem, rcPaint};
  ReadImageAttribute(pStrImage, rcItem, params, DrawParams, &draw);
  ReadImageAttribute(pStrModify, rcItem, params, DrawParams, &draw);
  DrawParams(params, &draw);
  return true;
}

bool CDrawEngine::DrawNamedImage(HDC hDC, CPaintManagerUI* pManager, const RECT& rcItem,
                                 const RECT& rcPaint, const CUIString& sImageName,
                                 const CUIString& sImageResType, RECT rcItemDest, RECT rcBmpPart,
                                 RECT rcCorner, DWORD dwMask, BYTE bFade, bool bHole, bool bTiledX,
                                 bool bTiledY) {
  if (sImageName.IsEmpty() || !pManager) return false;
  const TImageEntry* image = pManager->ImageFor(
      sImageName, sImageResType.IsEmpty() ? nullptr : sImageResType.GetData(), dwMask);
  if (!image) return false;
  if (rcBmpPart.left == 0 && rcBmpPart.top == 0 && rcBmpPart.right == 0 && rcBmpPart.bottom == 0) {
    rcBmpPart = RECT{0, 0, image->nWidth, image->nHeight};
  }
  if (rcBmpPart.right > image->nWidth) rcBmpPart.right = image->nWidth;
  if (rcBmpPart.bottom > image->nHeight) rcBmpPart.bottom = image->nHeight;
  if (Intersects(rcItemDest, rcItem) && Intersects(rcItemDest, rcPaint)) {
    DrawImageGrid(hDC, image->hBitmap, rcItemDest, rcPaint, rcBmpPart, rcCorner, image->bHasAlpha,
                  bFade, bHole, bTiledX, bTiledY);
  }
  return true;
}

void CDrawEngine::DrawImageGrid(HDC hDC, HBITMAP hBitmap, const RECT& rcDest, const RECT& rcPaint,
                                const RECT& rcBmpPart, const RECT& rcCorners, bool bAlpha,
                                BYTE uFade, bool bHole, bool bTiledX, bool bTiledY) {
  if (!hDC || !hBitmap) return;
  BITMAP bm = {};
  if (!GetObjectW(hBitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return;
  HDC memDC = CreateCompatibleDC(hDC);
  if (!memDC) return;
  HGDIOBJ oldBitmap = SelectObject(memDC, hBitmap);
  const int oldMode = SetStretchBltMode(hDC, HALFTONE);
  const bool blend = bAlpha || uFade < 255;
  const GridTarget t = {hDC,
                        memDC,
                        rcPaint,
                        bm.bmWidth,
                        bm.bmHeight,
                        blend,
                        BLENDFUNCTION{AC_SRC_OVER, 0, uFade, AC_SRC_ALPHA}};
  const RECT& D = rcDest;
  const RECT& S = rcBmpPart;
  const RECT& K = rcCorners;
  const bool noCorners = K.left == 0 && K.top == 0 && K.right == 0 && K.bottom == 0;
  const LONGLONG dw = static_cast<LONGLONG>(D.right) - D.left;
  const LONGLONG dh = static_cast<LONGLONG>(D.bottom) - D.top;
  if (!blend && noCorners && dw == static_cast<LONGLONG>(S.right) - S.left &&
      dh == static_cast<LONGLONG>(S.bottom) - S.top) {
    CopyWhole(t, D, S);
  } else {
    const LONGLONG mw = static_cast<LONGLONG>(S.right) - S.left - K.left - K.right;
    const LONGLONG mh = static_cast<LONGLONG>(S.bottom) - S.top - K.top - K.bottom;
    const Box mid = {static_cast<LONGLONG>(D.left) + K.left, static_cast<LONGLONG>(D.top) + K.top,
                     static_cast<LONGLONG>(D.right) - K.right,
                     static_cast<LONGLONG>(D.bottom) - K.bottom};
    // An empty or negative source middle has nothing to stretch or tile.
    if (!bHole && mw > 0 && mh > 0 &&
        MeetsPaint(rcPaint, {mid.left, mid.top, mid.right - mid.left, mid.bottom - mid.top})) {
      DrawMiddle(t, mid, static_cast<LONGLONG>(S.left) + K.left,
                 static_cast<LONGLONG>(S.top) + K.top, mw, mh, bTiledX, bTiledY);
    }
    DrawBorders(t, D, S, K, mw, mh);
  }
  if (oldMode) SetStretchBltMode(hDC, oldMode);
  SelectObject(memDC, oldBitmap);
  DeleteDC(memDC);
}

}  // namespace SkinUI
