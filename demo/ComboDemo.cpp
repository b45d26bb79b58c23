// A combo on a real display: clicking it opens the drop-down, clicking an item there picks it.
// Each notification of the window's manager is printed as "notify <type> <sender> <wParam>".
// Usage: ComboDemo [lifetime-ms]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Control/UICombo.h"
#include "Core/UIBase.h"
#include "Core/UIManager.h"

namespace {

using namespace SkinUI;

const UINT_PTR kLifetimeTimer = 0x7F00;

class DemoWindow : public CWindowWnd, public INotifyUI {
 public:
  CPaintManagerUI pm;

  void Receive(TNotifyMsg& msg) override {
    std::string out = "notify ";
    for (LPCWSTR p = msg.sType.GetData(); *p; ++p) out += static_cast<char>(*p < 128 ? *p : '?');
    out += ' ';
    const CUIString name = msg.pSender ? msg.pSender->GetName() : CUIString(TEXT("-"));
    for (LPCWSTR p = name.GetData(); *p; ++p) out += static_cast<char>(*p < 128 ? *p : '?');
    std::printf("%s %lu\n", out.c_str(), static_cast<unsigned long>(msg.wParam));
    std::fflush(stdout);
  }

 protected:
  LPCWSTR WindowClassName() const override { return TEXT("SkinUIComboDemo"); }

  LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
    if (uMsg == WM_CREATE) {
      pm.AttachWindow(m_hWnd);
      pm.AttachRoot(BuildTree());
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
  // The window is 300 x 200 with the combo at (20,20)-(220,44); its four items are 24 high.
  static CControlUI* BuildTree() {
    CContainerUI* root = new CContainerUI;
    root->SetBkColor(0xFFFFFFFF);
    CComboUI* combo = new CComboUI;
    combo->SetName(TEXT("combo"));
    combo->ApplyAttributes(TEXT("float=\"true\" pos=\"20,20,220,44\" bkcolor=\"#FFE0E0E0\" "
                                "dropboxsize=\"0,200\" itemselectedbkcolor=\"#FF3070C0\""));
    const LPCWSTR texts[] = {TEXT("Red"), TEXT("Green"), TEXT("Blue"), TEXT("Black")};
    for (LPCWSTR text : texts) {
      CListLabelElementUI* item = new CListLabelElementUI;
      item->SetText(text);
      item->SetFixedHeight(24);
      combo->Add(item);
    }
    root->Add(combo);
    return root;
  }
};

}  // namespace

int main(int argc, char** argv) {
  const int lifetime = argc > 1 ? std::atoi(argv[1]) : 60000;
  DemoWindow window;
  if (!window.Create(nullptr, TEXT("SkinUI Combo Demo"), WS_POPUP | WS_VISIBLE, 0, 100, 100, 300,
                     200)) {
    std::fprintf(stderr, "ComboDemo: cannot create the window\n");
    return 1;
  }
  SetTimer(window.Handle(), kLifetimeTimer, static_cast<UINT>(lifetime), nullptr);
  CPaintManagerUI::MessageLoop();
  return 0;
}
