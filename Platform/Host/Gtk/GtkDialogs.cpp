#include "Platform/Host/Gtk/GtkDialogs.h"

#include "Platform/Host/Gtk/GtkDialogText.h"
#include "Platform/Text/Utf.h"

namespace Platform {
namespace {

// The buttons of a message box type, in the order Windows shows them. Answers the id of the
// default button: the first unless MB_DEFBUTTON2 or MB_DEFBUTTON3 name another.
int AddButtons(GtkDialog* dialog, UINT type) {
  const DialogText& t = DialogTextForThread();
  int ids[3] = {};
  int count = 0;
  auto add = [&](const char* label, int id) {
    gtk_dialog_add_button(dialog, label, id);
    if (count < 3) ids[count++] = id;
  };
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      add(t.ok, IDOK);
      add(t.cancel, IDCANCEL);
      break;
    case MB_ABORTRETRYIGNORE:
      add(t.abort, IDABORT);
      add(t.retry, IDRETRY);
      add(t.ignore, IDIGNORE);
      break;
    case MB_YESNOCANCEL:
      add(t.yes, IDYES);
      add(t.no, IDNO);
      add(t.cancel, IDCANCEL);
      break;
    case MB_YESNO:
      add(t.yes, IDYES);
      add(t.no, IDNO);
      break;
    case MB_RETRYCANCEL:
      add(t.retry, IDRETRY);
      add(t.cancel, IDCANCEL);
      break;
    case MB_CANCELTRYCONTINUE:
      add(t.cancel, IDCANCEL);
      add(t.tryAgain, IDTRYAGAIN);
      add(t.next, IDCONTINUE);
      break;
    default: add(t.ok, IDOK); break;
  }
  int wanted = (type & MB_DEFMASK) == MB_DEFBUTTON3   ? 2
               : (type & MB_DEFMASK) == MB_DEFBUTTON2 ? 1
                                                      : 0;
  return ids[wanted < count ? wanted : 0];
}

// What closing the dialog without a button means.
int DismissAnswer(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OK: return IDOK;
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDCANCEL;
  }
}

GtkMessageType MessageType(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONERROR: return GTK_MESSAGE_ERROR;
    case MB_ICONQUESTION: return GTK_MESSAGE_QUESTION;
    case MB_ICONWARNING: return GTK_MESSAGE_WARNING;
    case MB_ICONINFORMATION: return GTK_MESSAGE_INFO;
    default: return GTK_MESSAGE_OTHER;
  }
}

// Runs the thread's message loop until the dialog answers, as a modal Windows dialog does; a
// quit request ends the dialog and is passed on.
}  // namespace

bool RunMessagesUntil(const bool& done) {
  MSG msg;
  while (!done) {
    BOOL r = GetMessageW(&msg, nullptr, 0, 0);
    if (r <= 0) {
      if (r == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

int RunDialog(GtkWidget* dialog) {
  struct State {
    int response = 0;
    bool done = false;
  } state;
  g_signal_connect(dialog, "response", G_CALLBACK(+[](GtkDialog*, gint id, gpointer data) {
                     auto* s = static_cast<State*>(data);
                     s->response = id;
                     s->done = true;
                     PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
                   }),
                   &state);
  gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
  gtk_widget_show_all(dialog);
  RunMessagesUntil(state.done);
  gtk_widget_destroy(dialog);
  return state.done ? state.response : GTK_RESPONSE_DELETE_EVENT;
}

int RunMessageDialog(GtkWindow* parent, const std::u16string& text, const std::u16string& caption,
                     UINT type) {
  std::string body = Utf16ToUtf8(text), title = Utf16ToUtf8(caption);
  GtkWidget* dialog =
      gtk_message_dialog_new(parent, GTK_DIALOG_DESTROY_WITH_PARENT, MessageType(type),
                             GTK_BUTTONS_NONE, "%s", body.c_str());
  gtk_window_set_title(GTK_WINDOW(dialog), title.c_str());
  if ((type & MB_TOPMOST) != 0) gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), AddButtons(GTK_DIALOG(dialog), type));
  int answer = RunDialog(dialog);
  return answer > 0 ? answer : DismissAnswer(type);
}

}  // namespace Platform
