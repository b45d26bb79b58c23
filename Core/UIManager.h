#pragma once
// CPaintManagerUI: the paint manager of one native window, and the process-wide skin settings
// that say where skin files and images come from.

#include "Platform/Win32.h"
#include "Utils/Utils.h"

namespace SkinUI {

struct SkinArchive;

class CPaintManagerUI {
 public:
  // --- Skin settings: process-wide, shared by every manager, written during start-up. ---

  // The module whose file locates the skin folder and in which windows are registered.
  static HINSTANCE Instance();
  static void SetInstance(HINSTANCE hInst);
  // The instance module's folder, with its trailing backslash; empty without a module.
  static CUIString InstanceFolder();
  // The module whose embedded resources hold skin files.
  static HINSTANCE ResourceModule();

  // Folder of loose skin files; ends in a separator once set to anything but "".
  static const CUIString& ResourceFolder();
  static void SetResourceFolder(LPCWSTR pStrPath);

  // The skin archive's file name relative to the folder; "membuffer" for one held in memory;
  // empty for loose files.
  static const CUIString& ResourceZipName();
  static bool IsZipKeptOpen();
  static SkinArchive* OpenZipHandle();
  // With bKeepOpen the archive is opened at once and kept until the setting changes.
  static void SetResourceZip(LPCWSTR pstrZip, bool bKeepOpen = false);
  // Selects an archive held in memory; the caller keeps the block alive for the process.
  static void SetResourceZipBuffer(LPVOID pVoid, unsigned int len);

  static void HueShift(short* H, short* S, short* L);

 private:
  static void CloseKeptZip();
};

}  // namespace SkinUI
