#pragma once
// The GTK host's dialogs. Each runs the calling thread's message loop until it is answered, as
// a modal Windows dialog does (a quit request ends the dialog and is passed on), and speaks the
// calling thread's UI language. Host thread only.

#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "Platform/Host/MenuItem.h"
#include "Platform/Win32.h"

namespace Platform {

// Runs the thread's message loop until `done` is set by a handler of a GTK signal (which then
// posts the thread a WM_NULL to wake it). False when a quit request ended it first; the request
// is posted again.
bool RunMessagesUntil(const bool& done);

// Shows the dialog and runs the message loop until it answers; destroys it. The response id,
// or GTK_RESPONSE_DELETE_EVENT when a quit request ended it.
int RunDialog(GtkWidget* dialog);

// MessageBoxW's dialog: the buttons and icon of `type`, the first button the default. The
// button's id (IDOK...), or what closing the dialog means for that type.
int RunMessageDialog(GtkWindow* parent, const std::u16string& text, const std::u16string& caption,
                     UINT type);

// SHBrowseForFolderW's dialog (GtkFolderDialog.cpp). On entry `path` may hold the Windows path
// to start at (the nearest folder of it that exists is shown; empty: drive C). The prefix's
// drives are offered as shortcuts. On success `path` holds the chosen folder as a Windows path
// under the drive whose folder holds it, or the full Windows path the user typed.
bool RunFolderDialog(GtkWindow* parent, const std::u16string& title, std::u16string* path);

// Host::ShowContextMenu (GtkContextMenu.cpp): the menu at a screen point over `parent`.
int RunContextMenu(GtkWindow* parent, POINT screen, const std::vector<MenuItem>& items);
// While a shortcut menu is open its grab takes the keyboard from the window under it; the
// window stays the active one (the menu acts on its focused control when it closes).
bool PopupMenuOpen();

}  // namespace Platform
