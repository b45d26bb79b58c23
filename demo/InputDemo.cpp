// Real input driving a tree of controls built in code: a box that lights up while the pointer is
// over it, a button whose clicks are printed, and a list of coloured rows that scrolls with the
// wheel. Each notification is printed as "notify <type> <sender name>".
// Usage: InputDemo [lifetime-ms]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Control/UILabel.h"
#include "Core/UIBase.h"
#include "Core/UIManager.h"
#include "Layout/UIVerticalLayout.h"

namespace {

using namespace SkinUI;

const UINT_PTR kLifetimeTimer = 0x7F00;
const DWORD kBoxColor = 0xFF2050A0;
const DWORD kBoxHotColor = 0xFFF0B020;

void Print(const CUIString& text) {
  std::string out;
  for (LPCWSTR p = text.GetData(); *p; ++p) out += static_cast<char>(*p < 128 ? *p : '?');
  std::printf("%s\n", out.c_str());
  std::fflush(stdout);
}

class DemoWindow : public CWindowWnd, public INotifyUI {
 public:
  CPaintManagerUI pm;

  void Receive(TNotifyMsg& msg) override {
    CUIString line = TEXT("notify ");
    line += msg.sType;
    line += TEXT(" ");
    line += msg.pSender ? msg.pSender->GetName() : CUIString(TEXT("-"));
    Print(line);
  }

 protected:
  LPCWSTR WindowClassName() const override { return TEXT("SkinUIInputDemo"); }
  UINT WindowClassStyle() const override { return CS_DBLCLKS; }

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
  static CControlUI* Float(CControlUI* pControl, LPCWSTR name, LPCWSTR pos) {
    pControl->SetName(name);
    pControl->SetFloat(true);
    CUIString attrs = TEXT("pos=\"");
    attrs += pos;
    attrs += TEXT("\"");
    pControl->ApplyAttributes(attrs);
    return pControl;
  }

  // The window is 300 x 200: box (10,10)-(110,60), button (130,10)-(230,60), list
  // (10,80)-(290,190) of ten 30-high rows in two colours.
  static CControlUI* BuildTree() {
    CContainerUI* root = new CContainerUI;
    root->SetBkColor(0xFFFFFFFF);
    root->SetMouseEnabled(false);

    CControlUI* box = Float(new CControlUI, TEXT("box"), TEXT("10,10,110,60"));
    box->SetBkColor(kBoxColor);
    box->OnEventDelegates.Add([box](TUIEvent& e) {
      if (e.Type == EventMouseEnter) box->SetBkColor(kBoxHotColor);
      if (e.Type == EventMouseLeave) box->SetBkColor(kBoxColor);
      return true;
    });
    root->Add(box);

    CButtonUI* button = new CButtonUI;
    Float(button, TEXT("btn"), TEXT("130,10,230,60"));
    button->SetBkColor(0xFF30A050);
    button->SetText(TEXT("Click"));
    root->Add(button);

    CVerticalLayoutUI* list = new CVerticalLayoutUI;
    Float(list, TEXT("list"), TEXT("10,80,290,190"));
    list->EnableScrollBars(true, false);
    for (int i = 0; i < 10; i++) {
      CControlUI* row = new CControlUI;
      row->SetFixedHeight(30);
      row->SetBkColor(i % 2 == 0 ? 0xFFC03030 : 0xFF30C0C0);
      list->Add(row);
    }
    root->Add(list);
    return root;
  }
};

}  // namespace

int main(int argc, char** argv) {
  const int lifetime = argc > 1 ? std::atoi(argv[1]) : 60000;
  DemoWindow window;
  if (!window.Create(nullptr, TEXT("SkinUI Input Demo"), WS_POPUP | WS_VISIBLE, 0, 100, 100, 300,
                     200)) {
    std::fprintf(stderr, "InputDemo: cannot create the window\n");
    return 1;
  }
  SetTimer(window.Handle(), kLifetimeTimer, static_cast<UINT>(lifetime), nullptr);
  CPaintManagerUI::MessageLoop();
  return 0;
}
