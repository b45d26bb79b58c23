#include "Core/UIImageAttr.h"

#include "Core/UIAttrValue.h"

namespace SkinUI {

namespace {

bool IsBlank(WCHAR ch) { return ch > 0 && ch <= ' '; }

LPCWSTR SkipBlanks(LPCWSTR p) {
  while (IsBlank(*p)) ++p;
  return p;
}

bool Equals(const CUIString& s, const char* ascii) {
  int i = 0;
  for (; ascii[i]; ++i) {
    if (i >= s.GetLength() || s[i] != static_cast<WCHAR>(ascii[i])) return false;
  }
  return i == s.GetLength();
}

// A coordinate moved by an offset, kept inside the range of a LONG.
LONG Offset(LONG base, LONG delta) {
  const LONGLONG sum = static_cast<LONGLONG>(base) + delta;
  if (sum > 0x7FFFFFFFll) return 0x7FFFFFFF;
  if (sum < -0x80000000ll) return static_cast<LONG>(-0x7FFFFFFFll - 1);
  return static_cast<LONG>(sum);
}

// "dest" is relative to the control; only its right and bottom are held inside it.
RECT DestinationOf(LPCWSTR value, const RECT& rcItem) {
  const RECT rel = UIParseRect(value);
  RECT rc = {Offset(rcItem.left, rel.left), Offset(rcItem.top, rel.top),
             Offset(rcItem.left, rel.right), Offset(rcItem.top, rel.bottom)};
  if (rc.right > rcItem.right) rc.right = rcItem.right;
  if (rc.bottom > rcItem.bottom) rc.bottom = rcItem.bottom;
  return rc;
}

struct Reader {
  const RECT& rcItem;
  TImageDrawParams& params;
  ImageFlushProc onFlush;
  void* context;
  int imageCount = 0;

  void Flush() {
    if (imageCount > 0 && onFlush) onFlush(params, context);
  }

  void Apply(const CUIString& key, const CUIString& value) {
    if (value.IsEmpty()) return;
    if (Equals(key, "file")) {
      Flush();
      params.sName = value;
      ++imageCount;
    } else if (Equals(key, "res")) {
      Flush();
      params.sName = value;
    } else if (Equals(key, "restype")) {
      Flush();
      params.sResType = value;
      ++imageCount;
    } else if (Equals(key, "dest")) {
      params.rcDest = DestinationOf(value, rcItem);
    } else if (Equals(key, "source")) {
      params.rcSource = UIParseRect(value);
    } else if (Equals(key, "corner")) {
      params.rcCorner = UIParseRect(value);
    } else if (Equals(key, "mask")) {
      params.dwMask = UIParseColor(value);
    } else if (Equals(key, "fade")) {
      params.bFade = static_cast<BYTE>(UIStrToInt(value));
    } else if (Equals(key, "hole")) {
      params.bHole = UIParseBool(value);
    } else if (Equals(key, "xtiled")) {
      params.bTiledX = UIParseBool(value);
    } else if (Equals(key, "ytiled")) {
      params.bTiledY = UIParseBool(value);
    }
  }

  // Reads one key='value' item at p and applies it; the character after it, or null when the
  // item is malformed.
  LPCWSTR ReadItem(LPCWSTR p) {
    p = SkipBlanks(p);
    LPCWSTR keyStart = p;
    while (*p && *p != '=' && !IsBlank(*p)) ++p;
    const CUIString key(keyStart, static_cast<int>(p - keyStart));
    p = SkipBlanks(p);
    if (*p++ != '=') return nullptr;
    p = SkipBlanks(p);
    if (*p++ != '\'') return nullptr;
    LPCWSTR valueStart = p;
    while (*p && *p != '\'') ++p;
    if (*p != '\'') return nullptr;
    Apply(key, CUIString(valueStart, static_cast<int>(p - valueStart)));
    return p + 1;
  }
};

}  // namespace

void ReadImageAttribute(LPCWSTR pstrImage, const RECT& rcItem, TImageDrawParams& params,
                        ImageFlushProc onFlush, void* context) {
  if (!pstrImage) return;
  Reader reader{rcItem, params, onFlush, context};
  LPCWSTR p = pstrImage;
  while ((p = reader.ReadItem(p)) != nullptr && *p == ' ') ++p;
}

}  // namespace SkinUI
