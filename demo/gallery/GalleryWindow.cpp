#include "GalleryWindow.h"

#include <cstdio>
#include <string>

#include "Control/UIDateTime.h"
#include "Control/UIDlgBuilder.h"
#include "GallerySkin.h"
#include "Layout/UITabLayout.h"

using namespace SkinUI;

namespace {

const UINT_PTR kLifetimeTimer = 0x7F00;

std::string Ascii(const CUIString& text) {
  std::string out;
  for (LPCWSTR p = text.GetData(); *p; ++p) out += static_cast<char>(*p < 128 ? *p : '?');
  return out;
}

}  // namespace

void GalleryWindow::FixDate(const SYSTEMTIME& stDate) {
  m_stDate = stDate;
  m_bFixedDate = true;
}

void GalleryWindow::CloseAfter(UINT nMs) {
  if (nMs > 0) ::SetTimer(Handle(), kLifetimeTimer, nMs, nullptr);
}

void GalleryWindow::Receive(TNotifyMsg& msg) {
  const CUIString sName = msg.pSender ? msg.pSender->GetName() : CUIString(TEXT("-"));
  std::printf("notify %s %s\n", Ascii(msg.sType).c_str(), Ascii(sName).c_str());
  std::fflush(stdout);
  if (msg.sType == TEXT("selectchanged") && sName.GetLength() == 4 && sName.Left(3) == TEXT("tab"))
    SelectPage(sName[3] - TEXT('0'));
}

LPCWSTR GalleryWindow::WindowClassName() const { return TEXT("SkinUIGallery"); }

UINT GalleryWindow::WindowClassStyle() const { return CS_DBLCLKS; }

LRESULT GalleryWindow::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_CREATE) {
    if (!BuildSkin()) {
      std::fprintf(stderr, "Gallery: the skin does not build\n");
      return -1;
    }
  } else if (uMsg == WM_TIMER && wParam == kLifetimeTimer) {
    Close();
    return 0;
  } else if (uMsg == WM_DESTROY) {
    ::PostQuitMessage(0);
  }
  LRESULT lRes = 0;
  if (m_pm.GetPaintWindow() && m_pm.RouteMessage(uMsg, wParam, lParam, lRes)) return lRes;
  return DefaultProcessing(uMsg, wParam, lParam);
}

bool GalleryWindow::BuildSkin() {
  m_pm.AttachWindow(m_hWnd);
  CLayoutBuilder builder;
  CControlUI* pRoot = builder.Create(kGallerySkinMarkup, nullptr, nullptr, &m_pm);
  if (pRoot == nullptr) return false;
  m_pm.AttachRoot(pRoot);
  m_pm.AddListener(this);
  if (m_bFixedDate) {
    auto* pDate = static_cast<CDateTimeUI*>(m_pm.FindControlByName(TEXT("date")));
    if (pDate != nullptr) pDate->SetTime(m_stDate);
  }
  return true;
}

void GalleryWindow::SelectPage(int iPage) {
  auto* pPages = static_cast<CTabLayoutUI*>(m_pm.FindControlByName(TEXT("pages")));
  if (pPages != nullptr) pPages->SelectItem(iPage);
}
