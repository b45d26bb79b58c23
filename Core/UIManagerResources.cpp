// The paint manager's resources: window attributes from the skin, default colours, the parent
// resource manager, fonts, images, default attribute lists and option groups.

#include "Core/UIAttrValue.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

namespace SkinUI {

namespace {

typedef BOOL(WINAPI* SetLayeredWindowAttributesProc)(HWND, COLORREF, BYTE, DWORD);

// A font like the stock GUI font with the face, height and styles asked for; bold adds the
// bold weight to the stock weight.
HFONT CreateSkinFont(LPCWSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic) {
  LOGFONTW lf = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTW), &lf);
  int i = 0;
  for (; pStrFontName && pStrFontName[i] && i < LF_FACESIZE - 1; ++i) {
    lf.lfFaceName[i] = pStrFontName[i];
  }
  lf.lfFaceName[i] = 0;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfHeight = -nSize;
  if (bBold) lf.lfWeight += FW_BOLD;
  if (bUnderline) lf.lfUnderline = TRUE;
  if (bItalic) lf.lfItalic = TRUE;
  return CreateFontIndirectW(&lf);
}

void FillFontEntry(TFontEntry& entry, HFONT hFont, LPCWSTR pStrFontName, int nSize, bool bBold,
                   bool bUnderline, bool bItalic) {
  entry.hFont = hFont;
  entry.sFontName = pStrFontName ? pStrFontName : TEXT("");
  entry.iSize = nSize;
  entry.bBold = bBold;
  entry.bUnderline = bUnderline;
  entry.bItalic = bItalic;
  entry.tm = TEXTMETRICW{};
}

bool IsDecimalDigit(WCHAR ch) { return ch >= '0' && ch <= '9'; }

}  // namespace

// --- Window attributes --------------------------------------------------------------------------

