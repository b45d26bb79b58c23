#pragma once
// A setup window on the headless host in a fresh prefix, created as the program's entry creates
// it, with the shipped skin registered as "ZIPRES" 105 of this test program.

#include <gtest/gtest.h>

#include <string>

#include "Platform/Host/Headless/Headless.h"
#include "Platform/Kernel/Modules.h"
#include "Platform/Kernel/Resources.h"
#include "Platform/Text/Utf.h"
#include "setup/InstallNames.h"
#include "setup/SetupWnd.h"
#include "support/SkinSettingsScope.h"
#include "support/TempDir.h"
#include "support/TestPrefix.h"

class SetupWindow : public ::testing::Test {
 protected:
  static constexpr RECT kScreen = {0, 0, 1280, 800};
  static constexpr RECT kWorkArea = {0, 0, 1280, 760};

  void SetUp() override {
    Platform::Headless::Reset();
    Platform::Headless::SetScreen(kScreen, kWorkArea);
    Platform::Headless::TakeMessageBoxes();
    RegisterShippedSkin();
    // Other tests of this program register a stand-in window class of the same name; the
    // setup window needs its own, and theirs comes back afterwards.
    m_savedClass.cbSize = sizeof(m_savedClass);
    m_hadClass = GetClassInfoExW(nullptr, kSetupWindowClass, &m_savedClass);
    if (m_hadClass) UnregisterClassW(kSetupWindowClass, nullptr);
  }
  void TearDown() override {
    Close();
    UnregisterClassW(kSetupWindowClass, nullptr);
    if (m_hadClass) RegisterClassExW(&m_savedClass);
    Platform::Headless::Reset();
  }

  // The bytes of the zip the build made from assets/skin.
  static std::string ShippedSkinZip() {
    const char* build = std::getenv("SKINUI_BUILD_DIR");
    std::string dir = build ? build : "build";
    return TestSupport::ReadFile(dir + "/assets/skin/skin.zip");
  }
  static void RegisterShippedSkin() {
    static const std::string zip = ShippedSkinZip();
    ASSERT_FALSE(zip.empty()) << "build the skin first (target skin)";
    Platform::RegisterResource(Platform::ProgramModule(), u"ZIPRES", MAKEINTRESOURCEW(105),
                               zip.data(), zip.size());
  }

  // Creates, centres and shows the window as the entry does, then paints it.
  void Open() {
    m_pWnd = new CSetupWnd();
    m_hWnd = m_pWnd->Create(nullptr, kSetupWindowTitle, 0x10CF0000, 0x00000100, 0, 0, 525, 350);
    ASSERT_NE(m_hWnd, nullptr);
    m_pWnd->CenterOnOwner();
    ShowWindow(m_hWnd, SW_SHOWNORMAL);
    Platform::Headless::RunUntilIdle();
  }
  void Close() {
    if (m_hWnd != nullptr && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);  // deletes m_pWnd
    m_hWnd = nullptr;
    m_pWnd = nullptr;
    Platform::Headless::RunUntilIdle();
  }

  // Writes HKCU\Software\Halvane "InstallPath" (no terminator, as the installer stores it).
  static void StoreInstallPath(const char16_t* value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\Halvane", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    DWORD bytes = static_cast<DWORD>(std::char_traits<char16_t>::length(value) * 2);
    ASSERT_EQ(
        RegSetValueExW(key, u"InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes),
        ERROR_SUCCESS);
    RegCloseKey(key);
  }

  SkinUI::CPaintManagerUI& Manager() { return m_pWnd->PaintManager(); }
  SkinUI::CControlUI* Control(const char16_t* name) {
    SkinUI::CControlUI* control = Manager().FindControlByName(name);
    EXPECT_NE(control, nullptr) << Narrow(name);
    return control;
  }
  std::u16string Text(const char16_t* name) {
    SkinUI::CControlUI* control = Control(name);
    return control ? std::u16string(control->GetText().GetData()) : std::u16string();
  }
  SkinUI::CEditUI* Edit() {
    return static_cast<SkinUI::CEditUI*>(Control(u"edit_path")->GetInterfaceByName(u"Edit"));
  }
  SkinUI::CProgressUI* Progress() {
    return static_cast<SkinUI::CProgressUI*>(
        Control(u"Progress_setup")->GetInterfaceByName(u"Progress"));
  }
  static std::string Narrow(const char16_t* text) { return Platform::Utf16ToUtf8(text); }

  POINT ScreenPoint(int x, int y) {
    POINT pt = {x, y};
    ClientToScreen(m_hWnd, &pt);
    return pt;
  }
  // Clicks the middle of a control with the mouse; a click that ends the loop is expected
  // only when asked for.
  void ClickControl(const char16_t* name, bool expectQuit = false) {
    const RECT rc = Control(name)->GetPos();
    POINT pt = ScreenPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    Platform::Headless::Click(pt.x, pt.y);
    EXPECT_EQ(Platform::Headless::RunUntilIdle(), !expectQuit) << Narrow(name);
  }
  // A key pressed and released as the message loop sees it: the paint manager's pre-translation
  // first (Tab, accelerators), then the window. False when the loop would end (WM_QUIT).
  bool Press(WORD vk, HWND target = nullptr) {
    for (UINT message : {WM_KEYDOWN, WM_KEYUP}) {
      MSG msg = {};
      msg.hwnd = target ? target : m_hWnd;
      msg.message = message;
      msg.wParam = vk;
      if (!SkinUI::CPaintManagerUI::PreTranslate(&msg)) DispatchMessageW(&msg);
      if (!Platform::Headless::RunUntilIdle()) return false;
    }
    return true;
  }
  void SendProgress(ULONG_PTR tag, LONG percent) {
    COPYDATASTRUCT record = {tag, sizeof(percent), &percent};
    SendMessageW(m_hWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record));
    Platform::Headless::RunUntilIdle();
  }

  TestSupport::TestPrefix m_prefix;
  TestSupport::SkinSettingsScope m_skin;
  CSetupWnd* m_pWnd = nullptr;
  HWND m_hWnd = nullptr;
  WNDCLASSEXW m_savedClass = {};
  BOOL m_hadClass = FALSE;
};
