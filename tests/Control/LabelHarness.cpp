#include "LabelHarness.h"

#include "support/WideString.h"

using namespace SkinUI;

namespace ControlTest {

SkinWindow::~SkinWindow() {
  if (Handle() != nullptr) ::DestroyWindow(Handle());
}

LRESULT SkinWindow::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_CREATE) {
    m_pm.AttachWindow(Handle());
    m_pm.AddListener(this);
  }
  LRESULT lRes = 0;
  if (m_pm.RouteMessage(uMsg, wParam, lParam, lRes)) return lRes;
  return DefaultProcessing(uMsg, wParam, lParam);
}

void SkinWindow::Receive(TNotifyMsg& msg) {
  notes.push_back({WString(msg.sType.GetData()), msg.pSender, msg.wParam});
}

void PrintTo(const Note& note, std::ostream* os) {
  *os << std::string(note.type.begin(), note.type.end()) << " from " << note.sender << " ("
      << note.wParam << ")";
}

std::vector<Note> SkinWindow::ControlNotes() const {
  std::vector<Note> out;
  for (const Note& n : notes)
    if (n.type != TEXT("setfocus") && n.type != TEXT("killfocus")) out.push_back(n);
  return out;
}

std::vector<Note> SkinWindow::NotesOf(const WString& type) const {
  std::vector<Note> out;
  for (const Note& n : notes)
    if (n.type == type) out.push_back(n);
  return out;
}

bool SkinWindow::Show(int width, int height) {
  ::SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetForegroundWindow(Handle());
  Settle();
  return true;
}

bool SkinWindow::Open(const WString& xml, int width, int height) {
  if (Create(nullptr, TEXT("controls"), WS_POPUP, 0, 0, 0, width, height) == nullptr) return false;
  CLayoutBuilder builder;
  CControlUI* root = builder.Create(xml.c_str(), nullptr, nullptr, &m_pm);
  if (root == nullptr || !m_pm.AttachRoot(root)) return false;
  return Show(width, height);
}

bool SkinWindow::OpenWith(CControlUI* root, int width, int height) {
  if (Create(nullptr, TEXT("controls"), WS_POPUP, 0, 0, 0, width, height) == nullptr) return false;
  if (!m_pm.AttachRoot(root)) return false;
  return Show(width, height);
}

void SkinWindow::Settle() { Drive::RunUntilIdle(); }

uint32_t SkinWindow::Pixel(int x, int y) {
  Settle();
  return Drive::Pixel(Handle(), x, y);
}

void ControlFixture::SetUp() {
  Drive::Reset();
  Drive::SetScreen({0, 0, 1024, 768}, {0, 0, 1024, 740});
  CPaintManagerUI::SetResourceFolder(TestSupport::WindowsPath(m_skin.Path()).c_str());
}

void ControlFixture::TearDown() { Drive::Reset(); }

void ControlFixture::AddImage(const std::string& name, int width, int height, uint32_t argb) {
  TestSupport::WriteFile(m_skin / name, SolidPng(width, height, argb));
}

}  // namespace ControlTest
