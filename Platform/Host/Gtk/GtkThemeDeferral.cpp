#include "Platform/Host/Gtk/GtkThemeDeferral.h"

#include <gtk/gtk.h>

#include <cstdlib>

// Made at build time by glib-compile-resources from theme/deferred.gresource.xml.
extern "C" void skinui_deferred_theme_register_resource(void);

namespace Platform {
namespace {

// The stand-in is a theme resource of this name, found by GTK under its own resource path for
// built-in themes.
constexpr char kDeferredTheme[] = "SkinUIDeferred";
constexpr char kDeferredThemeSheet[] = "/org/gtk/libgtk/theme/SkinUIDeferred/gtk.css";
bool g_deferred = false;

gboolean LoadRealTheme(gpointer) {
  RestoreGtkThemeNow();
  return G_SOURCE_REMOVE;
}

}  // namespace

void RestoreGtkThemeNow() {
  if (!g_deferred) return;
  g_deferred = false;
  unsetenv("GTK_THEME");
  // Setting the theme name, even to the same value, makes GTK reload the theme; the variable
  // that forced the stand-in is gone now.
  GtkSettings* settings = gtk_settings_get_default();
  if (settings) {
    gchar* name = nullptr;
    g_object_get(settings, "gtk-theme-name", &name, nullptr);
    g_object_set(settings, "gtk-theme-name", name, nullptr);
    g_free(name);
  }
}

void DeferGtkTheme() {
  if (std::getenv("GTK_THEME") != nullptr) return;
  skinui_deferred_theme_register_resource();
  if (!g_resources_get_info(kDeferredThemeSheet, G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr, nullptr,
                            nullptr))
    return;
  setenv("GTK_THEME", kDeferredTheme, 1);
  g_deferred = true;
}

void CancelGtkThemeDeferral() {
  if (!g_deferred) return;
  g_deferred = false;
  unsetenv("GTK_THEME");
}

void RestoreGtkThemeSoon() {
  if (g_deferred) g_idle_add(LoadRealTheme, nullptr);
}

}  // namespace Platform
