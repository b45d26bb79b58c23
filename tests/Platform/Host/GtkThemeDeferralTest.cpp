// The stand-in theme the GTK host uses until its first frame: built into the program, forced
// through GTK_THEME only when the user chose no theme, and withdrawn when GTK cannot start.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Platform/Host/Gtk/GtkThemeDeferral.h"

namespace {

TEST(GtkThemeDeferral, TheStandInIsForcedOnlyWhenNoThemeWasChosen) {
  unsetenv("GTK_THEME");
  Platform::DeferGtkTheme();
  const char* forced = std::getenv("GTK_THEME");
  ASSERT_NE(forced, nullptr) << "the stand-in theme resource is missing from the program";
  EXPECT_EQ(std::string("SkinUIDeferred"), forced);
  Platform::CancelGtkThemeDeferral();
  EXPECT_EQ(std::getenv("GTK_THEME"), nullptr);

  setenv("GTK_THEME", "Adwaita:dark", 1);
  Platform::DeferGtkTheme();
  EXPECT_EQ(std::string("Adwaita:dark"), std::getenv("GTK_THEME"));
  Platform::CancelGtkThemeDeferral();
  EXPECT_EQ(std::string("Adwaita:dark"), std::getenv("GTK_THEME"));
  unsetenv("GTK_THEME");
}

}  // namespace
