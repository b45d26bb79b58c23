// Host::ShowContextMenu on GTK: a popup menu, modal like the dialogs.
#include "Platform/Host/Gtk/GtkDialogs.h"
#include "Platform/Text/Utf.h"

namespace Platform {
namespace {

int g_openMenus = 0;

struct MenuRun {
  int chosen = 0;
  bool done = false;
};

// "&Copy" as GTK writes the access key: "_Copy" (a literal "_" doubled, "&&" an "&").
std::string MnemonicLabel(const std::u16string& text) {
  std::u16string label;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'_') {
      label += u"__";
    } else if (text[i] == u'&' && i + 1 < text.size()) {
      label += text[i + 1] == u'&' ? u'&' : u'_';
      if (text[i + 1] == u'&') ++i;
    } else {
      label += text[i];
    }
  }
  return Utf16ToUtf8(label);
}

void AddItem(GtkWidget* menu, const MenuItem& item, MenuRun* run) {
  GtkWidget* widget = item.text.empty()
                          ? gtk_separator_menu_item_new()
                          : gtk_menu_item_new_with_mnemonic(MnemonicLabel(item.text).c_str());
  gtk_widget_set_sensitive(widget, item.enabled);
  g_object_set_data(G_OBJECT(widget), "skinui-id", GINT_TO_POINTER(item.id));
  if (!item.text.empty())
    g_signal_connect(widget, "activate", G_CALLBACK(+[](GtkMenuItem* self, gpointer data) {
                       static_cast<MenuRun*>(data)->chosen =
                           GPOINTER_TO_INT(g_object_get_data(G_OBJECT(self), "skinui-id"));
                     }),
                     run);
  gtk_menu_shell_append(GTK_MENU_SHELL(menu), widget);
}

// The menu grabs the pointer and keyboard for the device and time of the event that opens it;
// the right button's release has already been turned into messages, so one stands in for it.
GdkEvent* TriggerEvent(GdkWindow* over) {
  GdkEvent* event = gdk_event_new(GDK_BUTTON_RELEASE);
  event->button.window = GDK_WINDOW(g_object_ref(over));
  event->button.time = GDK_CURRENT_TIME;
  event->button.button = 3;
  GdkSeat* seat = gdk_display_get_default_seat(gdk_window_get_display(over));
  gdk_event_set_device(event, gdk_seat_get_pointer(seat));
  return event;
}

}  // namespace

bool PopupMenuOpen() { return g_openMenus > 0; }

int RunContextMenu(GtkWindow* parent, POINT screen, const std::vector<MenuItem>& items) {
  GdkWindow* over = parent != nullptr ? gtk_widget_get_window(GTK_WIDGET(parent)) : nullptr;
  if (over == nullptr || items.empty()) return 0;
  MenuRun run;
  GtkWidget* menu = gtk_menu_new();
  for (const MenuItem& item : items) AddItem(menu, item, &run);
  // The chosen item's "activate" comes right after "deactivate", in the same dispatch.
  g_signal_connect(menu, "deactivate", G_CALLBACK(+[](GtkMenuShell*, gpointer data) {
                     static_cast<MenuRun*>(data)->done = true;
                     PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
                   }),
                   &run);
  gtk_menu_attach_to_widget(GTK_MENU(menu), GTK_WIDGET(parent), nullptr);
  gtk_widget_show_all(menu);
  int x = 0, y = 0;
  gdk_window_get_origin(over, &x, &y);
  GdkRectangle at{screen.x - x, screen.y - y, 1, 1};
  GdkEvent* trigger = TriggerEvent(over);
  gtk_menu_popup_at_rect(GTK_MENU(menu), over, &at, GDK_GRAVITY_NORTH_WEST, GDK_GRAVITY_NORTH_WEST,
                         trigger);
  gdk_event_free(trigger);
  ++g_openMenus;
  RunMessagesUntil(run.done);
  --g_openMenus;
  gtk_widget_destroy(menu);
  return run.chosen;
}

}  // namespace Platform
