// The plain attributes of a device context: colours, modes, origins, capabilities.

#include "Platform/Gdi/DeviceContext.h"
#include "Platform/Kernel/Unsupported.h"

using namespace Platform;

namespace {

BOOL SetPoint(HDC hdc, POINT DcState::*member, int x, int y, LPPOINT previous, bool offset) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return FALSE;
  POINT& p = dc->state.*member;
  if (previous) *previous = p;
  p = offset ? POINT{p.x + x, p.y + y} : POINT{x, y};
  return TRUE;
}

BOOL GetPoint(HDC hdc, POINT DcState::*member, LPPOINT out) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc || !out) return FALSE;
  *out = dc->state.*member;
  return TRUE;
}

}  // namespace

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF previous = dc->state.textColor;
  dc->state.textColor = color & 0x00FFFFFFu;
  return previous;
}

COLORREF WINAPI GetTextColor(HDC hdc) {
  DeviceContext* dc = FindDc(hdc);
  return dc ? dc->state.textColor : CLR_INVALID;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF previous = dc->state.bkColor;
  dc->state.bkColor = color & 0x00FFFFFFu;
  return previous;
}

COLORREF WINAPI GetBkColor(HDC hdc) {
  DeviceContext* dc = FindDc(hdc);
  return dc ? dc->state.bkColor : CLR_INVALID;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return 0;
  if (mode != TRANSPARENT && mode != OPAQUE) {
    ReportUnsupported("SetBkMode", "mode", mode);
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  int previous = dc->state.bkMode;
  dc->state.bkMode = mode;
  return previous;
}

int WINAPI GetBkMode(HDC hdc) {
  DeviceContext* dc = FindDc(hdc);
  return dc ? dc->state.bkMode : 0;
}

int WINAPI SetStretchBltMode(HDC hdc, int mode) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return 0;
  if (mode < BLACKONWHITE || mode > HALFTONE) {
    ReportUnsupported("SetStretchBltMode", "mode", mode);
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  int previous = dc->state.stretchMode;
  dc->state.stretchMode = mode;
  return previous;
}

int WINAPI GetStretchBltMode(HDC hdc) {
  DeviceContext* dc = FindDc(hdc);
  return dc ? dc->state.stretchMode : 0;
}

BOOL WINAPI SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return SetPoint(hdc, &DcState::windowOrg, x, y, lppt, false);
}

BOOL WINAPI OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return SetPoint(hdc, &DcState::windowOrg, x, y, lppt, true);
}

BOOL WINAPI GetWindowOrgEx(HDC hdc, LPPOINT lppoint) {
  return GetPoint(hdc, &DcState::windowOrg, lppoint);
}

BOOL WINAPI SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return SetPoint(hdc, &DcState::viewportOrg, x, y, lppt, false);
}

BOOL WINAPI OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return SetPoint(hdc, &DcState::viewportOrg, x, y, lppt, true);
}

BOOL WINAPI GetViewportOrgEx(HDC hdc, LPPOINT lppoint) {
  return GetPoint(hdc, &DcState::viewportOrg, lppoint);
}

int WINAPI GetDeviceCaps(HDC hdc, int index) {
  DeviceContext* dc = FindDc(hdc);
  if (!dc) return 0;
  switch (index) {
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZRES: return dc->Width();
    case VERTRES: return dc->Height();
    case HORZSIZE: return dc->Width() * 254 / 960;  // millimetres at 96 dpi
    case VERTSIZE: return dc->Height() * 254 / 960;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT;
    case SHADEBLENDCAPS: return SB_CONST_ALPHA | SB_PIXEL_ALPHA | SB_GRAD_RECT;
    default: ReportUnsupported("GetDeviceCaps", "index", index); return 0;
  }
}
