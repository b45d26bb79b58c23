#pragma once
// GTK parses the desktop theme's style sheet (some hundred kilobytes of CSS) when the first window
// is made, which costs a noticeable share of the time to the first frame; our windows draw all
// their pixels themselves and need none of it for that frame. So an empty stand-in theme is
// active until the first frame is presented, and then the real one is loaded, before any of
// GTK's own widgets (edit boxes, pickers, menus) can be shown. A theme the user chose with
// GTK_THEME is left alone. GTK thread only.

namespace Platform {

// Before gtk_init.
void DeferGtkTheme();
// When gtk_init failed: nothing will load the real theme, so the variable goes.
void CancelGtkThemeDeferral();
// After a frame was presented: loads the real theme from an idle call.
void RestoreGtkThemeSoon();
// Before one of GTK's own dialogs is made: loads the real theme now. Once only; cheap after.
void RestoreGtkThemeNow();

}  // namespace Platform
