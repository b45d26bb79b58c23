#pragma once
// The drawing engine: stateless routines controls draw with. Skin images (loaded into 32-bit
// premultiplied bitmaps, drawn as nine pieces from image attribute strings), plain and rich text,
// colour fills and gradients, outlines, the hue/saturation/lightness shift and clip scopes.
// Colours are 0xAARRGGBB everywhere. UI thread only.
//
// Files: UIRender.cpp (image loading), UIRenderImage.cpp (image strings and nine-piece drawing),
// UIRenderColor.cpp (fills, gradients, outlines, AdjustColor), UIRenderClip.cpp (clip scopes),
// UIRenderText.cpp (plain and rich text).

#include "Platform/Win32.h"
#include "Utils/Utils.h"

namespace SkinUI {

class CPaintManagerUI;

// A loaded skin image: a 32-bit top-down bitmap, blue, green, red, alpha in memory, colours
// premultiplied by alpha.
struct TImageEntry {
  HBITMAP hBitmap = nullptr;
  int nWidth = 0;
  int nHeight = 0;
  bool bHasAlpha = false;  // some pixel is not fully opaque, or matched the colour key
  CUIString sResType;      // the embedded-resource type it came from; empty otherwise
  DWORD dwMask = 0;        // the colour key (AARRGGBB) it was loaded with; 0 for none
};

// A temporary narrowing of a device context's clip. The clip in force when the scope begins is
// restored (as its bounding box) when the scope ends, i.e. when the object is destroyed. Scopes
// nest in paint order.
class ClipScope {
 public:
  ClipScope() = default;
  ~ClipScope();
  ClipScope(const ClipScope&) = delete;
  ClipScope& operator=(const ClipScope&) = delete;

  static void ClipToRect(HDC hDC, const RECT& rc, ClipScope& clip);
  static void ClipToRoundRect(HDC hDC, const RECT& rc, const RECT& rcItem, int width, int height,
                              ClipScope& clip);
  // Selects the clip that was in force when the scope began (for floating children and scroll
  // bars that must not be cut by the scope); UseOuterClipEnd selects the scope's own clip again.
  static void UseOuterClipBegin(HDC hDC, ClipScope& clip);
  static void UseOuterClipEnd(HDC hDC, ClipScope& clip);

 private:
  HDC m_hDC = nullptr;
  RECT m_rcItem = {0, 0, 0, 0};
  HRGN m_hRgn = nullptr;
  HRGN m_hOldRgn = nullptr;
};

class CDrawEngine {
 public:
  // --- Loading -------------------------------------------------------------------------------

  // `source` is a skin file name, or with `resType` an embedded resource (a name or a numeric
  // identifier made with MAKEINTRESOURCE). Pixels whose premultiplied AARRGGBB value equals
  // `mask` become fully transparent. Null on any failure.
  static TImageEntry* LoadSkinImage(LPCWSTR source, LPCWSTR resType, DWORD mask);
  // The same from encoded bytes in memory (PNG, JPEG, BMP, PSD or GIF).
  static TImageEntry* DecodeSkinImage(const BYTE* data, size_t size, DWORD mask);
  // Deletes the bitmap, then the entry.
  static void FreeSkinImage(TImageEntry* entry);

  // --- Skinned images ------------------------------------------------------------------------

  // Draws an image attribute string, with `pStrModify` (may be null) overriding its items.
  // False only when the manager or the device context is missing; an image that cannot be found
  // draws nothing and still answers true.
  static bool DrawImageAttribute(HDC hDC, CPaintManagerUI* pManager, const RECT& rcItem,
                                 const RECT& rcPaint, LPCWSTR pStrImage, LPCWSTR pStrModify);
  // False when the name is empty or the image cannot be had.
  static bool DrawNamedImage(HDC hDC, CPaintManagerUI* pManager, const RECT& rcItem,
                             const RECT& rcPaint, const CUIString& sImageName,
                             const CUIString& sImageResType, RECT rcItemDest, RECT rcBmpPart,
                             RECT rcCorner, DWORD dwMask, BYTE bFade, bool bHole, bool bTiledX,
                             bool bTiledY);
  // Draws part rcBmpPart of the bitmap into rcDest as nine pieces (corners fixed, edges and
  // middle stretched or tiled); pieces outside rcPaint are skipped. Nothing for a null bitmap.
  static void DrawImageGrid(HDC hDC, HBITMAP hBitmap, const RECT& rcDest, const RECT& rcPaint,
                            const RECT& rcBmpPart, const RECT& rcCorners, bool bAlpha,
                            BYTE uFade = 255, bool bHole = false, bool bTiledX = false,
                            bool bTiledY = false);

  // --- Colours, primitives ---------------------------------------------------------------------

  static void FillColor(HDC hDC, const RECT& rc, DWORD color);
  static void FillGradient(HDC hDC, const RECT& rc, DWORD dwFirst, DWORD dwSecond, bool bVertical,
                           int nSteps);
  // The gradient as 2^k solid bands (k grows with nSteps: 1 below 4 steps, up to 6 from 64),
  // opaque, straight onto hDC: what FillGradient draws where the platform has no gradient fill.
  static void FillGradientBands(HDC hDC, const RECT& rc, DWORD dwFirst, DWORD dwSecond,
                                bool bVertical, int nSteps);
  static void DrawLine(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor);
  static void DrawRectFrame(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor);
  static void DrawRoundRectFrame(HDC hDC, const RECT& rc, int width, int height, int nSize,
                                 DWORD dwPenColor);
  // Hue 0-360 (180 neutral), saturation and lightness in percent (100 neutral).
  static DWORD AdjustColor(DWORD dwColor, short H, short S, short L);

  // --- Text -------------------------------------------------------------------------------------

  // One call into the platform's text layout with FontAt(iFont); '&' is never a prefix.
  static void DrawPlainText(HDC hDC, CPaintManagerUI* pManager, RECT& rc, LPCWSTR pstrText,
                            DWORD dwTextColor, int iFont, UINT uStyle);
  // Text with inline tags. rc is updated with DT_CALCRECT. prcLinks/sLinks may be null when
  // nLinkRects is 0; on return nLinkRects is the number of link rectangles produced.
  static void DrawMarkupText(HDC hDC, CPaintManagerUI* pManager, RECT& rc, LPCWSTR pstrText,
                             DWORD dwTextColor, RECT* prcLinks, CUIString* sLinks, int& nLinkRects,
                             UINT uStyle);
};

}  // namespace SkinUI
