// SHBrowseForFolderW's dialog on GTK: a folder chooser that starts at the caller's folder, offers
// the prefix's drives, and answers in drive letters.
#include <limits.h>
#include <stdlib.h>

#include "Platform/Host/Gtk/GtkDialogText.h"
#include "Platform/Host/Gtk/GtkDialogs.h"
#include "Platform/Kernel/PathMap.h"
#include "Platform/Text/Utf.h"

namespace Platform {
namespace {

// The Select button's answer. Not GTK_RESPONSE_ACCEPT: on that the chooser itself acts on a
// typed name first, creating a folder of that name ("D:\Games" inside the shown folder), before
// the answer arrives here.
const int kSelectResponse = 1;

bool IsFolder(const std::string& posix) { return g_file_test(posix.c_str(), G_FILE_TEST_IS_DIR); }

// The deepest folder on the way to `windows` that exists; drive C's folder when none does.
std::string StartFolder(const std::u16string& windows) {
  std::string posix;
  if (!windows.empty() && MapWindowsPath(windows, &posix) == ERROR_SUCCESS) {
    while (!posix.empty() && !IsFolder(posix)) {
      size_t slash = posix.find_last_of('/');
      posix = slash == 0 || slash == std::string::npos ? "/" : posix.substr(0, slash);
      if (posix == "/") break;
    }
    if (IsFolder(posix)) return posix;
  }
  std::string drive;
  return DriveTarget(u'c', &drive) && IsFolder(drive) ? drive : CurrentDir();
}

// Each drive's link in the prefix, so the side bar names it by its letter ("c:").
void AddDriveShortcuts(GtkFileChooser* chooser) {
  const std::string links = PrefixDir() + "/dosdevices/";
  for (char16_t letter = u'a'; letter <= u'z'; ++letter) {
    std::string target;
    if (!DriveTarget(letter, &target) || !IsFolder(target)) continue;
    std::string link = links + static_cast<char>(letter) + ":";
    gtk_file_chooser_add_shortcut_folder(chooser, link.c_str(), nullptr);
  }
}

// A chosen folder as a Windows path: its real location, under the drive whose folder holds it
// (the side bar's drive links lead through the dosdevices folder).
std::u16string WindowsFolder(const std::string& chosen) {
  char real[PATH_MAX];
  std::string resolved = realpath(chosen.c_str(), real) != nullptr ? real : chosen;
  return PosixToWindowsPath(resolved);
}

bool IsFullWindowsPath(const std::string& text) {
  return text.size() >= 3 && g_ascii_isalpha(text[0]) && text[1] == ':' &&
         (text[2] == '\\' || text[2] == '/');
}

// The text of the chooser's location entry, when it is shown: what the user typed.
void FindLocationText(GtkWidget* widget, gpointer data) {
  auto* text = static_cast<std::string*>(data);
  if (!text->empty()) return;
  if (GTK_IS_ENTRY(widget) && gtk_widget_is_visible(widget)) {
    *text = gtk_entry_get_text(GTK_ENTRY(widget));
  } else if (GTK_IS_CONTAINER(widget)) {
    gtk_container_forall(GTK_CONTAINER(widget), FindLocationText, data);
  }
}

struct Answer {
  std::string typed;   // a full Windows path typed into the location entry
  std::string chosen;  // else the folder GTK chose
};

void OnResponse(GtkDialog* dialog, gint id, gpointer data) {
  if (id != kSelectResponse) return;
  auto* answer = static_cast<Answer*>(data);
  std::string typed;
  FindLocationText(GTK_WIDGET(dialog), &typed);
  if (IsFullWindowsPath(typed)) {
    answer->typed = typed;
    return;
  }
  gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog));
  if (name == nullptr) name = gtk_file_chooser_get_current_folder(GTK_FILE_CHOOSER(dialog));
  if (name != nullptr) answer->chosen = name;
  g_free(name);
}

}  // namespace

bool RunFolderDialog(GtkWindow* parent, const std::u16string& title, std::u16string* path) {
  const DialogText& words = DialogTextForThread();
  std::string t = Utf16ToUtf8(title);
  GtkWidget* dialog = gtk_file_chooser_dialog_new(
      t.c_str(), parent, GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, words.cancel, GTK_RESPONSE_CANCEL,
      words.selectFolder, kSelectResponse, nullptr);
  GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
  gtk_file_chooser_set_local_only(chooser, TRUE);
  AddDriveShortcuts(chooser);
  gtk_file_chooser_set_current_folder(chooser, StartFolder(*path).c_str());
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), kSelectResponse);
  Answer answer;
  g_signal_connect(dialog, "response", G_CALLBACK(OnResponse), &answer);
  if (RunDialog(dialog) != kSelectResponse) return false;
  if (!answer.typed.empty()) {
    std::u16string typed = Utf8ToUtf16(answer.typed);
    for (char16_t& c : typed)
      if (c == u'/') c = u'\\';
    *path = typed;
    return true;
  }
  if (answer.chosen.empty()) return false;
  *path = WindowsFolder(answer.chosen);
  return !path->empty();
}

}  // namespace Platform