void CPaintManagerUI::SetInitialSize(int cx, int cy) {
  m_szInitWindowSize.cx = cx;
  m_szInitWindowSize.cy = cy;
  if (!m_pRoot && m_hWndPaint) {
    SetWindowPos(m_hWndPaint, nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  }
}

void CPaintManagerUI::SetSizeBox(const RECT& rcSizeBox) { m_rcSizeBox = rcSizeBox; }

void CPaintManagerUI::SetCaptionArea(const RECT& rcCaption) { m_rcCaption = rcCaption; }

void CPaintManagerUI::SetRoundCorner(int cx, int cy) {
  m_szRoundCorner.cx = cx;
  m_szRoundCorner.cy = cy;
}

void CPaintManagerUI::SetMinTrackSize(int cx, int cy) {
  ASSERT(cx >= 0 && cy >= 0);
  m_szMinWindow.cx = cx;
  m_szMinWindow.cy = cy;
}

void CPaintManagerUI::SetMaxTrackSize(int cx, int cy) {
  ASSERT(cx >= 0 && cy >= 0);
  m_szMaxWindow.cx = cx;
  m_szMaxWindow.cy = cy;
}

void CPaintManagerUI::SetShowDirty(bool bShow) { m_bShowDirty = bShow; }

void CPaintManagerUI::SetLayeredBackground(bool bLayered) { m_bLayeredBackground = bLayered; }

// Values outside 0..255 are stored clamped but take the layered style away, and the window is
// still handed their low byte: skins written for this behaviour keep it.
void CPaintManagerUI::SetOpacity(int nOpacity) {
  m_nOpacity = static_cast<BYTE>(nOpacity < 0 ? 0 : (nOpacity > 255 ? 255 : nOpacity));
  if (!m_hWndPaint) return;
  HMODULE user32 = GetModuleHandleW(TEXT("User32.dll"));
  SetLayeredWindowAttributesProc setLayered =
      user32 ? reinterpret_cast<SetLayeredWindowAttributesProc>(reinterpret_cast<void (*)()>(
                   GetProcAddress(user32, "SetLayeredWindowAttributes")))
             : nullptr;
  if (!setLayered) return;
  const LONG style = GetWindowLongW(m_hWndPaint, GWL_EXSTYLE);
  const LONG layered = static_cast<LONG>(WS_EX_LAYERED);
  const LONG wanted = nOpacity >= 0 && nOpacity <= 255 ? (style | layered) : (style & ~layered);
  if (wanted != style) SetWindowLongW(m_hWndPaint, GWL_EXSTYLE, wanted);
  setLayered(m_hWndPaint, 0, static_cast<BYTE>(nOpacity & 0xFF), LWA_ALPHA);
}

// --- Colours and the parent resource manager ---------------------------------------------------

DWORD CPaintManagerUI::DisabledTextColor() const {
  return m_pParentResourceMgr ? m_pParentResourceMgr->DisabledTextColor()
                              : m_dwDefaultDisabledColor;
}

void CPaintManagerUI::SetDisabledTextColor(DWORD dwColor) { m_dwDefaultDisabledColor = dwColor; }

DWORD CPaintManagerUI::TextColor() const {
  return m_pParentResourceMgr ? m_pParentResourceMgr->TextColor() : m_dwDefaultFontColor;
}

void CPaintManagerUI::SetTextColor(DWORD dwColor) { m_dwDefaultFontColor = dwColor; }

DWORD CPaintManagerUI::LinkColor() const {
  return m_pParentResourceMgr ? m_pParentResourceMgr->LinkColor() : m_dwDefaultLinkFontColor;
}

void CPaintManagerUI::SetLinkColor(DWORD dwColor) { m_dwDefaultLinkFontColor = dwColor; }

DWORD CPaintManagerUI::LinkHoverColor() const {
  return m_pParentResourceMgr ? m_pParentResourceMgr->LinkHoverColor()
                              : m_dwDefaultLinkHoverFontColor;
}

void CPaintManagerUI::SetLinkHoverColor(DWORD dwColor) { m_dwDefaultLinkHoverFontColor = dwColor; }

DWORD CPaintManagerUI::SelectedBackColor() const {
  return m_pParentResourceMgr ? m_pParentResourceMgr->SelectedBackColor()
                              : m_dwDefaultSelectedBkColor;
}

void CPaintManagerUI::SetSelectedBackColor(DWORD dwColor) { m_dwDefaultSelectedBkColor = dwColor; }

bool CPaintManagerUI::SetParentResourceManager(CPaintManagerUI* pManager) {
  for (CPaintManagerUI* p = pManager; p; p = p->m_pParentResourceMgr) {
    if (p == this) return false;
  }
  m_pParentResourceMgr = pManager;
  return true;
}

// --- Fonts --------------------------------------------------------------------------------------

// Measures through the window's context; before a window is attached, through a screen context.
TFontEntry* CPaintManagerUI::MeasuredFont(TFontEntry* pEntry) {
  if (pEntry->tm.tmHeight != 0 || !pEntry->hFont) return pEntry;
  HDC hDC = m_hDcPaint ? m_hDcPaint : GetDC(nullptr);
  if (!hDC) return pEntry;
  HGDIOBJ old = SelectObject(hDC, pEntry->hFont);
  GetTextMetricsW(hDC, &pEntry->tm);
  SelectObject(hDC, old);
  if (hDC != m_hDcPaint) ReleaseDC(nullptr, hDC);
  return pEntry;
}

const TFontEntry& CPaintManagerUI::DefaultFont() {
  if (m_pParentResourceMgr) return m_pParentResourceMgr->DefaultFont();
  return *MeasuredFont(&m_DefaultFontInfo);
}

void CPaintManagerUI::SetDefaultFont(LPCWSTR pStrFontName, int nSize, bool bBold, bool bUnderline,
                                     bool bItalic) {
  HFONT hFont = CreateSkinFont(pStrFontName, nSize, bBold, bUnderline, bItalic);
  if (!hFont) return;
  if (m_DefaultFontInfo.hFont) DeleteObject(m_DefaultFontInfo.hFont);
  FillFontEntry(m_DefaultFontInfo, hFont, pStrFontName, nSize, bBold, bUnderline, bItalic);
  if (m_hDcPaint) MeasuredFont(&m_DefaultFontInfo);
}

HFONT CPaintManagerUI::AddFont(LPCWSTR pStrFontName, int nSize, bool bBold, bool bUnderline,
                               bool bItalic) {
  HFONT hFont = CreateSkinFont(pStrFontName, nSize, bBold, bUnderline, bItalic);
  if (!hFont) return nullptr;
  TFontEntry* pEntry = new TFontEntry;
  FillFontEntry(*pEntry, hFont, pStrFontName, nSize, bBold, bUnderline, bItalic);
  if (!m_aCustomFonts.Add(pEntry)) {
    DeleteObject(hFont);
    delete pEntry;
    return nullptr;
  }
  if (m_hDcPaint) MeasuredFont(pEntry);
  return hFont;
}

HFONT CPaintManagerUI::FontAt(int index) {
  // The default font is the parent's while one is set: a drop-down's manager draws the items
  // it borrows in the font of the window they come from.
  if (index < 0 || index >= m_aCustomFonts.GetSize()) return DefaultFont().hFont;
  return static_cast<TFontEntry*>(m_aCustomFonts[index])->hFont;
}

HFONT CPaintManagerUI::FindFont(LPCWSTR pStrFontName, int nSize, bool bBold, bool bUnderline,
                                bool bItalic) {
  for (int i = 0; i < m_aCustomFonts.GetSize(); i++) {
    const TFontEntry* pEntry = static_cast<TFontEntry*>(m_aCustomFonts[i]);
    if (pEntry->sFontName == (pStrFontName ? pStrFontName : TEXT("")) && pEntry->iSize == nSize &&
        pEntry->bBold == bBold && pEntry->bUnderline == bUnderline && pEntry->bItalic == bItalic) {
      return pEntry->hFont;
    }
  }
  if (m_pParentResourceMgr) {
    return m_pParentResourceMgr->FindFont(pStrFontName, nSize, bBold, bUnderline, bItalic);
  }
  return nullptr;
}

const TFontEntry& CPaintManagerUI::FontInfoAt(int index) {
  if (index < 0 || index >= m_aCustomFonts.GetSize()) return DefaultFont();
  return *MeasuredFont(static_cast<TFontEntry*>(m_aCustomFonts[index]));
}

const TFontEntry& CPaintManagerUI::FontInfoOf(HFONT hFont) {
  for (int i = 0; i < m_aCustomFonts.GetSize(); i++) {
    TFontEntry* pEntry = static_cast<TFontEntry*>(m_aCustomFonts[i]);
    if (pEntry->hFont == hFont) return *MeasuredFont(pEntry);
  }
  if (m_pParentResourceMgr) return m_pParentResourceMgr->FontInfoOf(hFont);
  return DefaultFont();
}

// --- Images -------------------------------------------------------------------------------------

const TImageEntry* CPaintManagerUI::ImageFor(LPCWSTR bitmap, LPCWSTR type, DWORD mask) {
  if (!bitmap || !*bitmap) return nullptr;
  const TImageEntry* pEntry = static_cast<const TImageEntry*>(m_mImageHash.Find(bitmap));
  return pEntry ? pEntry : LoadImageEntry(bitmap, type, mask);
}

const TImageEntry* CPaintManagerUI::LoadImageEntry(LPCWSTR bitmap, LPCWSTR type, DWORD mask) {
  if (!bitmap || !*bitmap) return nullptr;
  // The table keeps the first image of a name; a second load would only be thrown away.
  if (m_mImageHash.Find(bitmap, false)) return nullptr;
  LPCWSTR source = bitmap;
  if (type) {
    // With a resource type the name is a resource number.
    if (!IsDecimalDigit(bitmap[0])) return nullptr;
    source = MAKEINTRESOURCE(UIStrToInt(bitmap));
  }
  TImageEntry* pEntry = CDrawEngine::LoadSkinImage(source, type, mask);
  if (!pEntry) return nullptr;
  if (type) pEntry->sResType = type;
  pEntry->dwMask = mask;
  if (!m_mImageHash.Insert(bitmap, pEntry)) {
    CDrawEngine::FreeSkinImage(pEntry);
    return nullptr;
  }
  return pEntry;
}

// --- Default attribute lists --------------------------------------------------------------------

void CPaintManagerUI::SetDefaultAttributes(LPCWSTR pStrControlName, LPCWSTR pStrAttributes) {
  if (!pStrControlName || m_DefaultAttrHash.Find(pStrControlName, false)) return;
  CUIString* pList = new CUIString(pStrAttributes ? pStrAttributes : TEXT(""));
  if (!m_DefaultAttrHash.Insert(pStrControlName, pList)) delete pList;
}

LPCWSTR CPaintManagerUI::DefaultAttributes(LPCWSTR pStrControlName) const {
  if (!pStrControlName) return nullptr;
  const CUIString* pList = static_cast<const CUIString*>(m_DefaultAttrHash.Find(pStrControlName));
  if (pList) return pList->GetData();
  if (m_pParentResourceMgr) return m_pParentResourceMgr->DefaultAttributes(pStrControlName);
  return nullptr;
}

// --- Option groups ------------------------------------------------------------------------------

bool CPaintManagerUI::JoinGroup(LPCWSTR pStrGroupName, CControlUI* pControl) {
  if (!pStrGroupName || !pControl) return false;
  CPtrArrayUI* pGroup = static_cast<CPtrArrayUI*>(m_mOptionGroup.Find(pStrGroupName));
  if (pGroup) {
    if (pGroup->Find(pControl) >= 0) return false;
    return pGroup->Add(pControl);
  }
  pGroup = new CPtrArrayUI(6);
  if (!pGroup->Add(pControl) || !m_mOptionGroup.Insert(pStrGroupName, pGroup)) {
    delete pGroup;
    return false;
  }
  return true;
}

CPtrArrayUI* CPaintManagerUI::GetGroup(LPCWSTR pStrGroupName) const {
  if (!pStrGroupName) return nullptr;
  return static_cast<CPtrArrayUI*>(m_mOptionGroup.Find(pStrGroupName));
}

void CPaintManagerUI::LeaveGroup(LPCWSTR pStrGroupName, CControlUI* pControl) {
  if (!pStrGroupName) return;
  CPtrArrayUI* pGroup = static_cast<CPtrArrayUI*>(m_mOptionGroup.Find(pStrGroupName));
  if (!pGroup) return;
  const int index = pGroup->Find(pControl);
  if (index >= 0) pGroup->Remove(index);
  if (pGroup->IsEmpty()) {
    m_mOptionGroup.Remove(pStrGroupName);
    delete pGroup;
  }
}

}  // namespace SkinUI
