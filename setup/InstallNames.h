#pragma once
// The installer's fixed names: resources, files, window, registry and messages.

#include "Platform/Win32.h"

inline constexpr WCHAR kTempArchiveName[] = TEXT("KestroPlayCrate.7z");
inline constexpr WORD kPayloadResourceId = 106;
inline constexpr WCHAR kPayloadResourceType[] = TEXT("DATA");
inline constexpr WCHAR kLauncherName[] = TEXT("PlayCrate.exe");
inline constexpr WCHAR kUninstallerName[] = TEXT("Uninstall.exe");
inline constexpr WCHAR kShortcutName[] = TEXT("Halvane.lnk");
inline constexpr WCHAR kProductName[] = TEXT("Halvane");
inline constexpr WCHAR kSetupWindowClass[] = TEXT("Setup");
inline constexpr WCHAR kSetupWindowTitle[] = TEXT("Halvane安装程序");
// The single-instance claim: one installer at a time per user session.
inline constexpr WCHAR kSingleInstanceName[] = TEXT("Local\\HalvaneSetup.SingleInstance");
inline constexpr WCHAR kInvalidDriveText[] = TEXT("无效的盘符");
inline constexpr WCHAR kErrorFormat[] = TEXT("Error : %x");

// The registry records: the per-user install directory and the machine-wide uninstall entry.
inline constexpr WCHAR kUserKeyPath[] = TEXT("Software\\Halvane");
inline constexpr WCHAR kInstallPathValueName[] = TEXT("InstallPath");
inline constexpr WCHAR kUninstallKeyParent[] =
    TEXT("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall");
inline constexpr WCHAR kUninstallKeyName[] = TEXT("Halvane");

// WM_COPYDATA tag of a progress report; the data is one 32-bit signed percentage.
inline constexpr ULONG_PTR ProgressCopyTag = 100;

// How long the hidden window stays before the worker ends the program.
inline constexpr DWORD kQuitDelayMs = 3000;
