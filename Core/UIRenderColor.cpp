// Colour fills, gradients, outlines and the hue/saturation/lightness shift.

#include "Core/UIColor.h"
#include "Core/UIRender.h"

namespace SkinUI {

namespace {

void FillSolid(HDC hDC, const RECT& rc, DWORD argb) {
  HBRUSH brush = CreateSolidBrush(ToColorRef(argb));
  if (!brush) return;
  FillRect(hDC, &rc, brush);
  DeleteObject(brush);
}

// A 1 x 1 bitmap holding the colour premultiplied, as the blend expects.
HBITMAP CreatePixelBitmap(DWORD argb) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 1;
  info.bmiHeader.biHeight = -1;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = 4;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    return nullptr;
  }
  const DWORD a = AlphaOf(argb);
  BYTE* px = static_cast<BYTE*>(bits);
  px[0] = static_cast<BYTE>(BlueOf(argb) * a / 255);
  px[1] = static_cast<BYTE>(GreenOf(argb) * a / 255);
  px[2] = static_cast<BYTE>(RedOf(argb) * a / 255);
  px[3] = static_cast<BYTE>(a);
  return bitmap;
}

typedef BOOL(WINAPI* GradientFillProc)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

// Looked up once; the paint manager has loaded the library by the time anything is drawn.
GradientFillProc PlatformGradientFill() {
  static const GradientFillProc proc = [] {
    HMODULE module = GetModuleHandleW(TEXT("msimg32.dll"));
    return module ? reinterpret_cast<GradientFillProc>(
                        reinterpret_cast<void (*)()>(GetProcAddress(module, "GradientFill")))
                  : nullptr;
  }();
  return proc;
}

TRIVERTEX Vertex(LONG x, LONG y, DWORD argb) {
  TRIVERTEX v = {};
  v.x = x;
  v.y = y;
  v.Red = static_cast<COLOR16>(RedOf(argb) << 8);
  v.Green = static_cast<COLOR16>(GreenOf(argb) << 8);
  v.Blue = static_cast<COLOR16>(BlueOf(argb) << 8);
  v.Alpha = 0xFF00;
  return v;
}

