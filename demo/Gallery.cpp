// Every control and layout of the framework on tabs, built from the gallery's own skin (linked
// into the program), so a skin author can see and try each one. The option buttons "tab<N>"
// switch the tab layout "pages"; each notification is printed as "notify <type> <sender name>".
// Usage: Gallery [lifetime-ms]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Control/UIDlgBuilder.h"
#include "Core/UIBase.h"
#include "Core/UIManager.h"
#include "Layout/UITabLayout.h"

namespace {

using namespace SkinUI;

const UINT_PTR kLifetimeTimer = 0x7F00;

std::string Ascii(const CUIString& text) {
  std::string out;
  for (LPCWSTR p = text.GetData(); *p; ++p) out += static_cast<char>(*p < 128 ? *p : '?');
  return out;
}

class GalleryWindow : public CWindowWnd, public INotifyUI {
 public:
  CPaintManagerUI pm;

  void Receive(TNotifyMsg& msg) override {
    const CUIString sName = msg.pSender ? msg.pSender->GetName() : CUIString(TEXT("-"));
    std::printf("notify %s %s\n", Ascii(msg.sType).c_str(), Ascii(sName).c_str());
    std::fflush(stdout);
    if (msg.sType == TEXT("selectchanged") && sName.GetLength() == 4 &&
        sName.Left(3) == TEXT("tab"))
      SelectPage(sName[3] - TEXT('0'));
  }

 protected:
  LPCWSTR WindowClassName() const override { return TEXT("SkinUIGallery"); }
  UINT WindowClassStyle() const override { return CS_DBLCLKS; }

  LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
    if (uMsg == WM_CREATE) {
      pm.AttachWindow(m_hWnd);
      CLayoutBuilder builder;
      CControlUI* pRoot = builder.Create(MAKEINTRESOURCEW(1), TEXT("xml"), nullptr, &pm);
      if (pRoot == nullptr) {
        std::fprintf(stderr, "Gallery: the skin does not build\n");
        return -1;
      }
      pm.AttachRoot(pRoot);
      pm.AddListener(this);
    } else if (uMsg == WM_TIMER && wParam == kLifetimeTimer) {
      Close();
      return 0;
    } else if (uMsg == WM_DESTROY) {
      PostQuitMessage(0);
    }
    LRESULT lRes = 0;
    if (pm.GetPaintWindow() && pm.RouteMessage(uMsg, wParam, lParam, lRes)) return lRes;
    return DefaultProcessing(uMsg, wParam, lParam);
  }

 private:
  void SelectPage(int iPage) {
    auto* pPages = static_cast<CTabLayoutUI*>(pm.FindControlByName(TEXT("pages")));
    if (pPages != nullptr) pPages->SelectItem(iPage);
  }
};

}  // namespace

int main(int argc, char** argv) {
  const int lifetime = argc > 1 ? std::atoi(argv[1]) : 0;
  GalleryWindow window;
  if (!window.Create(nullptr, TEXT("SkinUI Gallery"), WS_POPUP | WS_VISIBLE, 0, 100, 100, 640,
                     420)) {
    std::fprintf(stderr, "Gallery: cannot create the window\n");
    return 1;
  }
  if (lifetime > 0) SetTimer(window.Handle(), kLifetimeTimer, static_cast<UINT>(lifetime), nullptr);
  CPaintManagerUI::MessageLoop();
  return 0;
}
