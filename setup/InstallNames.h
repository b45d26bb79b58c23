#pragma once
// The installer's fixed names: resources, files, window, registry and messages.

#include "Platform/Win32.h"

inline constexpr WCHAR kTempArchiveName[] = u"KestroPlayCrate.7z";
inline constexpr WORD kPayloadResourceId = 106;
inline constexpr WCHAR kPayloadResourceType[] = u"DATA";
inline constexpr WCHAR kLauncherName[] = u"PlayCrate.exe";
inline constexpr WCHAR kUninstallerName[] = u"Uninstall.exe";
inline constexpr WCHAR kShortcutName[] = u"Halvane.lnk";
inline constexpr WCHAR kProductName[] = u"Halvane";
inline constexpr WCHAR kSetupWindowClass[] = u"Setup";
inline constexpr WCHAR kSetupWindowTitle[] = u"Halvane安装程序";
inline constexpr WCHAR kInvalidDriveText[] = u"无效的盘符";
inline constexpr WCHAR kErrorFormat[] = u"Error : %x";

// WM_COPYDATA tag of a progress report; the data is one 32-bit signed percentage.
inline constexpr ULONG_PTR ProgressCopyTag = 100;

// How long the hidden window stays before the worker ends the program.
inline constexpr DWORD kQuitDelayMs = 3000;
