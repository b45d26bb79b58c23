#pragma once
// A skinned test window on the headless host. The skin is written by the test: loose files in
// a temporary folder, a zip file there, or resources of this test program. The window records
// the notifications it receives and the handlers its maps call.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Control/WinImplBase.h"
#include "Core/UIControl.h"
#include "support/Drive.h"
#include "support/SkinSettingsScope.h"
#include "support/TempDir.h"
#include "support/WideString.h"
#include "support/WindowsPath.h"

class TestSkinWnd : public SkinUI::WindowImplBase {
 public:
  SkinUI::CUIString sFolder;
  SkinUI::CUIString sFile = TEXT("skin.xml");
  UINT uSource = SkinUI::SkinFromFolder;
  SkinUI::CUIString sZipName;
  LPCWSTR pResourceId = nullptr;
  int nSkinReady = 0;
  // Makes controls for tags the builder does not know (none when empty).
  std::function<SkinUI::CControlUI*(LPCWSTR)> customControls;
  // "type:sender" for each notification, then "handler:sender" for each handler called.
  std::vector<std::string> log;

  static std::string Name(const SkinUI::TNotifyMsg& msg) {
    return msg.pSender ? Utf8(msg.pSender->GetName().GetData()) : "-";
  }
  void Receive(SkinUI::TNotifyMsg& msg) override {
    log.push_back(Utf8(msg.sType.GetData()) + ":" + Name(msg));
    WindowImplBase::Receive(msg);
  }
  SkinUI::CControlUI* CreateCustomControl(LPCWSTR pstrClass) override {
    return customControls ? customControls(pstrClass) : nullptr;
  }
  using WindowImplBase::m_PaintManager;

 protected:
  LPCWSTR WindowClassName() const override { return TEXT("SkinUITestSkinWnd"); }
  SkinUI::CUIString SkinFolder() const override { return sFolder; }
  SkinUI::CUIString SkinFile() const override { return sFile; }
  UINT SkinSource() const override { return uSource; }
  SkinUI::CUIString SkinZipName() const override { return sZipName; }
  LPCWSTR SkinResourceId() const override { return pResourceId; }
  void OnSkinReady() override { ++nSkinReady; }
  void OnClickNotification(SkinUI::TNotifyMsg& msg) override {
    log.push_back("base-click:" + Name(msg));
    WindowImplBase::OnClickNotification(msg);
  }
};

class SkinWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Drive::Reset();
    Drive::SetScreen({0, 0, 1000, 800}, {0, 0, 1000, 760});
    Drive::TakeMessageBoxes();
  }
  // The window goes before the object that runs it.
  void TearDown() override {
    if (m_hWnd != nullptr && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
    Drive::RunUntilIdle();
    Drive::Reset();
  }

  // The temporary folder as the Windows path a skin folder is given as (trailing backslash).
  SkinUI::CUIString FolderPath() {
    WString path = TestSupport::WindowsPath(m_dir.Path());
    if (path.empty() || path.back() != TEXT('\\')) path += TEXT('\\');
    return SkinUI::CUIString(path.c_str());
  }
  void WriteSkin(const std::string& markup) {
    TestSupport::WriteFile(m_dir / "skin.xml",
                           "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + markup);
  }
  // Creates and shows the window with the folder skin written before.
  HWND OpenFolderSkin(DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE) {
    m_wnd.sFolder = FolderPath();
    return Open(style);
  }
  HWND Open(DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE) {
    m_hWnd = m_wnd.Create(nullptr, TEXT("skinned"), style, 0, 10, 20, 400, 300);
    Drive::RunUntilIdle();
    return m_hWnd;
  }
  POINT ScreenPoint(int x, int y) {
    POINT pt = {x, y};
    ClientToScreen(m_hWnd, &pt);
    return pt;
  }
  void ClickAt(int x, int y) {
    POINT pt = ScreenPoint(x, y);
    Drive::Click(pt.x, pt.y);
    Drive::RunUntilIdle();
  }

  SkinUI::CControlUI* Find(const WCHAR* name) {
    return m_wnd.m_PaintManager.FindControlByName(name);
  }

  TestSupport::TempDir m_dir{"skin"};
  TestSupport::SkinSettingsScope m_skin;
  TestSkinWnd m_wnd;
  HWND m_hWnd = nullptr;
};
