#pragma once
// A skinned window on the headless host for control tests: a paint manager attached to a
// borderless window at the screen's top-left corner (client = screen coordinates), a tree built
// from skin XML, the notifications it sends, and solid-colour PNG images in a temporary skin
// folder.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "Control/UIDlgBuilder.h"
#include "Core/UIBase.h"
#include "Core/UIManager.h"
#include "LabelPng.h"
#include "support/Drive.h"
#include "support/SkinSettingsScope.h"
#include "support/TempDir.h"
#include "support/TestPrefix.h"
#include "support/WideString.h"
#include "support/WindowsPath.h"

namespace ControlTest {

struct Note {
  WString type;
  SkinUI::CControlUI* sender;
  WPARAM wParam;
  bool operator==(const Note&) const = default;
};
void PrintTo(const Note& note, std::ostream* os);

class SkinWindow : public SkinUI::CWindowWnd, public SkinUI::INotifyUI {
 public:
  SkinWindow() = default;
  ~SkinWindow() override;

  // Opens the window with the tree of `xml` (a Window element with one root control) and
  // paints it. False when the skin does not build.
  bool Open(const WString& xml, int width, int height);
  // Opens the window with a root made in code (owned by the manager from then on).
  bool OpenWith(SkinUI::CControlUI* root, int width, int height);

  SkinUI::CPaintManagerUI& Manager() { return m_pm; }
  SkinUI::CControlUI* Find(LPCWSTR name) { return m_pm.FindControlByName(name); }
  // Runs the message loop until idle, so pending paints happen.
  void Settle();
  uint32_t Pixel(int x, int y);

  std::vector<Note> notes;
  // Only the notes of one type.
  std::vector<Note> NotesOf(const WString& type) const;
  // The notes without the manager's focus changes.
  std::vector<Note> ControlNotes() const;

  void Receive(SkinUI::TNotifyMsg& msg) override;

 protected:
  LPCWSTR WindowClassName() const override { return TEXT("SkinUIControlTestWindow"); }
  LRESULT OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool Show(int width, int height);
  SkinUI::CPaintManagerUI m_pm;
};

// Per-test scaffolding: a prefix, a skin folder the manager reads images from, the host reset.
class ControlFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Writes a solid-colour PNG into the skin folder.
  void AddImage(const std::string& name, int width, int height, uint32_t argb);

  TestSupport::TestPrefix m_prefix;
  TestSupport::SkinSettingsScope m_settings;
  TestSupport::TempDir m_skin{"controls"};
};

}  // namespace ControlTest
