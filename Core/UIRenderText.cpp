// Plain text through the platform's text layout, and the rich-text layout engine: inline tags
// for fonts, colours, links, images and spacing, laid out line by line inside a rectangle.
#include <algorithm>
#include <climits>
#include <string>
#include <unordered_map>
#include <vector>

#include "Core/UIAttrValue.h"
#include "Core/UIColor.h"
#include "Core/UIManager.h"
#include "Core/UIRender.h"

namespace SkinUI {
namespace {

// Pen positions and tag values stay within this range, so sums of a few of them cannot
// overflow whatever numbers a text carries.
constexpr long long kCoordLimit = 1 << 28;
LONG Clamped(long long v) { return static_cast<LONG>(std::clamp(v, -kCoordLimit, kCoordLimit)); }

bool IsOpenBracket(WCHAR c) { return c == '<' || c == '{'; }
bool IsCloseBracket(WCHAR c) { return c == '>' || c == '}'; }
bool IsAsciiLetter(WCHAR c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsSpace(WCHAR c) { return c > 0 && c <= ' '; }

// "<x " "<x>" "{x}" ... : a bracket, a lower-case letter, then a space or a bracket.
bool IsOpeningTag(const WCHAR* p) {
  return IsOpenBracket(p[0]) && p[1] >= 'a' && p[1] <= 'z' && (p[2] == ' ' || IsCloseBracket(p[2]));
}
bool IsEndTag(const WCHAR* p) { return IsOpenBracket(p[0]) && p[1] == '/'; }
// "<{>", "<}>", "{<}", "{>}": the middle character, drawn literally.
bool IsEscape(const WCHAR* p) {
  if (p[0] == '<') return (p[1] == '{' || p[1] == '}') && p[2] == '>';
  if (p[0] == '{') return (p[1] == '<' || p[1] == '>') && p[2] == '}';
  return false;
}
bool IsRawEnd(const WCHAR* p) {
  return IsOpenBracket(p[0]) && p[1] == '/' && p[2] == 'r' && IsCloseBracket(p[3]);
}

// The first closing bracket at or after p, or the terminator.
const WCHAR* FindClose(const WCHAR* p) {
  while (*p && !IsCloseBracket(*p)) ++p;
  return p;
}
const WCHAR* AfterClose(const WCHAR* p) {
  p = FindClose(p);
  return *p ? p + 1 : p;
}

const WCHAR* SkipSpaces(const WCHAR* p) {
  while (IsSpace(*p)) ++p;
  return p;
}

// Reads key='value' items of an image attribute string for the three keys that name an inline
// image. Stops silently at the first item that is not well formed.
void ReadImageSource(LPCWSTR pstr, CUIString& sName, CUIString& sType) {
  const WCHAR* p = pstr;
  for (;;) {
    p = SkipSpaces(p);
    CUIString sKey;
    while (*p && *p != '=' && !IsSpace(*p)) sKey += *p++;
    p = SkipSpaces(p);
    if (*p++ != '=') return;
    p = SkipSpaces(p);
    if (*p++ != '\'') return;
    CUIString sValue;
    while (*p && *p != '\'') sValue += *p++;
    if (*p++ != '\'') return;
    if (!sValue.IsEmpty()) {
      if (sKey == TEXT("file") || sKey == TEXT("res"))
        sName = sValue;
      else if (sKey == TEXT("restype"))
        sType = sValue;
    }
    if (*p != ' ') return;
  }
}

// Widths of runs already measured on this thread, by font description and text, so that
// repainting the same text asks the platform for no width at all. Bounded: emptied when full.
class RunWidthCache {
 public:
  static RunWidthCache& ForThread() {
    thread_local RunWidthCache cache;
    return cache;
  }
  bool Find(const TFontEntry& font, const WCHAR* p, int cch, int& cx) {
    MakeKey(font, p, cch);
    const auto it = m_widths.find(m_key);
    if (it == m_widths.end()) return false;
    cx = it->second;
    return true;
  }
  // After Find with the same arguments.
  void Add(int cx) {
    if (m_widths.size() >= kLimit) m_widths.clear();
    m_widths.emplace(m_key, cx);
  }

 private:
  static constexpr size_t kLimit = 4096;
  void MakeKey(const TFontEntry& font, const WCHAR* p, int cch) {
    m_key.assign(font.sFontName.GetData());
    m_key += WCHAR(0);
    m_key += static_cast<WCHAR>(font.iSize & 0xFFFF);
    m_key += static_cast<WCHAR>((static_cast<unsigned>(font.iSize) >> 16) & 0xFFFF);
    m_key += static_cast<WCHAR>((font.bBold ? 1 : 0) | (font.bUnderline ? 2 : 0) |
                                (font.bItalic ? 4 : 0));
    m_key.append(p, static_cast<size_t>(cch));
  }
  std::basic_string<WCHAR> m_key;
  std::unordered_map<std::basic_string<WCHAR>, int> m_widths;
};

struct TextStacks {
  std::vector<const TFontEntry*> fonts;
  std::vector<DWORD> colors;
  std::vector<int> spacings;
};

// Everything a drawing pass restores to replay the line its measuring pass went over.
struct LineStart {
  const WCHAR* p = nullptr;
  TextStacks stacks;
  bool bInRaw = false;
  bool bInSelected = false;
  bool bInLink = false;
  int iLinkIndex = 0;
  int cyLine = 0;
};

// One DrawMarkupText call. Without DT_CALCRECT every line is processed twice: a measuring pass
// that finds its height and records link rectangles, then a drawing pass over the same text.
class MarkupLayout {
 public:
  MarkupLayout(HDC hDC, CPaintManagerUI* pManager, RECT& rc, LPCWSTR pstrText, DWORD dwTextColor,
               RECT* prcLinks, CUIString* sLinks, int nLinks, UINT uStyle, LPCWSTR pstrHover)
      : m_hDC(hDC),
        m_pManager(pManager),
        m_rc(rc),
        m_p(pstrText),
        m_dwTextColor(dwTextColor),
        m_prcLinks(prcLinks),
        m_sLinks(sLinks),
        m_nLinks(prcLinks && sLinks ? nLinks : 0),
        m_uStyle(uStyle),
        m_bDraw((uStyle & DT_CALCRECT) == 0),
        m_pstrHover(pstrHover) {}

  // Lays out the whole text; answers the number of link rectangles produced.
  int Run();

 private:
  const TFontEntry& Font() const {
    return m_stacks.fonts.empty() ? m_pManager->DefaultFont() : *m_stacks.fonts.back();
  }
  DWORD Color() const { return m_stacks.colors.empty() ? m_dwTextColor : m_stacks.colors.back(); }
  int Spacing() const { return m_stacks.spacings.empty() ? 0 : m_stacks.spacings.back(); }
  int FontLineHeight() const {
    const TEXTMETRICW& tm = Font().tm;
    return tm.tmHeight + tm.tmExternalLeading + Spacing();
  }
  bool Drawing() const { return m_bDraw && m_bDrawPass; }
  bool Measuring() const { return !Drawing(); }
  bool SingleLine() const { return (m_uStyle & DT_SINGLELINE) != 0; }

  void SelectFont();
  void SelectColor() { ::SetTextColor(m_hDC, ToColorRef(Color())); }
  void PushFont(const TFontEntry& font);
  void PushVariant(bool bBold, bool bUnderline, bool bItalic);
  void PopFont();
  void PopColor();

  void SaveLineStart();
  void RestoreLineStart();
  // Carries out a pending line end; false when processing stops.
  bool EndLine();
  void FinishLinksOfLine();

  void OpeningTag();
  void EndTag();
  void FontTag(const CUIString& sArgs);
  void ImageTag(const CUIString& sArgs, const WCHAR* pTag);
  void ParagraphTag(const CUIString& sArgs);
  void LinkTag(const CUIString& sArgs);
  void CloseLink();
  void Escape();
  void Space();
  void TextRun();

  // Widths and fits asked for by the measuring pass are asked again, in the same order, by the
  // drawing pass; they are remembered for the line so that each costs one platform call.
  int TextWidth(const WCHAR* p, int cch);
  int CharsThatFit(const WCHAR* p, int cch, int cxMax);
  int SpaceWidth();
  void DrawRun(const WCHAR* p, int cch, int x);

  HDC m_hDC;
  CPaintManagerUI* m_pManager;
  RECT& m_rc;
  const WCHAR* m_p;
  DWORD m_dwTextColor;
  RECT* m_prcLinks;
  CUIString* m_sLinks;
  int m_nLinks;
  UINT m_uStyle;
  bool m_bDraw;
  LPCWSTR m_pstrHover;

  TextStacks m_stacks;
  POINT m_pt = {0, 0};
  int m_cyLine = 0;
  int m_cyMeasured = 0;  // height of the line as its measuring pass found it
  int m_cxWidest = 0;
  int m_cyLowestImage = 0;
  bool m_bDrawPass = false;
  bool m_bLineEnd = false;
  bool m_bInRaw = false;
  bool m_bInSelected = false;
  bool m_bInLink = false;
  bool m_bStop = false;
  int m_iLinkIndex = 0;
  int m_iLineFirstLink = 0;
  POINT m_ptLinkStart = {0, 0};
  LineStart m_lineStart;

  struct Measured {
    const WCHAR* p;
    int cch;
    int cxMax;  // -1 for a width
    HFONT hFont;
    int result;
  };
  std::vector<Measured> m_measured;  // this line's
  std::vector<std::pair<HFONT, int>> m_spaceWidths;
};

int MarkupLayout::Run() {
  m_pt = {m_rc.left, m_rc.top};
  SelectFont();
  SelectColor();
  m_cyLine = FontLineHeight();
  SaveLineStart();
  while (!m_bStop && (*m_p != 0 || m_bLineEnd)) {
    if (m_bLineEnd) {
      if (!EndLine()) break;
    } else if (m_bInRaw) {
      if (*m_p == ' ' && !IsRawEnd(m_p))
        Space();
      else
        TextRun();
    } else if (IsOpeningTag(m_p)) {
      OpeningTag();
    } else if (IsEndTag(m_p)) {
      EndTag();
    } else if (IsEscape(m_p)) {
      Escape();
    } else if (*m_p == ' ') {
      Space();
    } else {
      TextRun();
    }
    m_cxWidest = std::max(m_cxWidest, std::min<int>(m_pt.x, m_rc.right));
    if (m_pt.x >= m_rc.right || *m_p == '\n' || *m_p == 0) m_bLineEnd = true;
  }
  if (!m_bDraw) {
    m_rc.bottom = std::max<LONG>(m_pt.y + m_cyLine, m_cyLowestImage);
    m_rc.right = std::min<int>(m_rc.right, m_cxWidest);
  }
  return m_iLinkIndex;
}

void MarkupLayout::SelectFont() {
  const TFontEntry& font = Font();
  ::SelectObject(m_hDC, font.hFont);
  m_cyLine = std::max(m_cyLine, FontLineHeight());
}

void MarkupLayout::PushFont(const TFontEntry& font) {
  m_stacks.fonts.push_back(&font);
  SelectFont();
}

// The current font with some styles switched on, from the manager's list or added to it.
void MarkupLayout::PushVariant(bool bBold, bool bUnderline, bool bItalic) {
  const TFontEntry& cur = Font();
  bBold = bBold || cur.bBold;
  bUnderline = bUnderline || cur.bUnderline;
  bItalic = bItalic || cur.bItalic;
  HFONT hFont = m_pManager->FindFont(cur.sFontName, cur.iSize, bBold, bUnderline, bItalic);
  if (!hFont) hFont = m_pManager->AddFont(cur.sFontName, cur.iSize, bBold, bUnderline, bItalic);
  if (hFont) PushFont(m_pManager->FontInfoOf(hFont));
}

void MarkupLayout::PopFont() {
  if (m_stacks.fonts.empty()) return;
  const bool bWasItalic = Font().tm.tmItalic != 0 || Font().bItalic;
  // The italic font's space overhang, read while it is still selected.
  ABC abc = {0, 0, 0};
  if (bWasItalic) ::GetCharABCWidthsW(m_hDC, ' ', ' ', &abc);
  m_stacks.fonts.pop_back();
  if (bWasItalic && !(Font().tm.tmItalic != 0 || Font().bItalic))
    m_pt.x = Clamped(m_pt.x + abc.abcC / 2LL);
  SelectFont();
}

void MarkupLayout::PopColor() {
  if (!m_stacks.colors.empty()) m_stacks.colors.pop_back();
  SelectColor();
}

void MarkupLayout::SaveLineStart() {
  m_lineStart.p = m_p;
  m_lineStart.stacks = m_stacks;
  m_lineStart.bInRaw = m_bInRaw;
  m_lineStart.bInSelected = m_bInSelected;
  m_lineStart.bInLink = m_bInLink;
  m_lineStart.iLinkIndex = m_iLinkIndex;
  m_lineStart.cyLine = m_cyLine;
  m_iLineFirstLink = m_iLinkIndex;
  if (m_bInLink) m_ptLinkStart = m_pt;
  m_measured.clear();
}

void MarkupLayout::RestoreLineStart() {
  m_p = m_lineStart.p;
  m_stacks = m_lineStart.stacks;
  m_bInRaw = m_lineStart.bInRaw;
  m_bInSelected = m_lineStart.bInSelected;
  m_bInLink = m_lineStart.bInLink;
  m_iLinkIndex = m_lineStart.iLinkIndex;
  m_cyLine = m_lineStart.cyLine;
  m_pt.x = m_rc.left;
  if (m_bInLink) m_ptLinkStart = m_pt;
  SelectFont();
  SelectColor();
}

void MarkupLayout::FinishLinksOfLine() {
  if (Measuring()) {
    if (m_bInLink && m_iLinkIndex < m_nLinks) {
      // The link goes on in the next line: close this line's piece, open the next one.
      m_prcLinks[m_iLinkIndex] = {m_ptLinkStart.x, m_ptLinkStart.y,
                                  std::min<int>(m_pt.x, m_rc.right), m_pt.y + m_cyLine};
      ++m_iLinkIndex;
      if (m_iLinkIndex < m_nLinks) m_sLinks[m_iLinkIndex] = m_sLinks[m_iLinkIndex - 1];
    }
    for (int i = m_iLineFirstLink; i < m_iLinkIndex; ++i) m_prcLinks[i].bottom = m_pt.y + m_cyLine;
  } else if (m_bInLink && m_iLinkIndex < m_nLinks) {
    ++m_iLinkIndex;
  }
}

bool MarkupLayout::EndLine() {
  m_bLineEnd = false;
  FinishLinksOfLine();
  if (m_bDraw && !m_bDrawPass) {
    m_cyMeasured = m_cyLine;
    RestoreLineStart();
    m_bDrawPass = true;
    return true;
  }
  if (SingleLine()) return false;
  if (*m_p == '\n') ++m_p;
  // The last line keeps its place so that a measured height counts it once.
  if (*m_p == 0) return false;
  m_pt.x = m_rc.left;
  m_pt.y = Clamped(static_cast<long long>(m_pt.y) + m_cyLine);
  if (m_bDraw && m_pt.y > m_rc.bottom) return false;
  if (m_pt.x >= m_rc.right) return false;
  m_cyLine = FontLineHeight();
  m_bDrawPass = false;
  SaveLineStart();
  return true;
}

void MarkupLayout::OpeningTag() {
  const WCHAR* pTag = m_p;
  const WCHAR letter = m_p[1];
  const WCHAR* pArgs = m_p[2] == ' ' ? m_p + 3 : m_p + 2;
  const WCHAR* pClose = FindClose(pArgs);
  const CUIString sArgs(pArgs, static_cast<int>(pClose - pArgs));
  const bool bBare = IsCloseBracket(m_p[2]);
  m_p = *pClose ? pClose + 1 : pClose;
  switch (letter) {
    case 'a': LinkTag(sArgs); break;
    case 'b': PushVariant(true, false, false); break;
    case 'c': {
      const WCHAR* q = SkipSpaces(sArgs);
      if (*q == '#') ++q;
      // Signed: a value beyond 7FFFFFFF reads as 7FFFFFFF; only RRGGBB count.
      const DWORD dwColor = static_cast<DWORD>(UIStrToLong(q, nullptr, 16)) & 0x00FFFFFF;
      m_stacks.colors.push_back(dwColor);
      SelectColor();
      break;
    }
    case 'f': FontTag(sArgs); break;
    case 'i':
      if (bBare)
        PushVariant(false, false, true);
      else
        ImageTag(sArgs, pTag);
      break;
    case 'n':
      if (!SingleLine()) m_bLineEnd = true;
      break;
    case 'p': ParagraphTag(sArgs); break;
    case 'r': m_bInRaw = true; break;
    case 's': m_bInSelected = !m_bInSelected; break;
    case 'u': PushVariant(false, true, false); break;
    case 'x': m_pt.x = Clamped(static_cast<long long>(m_pt.x) + UIStrToInt(sArgs)); break;
    case 'y': m_cyLine = Clamped(UIStrToInt(sArgs)); break;
    default: break;
  }
}

void MarkupLayout::EndTag() {
  const WCHAR letter = m_p[2];
  m_p = AfterClose(m_p + 2);
  switch (letter) {
    case 'a':
      CloseLink();
      PopColor();
      PopFont();
      break;
    case 'b':
    case 'f':
    case 'i':
    case 'u': PopFont(); break;
    case 'c': PopColor(); break;
    case 'p':
      if (m_pt.x > m_rc.left) m_bLineEnd = true;
      if (!m_stacks.spacings.empty()) m_stacks.spacings.pop_back();
      m_cyLine = std::max(m_cyLine, FontLineHeight());
      break;
    case 's': m_bInSelected = !m_bInSelected; break;
    default: break;
  }
}

// "<f 2>" picks a font of the manager's list; "<f Face 14 bold italic>" finds or adds one.
void MarkupLayout::FontTag(const CUIString& sArgs) {
  const WCHAR* q = SkipSpaces(sArgs);
  if (*q >= '0' && *q <= '9') {
    PushFont(m_pManager->FontInfoAt(UIStrToInt(q)));
    return;
  }
  CUIString sFace;
  while (*q && *q != ' ') sFace += *q++;
  q = SkipSpaces(q);
  int nSize = 10;
  if (*q >= '0' && *q <= '9') {
    LPWSTR pEnd = nullptr;
    nSize = UIStrToLong(q, &pEnd, 10);
    q = pEnd;
  }
  CUIString sStyle(q);
  sStyle.MakeLower();
  const bool bBold = sStyle.Find(TEXT("bold")) >= 0;
  const bool bUnderline = sStyle.Find(TEXT("underline")) >= 0;
  const bool bItalic = sStyle.Find(TEXT("italic")) >= 0;
  HFONT hFont = m_pManager->FindFont(sFace, nSize, bBold, bUnderline, bItalic);
  if (!hFont) hFont = m_pManager->AddFont(sFace, nSize, bBold, bUnderline, bItalic);
  if (hFont) PushFont(m_pManager->FontInfoOf(hFont));
}

// "<i name count index>": frame `index` of an image cut into `count` frames side by side.
void MarkupLayout::ImageTag(const CUIString& sArgs, const WCHAR* pTag) {
  CUIString sName;
  CUIString sType;
  int nCount = 1;
  int iIndex = 0;
  if (sArgs.Find(TEXT("file='")) >= 0 || sArgs.Find(TEXT("res='")) >= 0) {
    ReadImageSource(sArgs, sName, sType);
  } else {
    const WCHAR* q = SkipSpaces(sArgs);
    while (*q && *q != ' ') sName += *q++;
    q = SkipSpaces(q);
    if (*q) {
      LPWSTR pEnd = nullptr;
      nCount = std::max<LONG>(1, UIStrToLong(q, &pEnd, 10));
      iIndex = UIStrToInt(pEnd);
      if (iIndex < 0 || iIndex >= nCount) iIndex = 0;
    }
  }
  const TImageEntry* pImage =
      sName.IsEmpty() ? nullptr
                      : m_pManager->ImageFor(sName, sType.IsEmpty() ? nullptr : sType.GetData());
  if (!pImage) return;
  const int cx = pImage->nWidth / nCount;
  const int cy = pImage->nHeight;
  if (m_pt.x + cx > m_rc.right && m_pt.x > m_rc.left && !SingleLine()) {
    m_bLineEnd = true;
    m_p = pTag;  // placed at the start of the next line
    return;
  }
  if (Drawing()) {
    RECT rcDest = {m_pt.x, m_pt.y + m_cyMeasured - cy, m_pt.x + cx, m_pt.y + m_cyMeasured};
    if (cy < m_cyMeasured) OffsetRect(&rcDest, 0, -(m_cyMeasured - cy) / 2);
    const RECT rcPart = {cx * iIndex, 0, cx * (iIndex + 1), cy};
    const RECT rcCorners = {0, 0, 0, 0};
    CDrawEngine::DrawImageGrid(m_hDC, pImage->hBitmap, rcDest, rcDest, rcPart, rcCorners,
                               pImage->bHasAlpha);
  }
  m_cyLine = std::max(m_cyLine, cy);
  m_pt.x = Clamped(static_cast<long long>(m_pt.x) + cx);
  m_cyLowestImage = std::max<int>(m_cyLowestImage, m_pt.y + cy);
}

void MarkupLayout::ParagraphTag(const CUIString& sArgs) {
  if (m_pt.x > m_rc.left) m_bLineEnd = true;
  m_stacks.spacings.push_back(Clamped(UIStrToInt(sArgs)));
  m_cyLine = std::max(m_cyLine, FontLineHeight());
}

void MarkupLayout::LinkTag(const CUIString& sArgs) {
  const CUIString sName(SkipSpaces(sArgs));
  if (Measuring() && m_iLinkIndex < m_nLinks) m_sLinks[m_iLinkIndex] = sName;
  const bool bHover = m_pstrHover != nullptr && sName == m_pstrHover;
  m_stacks.colors.push_back(bHover ? m_pManager->LinkHoverColor() : m_pManager->LinkColor());
  SelectColor();
  if (!Font().bUnderline) PushVariant(false, true, false);
  m_bInLink = true;
  m_ptLinkStart = m_pt;
}

// A stray "</a>" outside a link records nothing.
void MarkupLayout::CloseLink() {
  if (!m_bInLink) return;
  m_bInLink = false;
  if (m_iLinkIndex >= m_nLinks) return;
  if (Measuring()) {
    const TEXTMETRICW& tm = Font().tm;
    m_prcLinks[m_iLinkIndex] = {m_ptLinkStart.x, m_ptLinkStart.y, std::min<int>(m_pt.x, m_rc.right),
                                m_pt.y + tm.tmHeight + tm.tmExternalLeading};
  }
  ++m_iLinkIndex;
}

void MarkupLayout::Escape() {
  const WCHAR* pChar = m_p + 1;
  const int cx = TextWidth(pChar, 1);
  if (m_pt.x + cx > m_rc.right && m_pt.x > m_rc.left) {
    m_bLineEnd = true;
    return;
  }
  if (Drawing()) DrawRun(pChar, 1, m_pt.x);
  m_pt.x = Clamped(static_cast<long long>(m_pt.x) + cx);
  m_p += 3;
}

void MarkupLayout::Space() {
  const int cx = SpaceWidth();
  // A space leaves no ink unless it is drawn on the selection's background.
  if (Drawing() && m_bInSelected) DrawRun(m_p, 1, m_pt.x);
  m_pt.x = Clamped(static_cast<long long>(m_pt.x) + cx);
  ++m_p;
}

int MarkupLayout::TextWidth(const WCHAR* p, int cch) {
  if (cch <= 0) return 0;
  const HFONT hFont = Font().hFont;
  for (const Measured& m : m_measured)
    if (m.p == p && m.cch == cch && m.cxMax == -1 && m.hFont == hFont) return m.result;
  RunWidthCache& cache = RunWidthCache::ForThread();
  int cx = 0;
  if (!cache.Find(Font(), p, cch, cx)) {
    SIZE sz = {0, 0};
    ::GetTextExtentPoint32W(m_hDC, p, cch, &sz);
    cx = sz.cx;
    cache.Add(cx);
  }
  m_measured.push_back({p, cch, -1, hFont, cx});
  return cx;
}

int MarkupLayout::CharsThatFit(const WCHAR* p, int cch, int cxMax) {
  const HFONT hFont = Font().hFont;
  for (const Measured& m : m_measured)
    if (m.p == p && m.cch == cch && m.cxMax == cxMax && m.hFont == hFont) return m.result;
  int nFit = 0;
  SIZE sz = {0, 0};
  ::GetTextExtentExPointW(m_hDC, p, cch, cxMax, &nFit, nullptr, &sz);
  m_measured.push_back({p, cch, cxMax, hFont, nFit});
  return nFit;
}

int MarkupLayout::SpaceWidth() {
  const HFONT hFont = Font().hFont;
  for (const auto& [h, cx] : m_spaceWidths)
    if (h == hFont) return cx;
  SIZE sz = {0, 0};
  ::GetTextExtentPoint32W(m_hDC, TEXT(" "), 1, &sz);
  m_spaceWidths.emplace_back(hFont, sz.cx);
  return sz.cx;
}

// Draws with the run's bottom on the line's bottom.
void MarkupLayout::DrawRun(const WCHAR* p, int cch, int x) {
  const TEXTMETRICW& tm = Font().tm;
  const int y = m_pt.y + m_cyMeasured - tm.tmHeight - tm.tmExternalLeading;
  if (m_bInSelected) {
    ::SetBkMode(m_hDC, OPAQUE);
    ::ExtTextOutW(m_hDC, x, y, 0, nullptr, p, static_cast<UINT>(cch), nullptr);
    ::SetBkMode(m_hDC, TRANSPARENT);
  } else {
    ::ExtTextOutW(m_hDC, x, y, 0, nullptr, p, static_cast<UINT>(cch), nullptr);
  }
}

void MarkupLayout::TextRun() {
  const WCHAR* pStart = m_p;
  const WCHAR* q = m_p;
  int cch = 0;
  while (*q && *q != '\n') {
    if (m_bInRaw ? IsRawEnd(q) : (q != pStart && IsOpenBracket(*q))) break;
    q = CharNextW(q);
    ++cch;
  }
  bool bCut = false;
  bool bEllipsis = false;
  // Measured only when a cheap bound (characters times the widest character) reaches the edge;
  // then one call finds how much fits.
  const int cxMax = std::max<int>(1, Font().tm.tmMaxCharWidth);
  if (m_pt.x + static_cast<long long>(cch) * cxMax >= m_rc.right) {
    const int cchAll = static_cast<int>(q - pStart);
    const long long cxRoom =
        std::clamp<long long>(static_cast<long long>(m_rc.right) - m_pt.x, 0, INT_MAX);
    const int nFit = CharsThatFit(pStart, cchAll, static_cast<int>(cxRoom));
    if (nFit < cchAll) {
      q = pStart + std::max(0, nFit);
      // Never between the halves of a surrogate pair.
      if (q > pStart && CharNextW(CharPrevW(pStart, q)) != q) q = CharPrevW(pStart, q);
      bCut = true;
    }
  }
  if (bCut) {
    // At the line start the first character always stays, however wide, so every line
    // consumes text.
    const bool bLineStart = m_pt.x <= m_rc.left;
    if (q == pStart && bLineStart) q = CharNextW(q);
    if (m_uStyle & DT_WORDBREAK) {
      const WCHAR* pBreak = nullptr;
      for (const WCHAR* s = pStart; s < q; s = CharNextW(s))
        if (!IsAsciiLetter(*s)) pBreak = CharNextW(s);
      if (pBreak) q = pBreak;
    }
    if ((m_uStyle & DT_END_ELLIPSIS) && q > pStart) {
      // Room for the dots: one or two characters go.
      for (int i = 0; i < 2; ++i) {
        const WCHAR* pPrev = CharPrevW(pStart, q);
        if (pPrev == pStart && bLineStart) break;
        q = pPrev;
      }
      bEllipsis = true;
    }
    m_bLineEnd = true;
  }
  const int cchRun = static_cast<int>(q - pStart);
  const int cx = TextWidth(pStart, cchRun);
  if (Drawing()) {
    int x = m_pt.x;
    if (!SingleLine()) {
      const int cxFree = (m_rc.right - m_rc.left) - cx;
      if (m_uStyle & DT_CENTER)
        x += cxFree / 2;
      else if (m_uStyle & DT_RIGHT)
        x += cxFree;
    }
    if (cchRun > 0) DrawRun(pStart, cchRun, x);
    if (bEllipsis) DrawRun(TEXT("..."), 3, x + cx);
  }
  m_pt.x = Clamped(static_cast<long long>(m_pt.x) + cx);
  if (bEllipsis) m_pt.x = std::max<int>(m_pt.x, m_rc.right);
  m_p = q;
  if (m_bInRaw && IsRawEnd(m_p)) {
    m_p += 4;
    m_bInRaw = false;
  }
}

// The name of the link under the mouse, from the rectangles of the previous drawing.
LPCWSTR HoveredLink(CPaintManagerUI* pManager, const RECT* prcLinks, const CUIString* sLinks,
                    int nLinks) {
  if (!prcLinks || !sLinks) return nullptr;
  const POINT pt = pManager->LastMousePos();
  for (int i = 0; i < nLinks; ++i)
    if (::PtInRect(&prcLinks[i], pt)) return sLinks[i].GetData();
  return nullptr;
}

// Moves rc over the text as the alignment flags ask, measuring the text first.
void AlignToText(HDC hDC, CPaintManagerUI* pManager, RECT& rc, LPCWSTR pstrText, DWORD dwColor,
                 UINT uStyle) {
  RECT rcText = {0, 0, 9999, 100};
  int nNoLinks = 0;
  CDrawEngine::DrawMarkupText(hDC, pManager, rcText, pstrText, dwColor, nullptr, nullptr, nNoLinks,
                              uStyle | DT_CALCRECT);
  // A text wider than the rectangle keeps the rectangle's width, so it is cut (or ends in an
  // ellipsis) at the rectangle's edge instead of spilling out on the left.
  const int cxText = std::min<int>(rcText.right - rcText.left, rc.right - rc.left);
  const int cyText = rcText.bottom - rcText.top;
  if (uStyle & DT_SINGLELINE) {
    if (uStyle & DT_CENTER) {
      rc.left += (rc.right - rc.left) / 2 - cxText / 2;
      rc.right = rc.left + cxText;
    } else if (uStyle & DT_RIGHT) {
      rc.left = rc.right - cxText;
    }
  }
  if (uStyle & DT_VCENTER) {
    rc.top += (rc.bottom - rc.top) / 2 - cyText / 2;
    rc.bottom = rc.top + cyText;
  } else if (uStyle & DT_BOTTOM) {
    rc.top = rc.bottom - cyText;
  }
}

}  // namespace

void CDrawEngine::DrawPlainText(HDC hDC, CPaintManagerUI* pManager, RECT& rc, LPCWSTR pstrText,
                                DWORD dwTextColor, int iFont, UINT uStyle) {
  if (pstrText == nullptr || pManager == nullptr) return;
  ::SetBkMode(hDC, TRANSPARENT);
  ::SetTextColor(hDC, ToColorRef(dwTextColor));
  HGDIOBJ hOldFont = ::SelectObject(hDC, pManager->FontAt(iFont));
  ::DrawTextW(hDC, pstrText, -1, &rc, uStyle | DT_NOPREFIX);
  ::SelectObject(hDC, hOldFont);
}

void CDrawEngine::DrawMarkupText(HDC hDC, CPaintManagerUI* pManager, RECT& rc, LPCWSTR pstrText,
                                 DWORD dwTextColor, RECT* prcLinks, CUIString* sLinks,
                                 int& nLinkRects, UINT uStyle) {
  if (pstrText == nullptr || pManager == nullptr || ::IsRectEmpty(&rc)) return;
  const bool bDraw = (uStyle & DT_CALCRECT) == 0;
  const int iSaved = ::SaveDC(hDC);
  if (bDraw) ::IntersectClipRect(hDC, rc.left, rc.top, rc.right, rc.bottom);
  ::SetBkMode(hDC, TRANSPARENT);
  ::SetTextColor(hDC, ToColorRef(dwTextColor));
  ::SetBkColor(hDC, ToColorRef(pManager->SelectedBackColor()));
  if (bDraw && (uStyle & (DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM)))
    AlignToText(hDC, pManager, rc, pstrText, dwTextColor, uStyle);
  const LPCWSTR pstrHover = HoveredLink(pManager, prcLinks, sLinks, nLinkRects);
  // The hovered name is read before the layout overwrites the link names.
  const CUIString sHover(pstrHover ? pstrHover : TEXT(""));
  MarkupLayout layout(hDC, pManager, rc, pstrText, dwTextColor, prcLinks, sLinks, nLinkRects,
                      uStyle, pstrHover ? sHover.GetData() : nullptr);
  nLinkRects = layout.Run();
  ::RestoreDC(hDC, iSaved);
}

}  // namespace SkinUI