// The opaque gradient over rc of hDC, through the platform when it can.
void DrawGradient(HDC hDC, const RECT& rc, DWORD dwFirst, DWORD dwSecond, bool bVertical,
                  int nSteps) {
  GradientFillProc gradientFill = PlatformGradientFill();
  if (!gradientFill) {
    CDrawEngine::FillGradientBands(hDC, rc, dwFirst, dwSecond, bVertical, nSteps);
    return;
  }
  TRIVERTEX vertices[2] = {Vertex(rc.left, rc.top, dwFirst), Vertex(rc.right, rc.bottom, dwSecond)};
  GRADIENT_RECT mesh = {0, 1};
  gradientFill(hDC, vertices, 2, &mesh, 1, bVertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

int BandShift(int nSteps) {
  if (nSteps <= 3) return 1;
  if (nSteps <= 7) return 2;
  if (nSteps <= 15) return 3;
  if (nSteps <= 31) return 4;
  if (nSteps <= 63) return 5;
  return 6;
}

BYTE MixChannel(BYTE first, BYTE second, int i, int shift) {
  const int bands = 1 << shift;
  return static_cast<BYTE>((second * (bands - i) + first * i) >> shift);
}

// A pen of the colour selected into the context for one drawing call; the previous pen (and,
// for outlines, brush) come back when the object goes.
class ScopedPen {
 public:
  ScopedPen(HDC hDC, int style, int width, DWORD argb, bool hollow)
      : m_hDC(hDC), m_pen(CreatePen(style, width, ToColorRef(argb))) {
    if (!m_pen) return;
    m_oldPen = SelectObject(hDC, m_pen);
    if (hollow) m_oldBrush = SelectObject(hDC, GetStockObject(NULL_BRUSH));
  }
  ~ScopedPen() {
    if (!m_pen) return;
    if (m_oldBrush) SelectObject(m_hDC, m_oldBrush);
    SelectObject(m_hDC, m_oldPen);
    DeleteObject(m_pen);
  }
  ScopedPen(const ScopedPen&) = delete;
  ScopedPen& operator=(const ScopedPen&) = delete;
  explicit operator bool() const { return m_pen != nullptr; }

 private:
  HDC m_hDC;
  HPEN m_pen;
  HGDIOBJ m_oldPen = nullptr;
  HGDIOBJ m_oldBrush = nullptr;
};

}  // namespace

void CDrawEngine::FillColor(HDC hDC, const RECT& rc, DWORD color) {
  if (color <= 0x00FFFFFF) return;
  if (color >= 0xFF000000) {
    FillSolid(hDC, rc, color);
    return;
  }
  HBITMAP pixel = CreatePixelBitmap(color);
  if (!pixel) return;
  const RECT source = {0, 0, 1, 1};
  const RECT corners = {0, 0, 0, 0};
  DrawImageGrid(hDC, pixel, rc, rc, source, corners, true, 255);
  DeleteObject(pixel);
}

void CDrawEngine::FillGradient(HDC hDC, const RECT& rc, DWORD dwFirst, DWORD dwSecond,
                               bool bVertical, int nSteps) {
  const int alpha = (AlphaOf(dwFirst) + AlphaOf(dwSecond)) / 2;
  if (alpha == 0) return;
  if (alpha == 255) {
    DrawGradient(hDC, rc, dwFirst, dwSecond, bVertical, nSteps);
    return;
  }
  const int width = rc.right - rc.left;
  const int height = rc.bottom - rc.top;
  if (width <= 0 || height <= 0) return;
  // Translucent: draw opaque on a surface of its own, then blend it at the average alpha.
  HDC memDC = CreateCompatibleDC(hDC);
  if (!memDC) return;
  HBITMAP bitmap = CreateCompatibleBitmap(hDC, width, height);
  if (bitmap) {
    HGDIOBJ old = SelectObject(memDC, bitmap);
    const RECT local = {0, 0, width, height};
    DrawGradient(memDC, local, dwFirst, dwSecond, bVertical, nSteps);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
    AlphaBlend(hDC, rc.left, rc.top, width, height, memDC, 0, 0, width, height, blend);
    SelectObject(memDC, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memDC);
}

void CDrawEngine::FillGradientBands(HDC hDC, const RECT& rc, DWORD dwFirst, DWORD dwSecond,
                                    bool bVertical, int nSteps) {
  const int shift = BandShift(nSteps);
  const int bands = 1 << shift;
  const LONGLONG extent = bVertical ? rc.bottom - rc.top : rc.right - rc.left;
  const LONG farEdge = bVertical ? rc.bottom : rc.right;
  for (int i = 0; i < bands; ++i) {
    RECT band = rc;
    const LONG start = farEdge - static_cast<LONG>(((i + 1) * extent) >> shift);
    const LONG end = farEdge - static_cast<LONG>((i * extent) >> shift);
    if (end <= start) continue;
    if (bVertical) {
      band.top = start;
      band.bottom = end;
    } else {
      band.left = start;
      band.right = end;
    }
    const DWORD color =
        0xFF000000u |
        static_cast<DWORD>(MixChannel(RedOf(dwFirst), RedOf(dwSecond), i, shift)) << 16 |
        static_cast<DWORD>(MixChannel(GreenOf(dwFirst), GreenOf(dwSecond), i, shift)) << 8 |
        MixChannel(BlueOf(dwFirst), BlueOf(dwSecond), i, shift);
    FillSolid(hDC, band, color);
  }
}

void CDrawEngine::DrawLine(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor) {
  ScopedPen pen(hDC, PS_SOLID, nSize, dwPenColor, false);
  if (!pen) return;
  MoveToEx(hDC, rc.left, rc.top, nullptr);
  LineTo(hDC, rc.right, rc.bottom);
}

void CDrawEngine::DrawRectFrame(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor) {
  ScopedPen pen(hDC, PS_INSIDEFRAME, nSize, dwPenColor, true);
  if (!pen) return;
  Rectangle(hDC, rc.left, rc.top, rc.right, rc.bottom);
}

void CDrawEngine::DrawRoundRectFrame(HDC hDC, const RECT& rc, int width, int height, int nSize,
                                     DWORD dwPenColor) {
  ScopedPen pen(hDC, PS_INSIDEFRAME, nSize, dwPenColor, true);
  if (!pen) return;
  RoundRect(hDC, rc.left, rc.top, rc.right, rc.bottom, width, height);
}

namespace {

// One component of the way back from hue, saturation and lightness.
float HueToComponent(float p, float q, float t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (6 * t < 1) return p + (q - p) * 6 * t;
  if (2 * t < 1) return q;
  if (3 * t < 2) return p + (q - p) * (2.0f / 3.0f - t) * 6;
  return p;
}

DWORD ToByte(float value) {
  float scaled = value * 255.0f;
  if (scaled < 0) scaled = 0;
  if (scaled > 255) scaled = 255;
  return static_cast<DWORD>(scaled);
}

}  // namespace

// The components are taken from the lowest byte up, so the first is blue: skins are tuned to
// the direction in which that turns the hue.
DWORD CDrawEngine::AdjustColor(DWORD dwColor, short H, short S, short L) {
  if (H == 180 && S == 100 && L == 100) return dwColor;
  const float r = static_cast<float>(dwColor & 0xFF) / 255.0f;
  const float g = static_cast<float>((dwColor >> 8) & 0xFF) / 255.0f;
  const float b = static_cast<float>((dwColor >> 16) & 0xFF) / 255.0f;
  const float maxV = r > g ? (r > b ? r : b) : (g > b ? g : b);
  const float minV = r < g ? (r < b ? r : b) : (g < b ? g : b);
  const float l = (maxV + minV) / 2;
  float h = 0;
  float s = 0;
  if (maxV != minV) {
    const float delta = maxV - minV;
    if (r == minV) {
      h = 3 - (g - b) / delta;
    } else if (g == minV) {
      h = 5 - (b - r) / delta;
    } else {
      h = 1 - (r - g) / delta;
    }
    if (h >= 6) h -= 6;
    h *= 60;
    s = 2 * l <= 1 ? delta / (maxV + minV) : delta / (2 - maxV - minV);
  }
  float hue = static_cast<float>(H) - 180 + h;
  if (hue <= 0) hue += 360;
  const float sat = s * static_cast<float>(S) / 100;
  const float light = l * static_cast<float>(L) / 100;
  const float q = 2 * light < 1 ? light * (1 + sat) : light + sat - light * sat;
  const float p = 2 * light - q;
  const float t = hue / 360;
  const DWORD first = ToByte(HueToComponent(p, q, t + 1.0f / 3.0f));
  const DWORD second = ToByte(HueToComponent(p, q, t));
  const DWORD third = ToByte(HueToComponent(p, q, t - 1.0f / 3.0f));
  return (dwColor & 0xFF000000u) | third << 16 | second << 8 | first;
}

}  // namespace SkinUI
