#pragma once
// Reading image attribute strings: a bare image name ("1.png"), or items key='value' separated
// by single spaces ("file='a.png' dest='0,0,14,14' corner='4,4,4,4'"). The drawing engine reads
// them; they are kept apart from drawing so that they can be read on their own. UI thread only.

#include "Platform/Win32.h"
#include "Utils/Utils.h"

namespace SkinUI {

// The parameters of one image of a string. Items read later override earlier ones; nothing is
// reset between the images of a string, so a later image inherits everything set before it.
struct TImageDrawParams {
  CUIString sName;               // the image's name in the manager's cache
  CUIString sResType;            // embedded-resource type; empty for a skin file
  RECT rcDest = {0, 0, 0, 0};    // where to draw, in the surface's coordinates
  RECT rcSource = {0, 0, 0, 0};  // part of the image; all 0 means the whole image
  RECT rcCorner = {0, 0, 0, 0};  // fixed left, top, right, bottom borders
  DWORD dwMask = 0;              // colour key applied when the image is first loaded
  BYTE bFade = 255;              // constant opacity
  bool bHole = false;            // leave the middle piece out
  bool bTiledX = false;          // tile the middle horizontally instead of stretching
  bool bTiledY = false;          // tile the middle vertically instead of stretching
};

// Called with the parameters described so far when an item starts the next image of a string.
typedef void (*ImageFlushProc)(const TImageDrawParams& params, void* context);

// Applies the items of pstrImage (null reads as empty) to params. "dest" is relative to rcItem
// and limited to its right and bottom. Reading stops quietly at the first malformed spot; the
// items read before keep their effect. onFlush may be null.
void ReadImageAttribute(LPCWSTR pstrImage, const RECT& rcItem, TImageDrawParams& params,
                        ImageFlushProc onFlush, void* context);

}  // namespace SkinUI
