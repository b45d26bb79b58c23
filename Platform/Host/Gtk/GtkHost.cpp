// The GTK 3 host: one borderless GtkWindow per top-level window, input turned into window
// messages, host dialogs run inside the thread's message loop.
#include <gtk/gtk.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "Platform/Host/Gtk/GtkDialogs.h"
#include "Platform/Host/Gtk/GtkKeys.h"
#include "Platform/Host/Gtk/GtkThemeDeferral.h"
#include "Platform/Host/Host.h"
#include "Platform/Text/Utf.h"
#include "Platform/Window/Input.h"
#include "Platform/Window/MessageQueue.h"
#include "Platform/Window/WindowOps.h"

namespace Platform {

struct GtkWindowRecord final : HostWindow {
  HWND hwnd = nullptr;
  GtkWidget* window = nullptr;
  GtkWidget* area = nullptr;
  GtkIMContext* im = nullptr;
  cairo_surface_t* surface = nullptr;
  RECT rect{};
  // The window's own sizing limits (WM_GETMINMAXINFO), which the user's sizing keeps to.
  SIZE minTrack{1, 1};
  SIZE maxTrack{32767, 32767};
  bool toolWindow = false;  // WS_EX_TOOLWINDOW: no taskbar entry, placed like a tooltip
  bool inKeyPress = false;
  std::u16string committed;
};

namespace {

// GTK is driven from the thread that started the host; calls from elsewhere are handed over.
void OnGtkThread(const std::function<void()>& fn) {
  if (OnHostThread()) {
    fn();
    return;
  }
  QueuePtr q;
  {
    auto lock = WindowLock();
    q = QueueOfThreadLocked(HostThreadId());
  }
  if (q) RunOnThread(q, fn);
}

POINT RootPoint(double x, double y) { return POINT{static_cast<LONG>(x), static_cast<LONG>(y)}; }

// Start-up benchmarks time a program from its start to its first frame on the screen: with
// SKINUI_EXIT_AFTER_FIRST_FRAME set, the process ends as soon as the display server has the
// first frame that shows a window's pixels.
bool ExitAfterFirstFrame() {
  static const bool exitAfterFrame = std::getenv("SKINUI_EXIT_AFTER_FIRST_FRAME") != nullptr;
  return exitAfterFrame;
}

gboolean ExitOnceShown(gpointer) {
  gdk_display_sync(gdk_display_get_default());
  _exit(0);
}

gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer data) {
  auto* w = static_cast<GtkWindowRecord*>(data);
  if (w->surface != nullptr) {
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, w->surface, 0, 0);
    cairo_paint(cr);
    // After this draw the frame is handed to the server; the idle call comes after that.
    if (ExitAfterFirstFrame()) g_idle_add(ExitOnceShown, nullptr);
    RestoreGtkThemeSoon();
  }
  return TRUE;
}

gboolean OnMotion(GtkWidget*, GdkEventMotion* e, gpointer data) {
  InputMouseMove(static_cast<GtkWindowRecord*>(data)->hwnd, RootPoint(e->x_root, e->y_root));
  return TRUE;
}

guint32 g_lastButtonTime = GDK_CURRENT_TIME;

gboolean OnButton(GtkWidget*, GdkEventButton* e, gpointer data) {
  auto* w = static_cast<GtkWindowRecord*>(data);
  if (e->type != GDK_BUTTON_PRESS && e->type != GDK_BUTTON_RELEASE) return TRUE;  // we count clicks
  MouseButton b = e->button == 3   ? MouseButton::Right
                  : e->button == 2 ? MouseButton::Middle
                                   : MouseButton::Left;
  if (e->button > 3) return FALSE;
  g_lastButtonTime = e->time;
  InputMouseButton(w->hwnd, RootPoint(e->x_root, e->y_root), b, e->type == GDK_BUTTON_PRESS);
  return TRUE;
}

gboolean OnScroll(GtkWidget*, GdkEventScroll* e, gpointer data) {
  auto* w = static_cast<GtkWindowRecord*>(data);
  POINT p = RootPoint(e->x_root, e->y_root);
  switch (e->direction) {
    case GDK_SCROLL_UP: InputMouseWheel(w->hwnd, p, WHEEL_DELTA, false); break;
    case GDK_SCROLL_DOWN: InputMouseWheel(w->hwnd, p, -WHEEL_DELTA, false); break;
    case GDK_SCROLL_LEFT: InputMouseWheel(w->hwnd, p, -WHEEL_DELTA, true); break;
    case GDK_SCROLL_RIGHT: InputMouseWheel(w->hwnd, p, WHEEL_DELTA, true); break;
    case GDK_SCROLL_SMOOTH:
      if (e->delta_y != 0)
        InputMouseWheel(w->hwnd, p, static_cast<int>(-e->delta_y * WHEEL_DELTA), false);
      if (e->delta_x != 0)
        InputMouseWheel(w->hwnd, p, static_cast<int>(e->delta_x * WHEEL_DELTA), true);
      break;
  }
  return TRUE;
}

gboolean OnLeave(GtkWidget*, GdkEventCrossing* e, gpointer) {
  if (e->detail != GDK_NOTIFY_INFERIOR) InputMouseLeft();
  return FALSE;
}

// Characters Windows makes of keys the input method leaves alone.
std::u16string ControlChars(WORD vk) {
  switch (vk) {
    case VK_RETURN: return u"\r";
    case VK_TAB: return u"\t";
    case VK_BACK: return u"\b";
    case VK_ESCAPE: return u"\x1b";
    default: break;
  }
  if (vk >= 'A' && vk <= 'Z' && KeyIsDown(VK_CONTROL) && !KeyIsDown(VK_MENU)) {
    return std::u16string(1, static_cast<char16_t>(vk - 'A' + 1));
  }
  return u"";
}

gboolean OnKey(GtkWidget*, GdkEventKey* e, gpointer data) {
  auto* w = static_cast<GtkWindowRecord*>(data);
  WORD vk = VirtualKeyFromGdk(e->keyval);
  bool down = e->type == GDK_KEY_PRESS;
  w->committed.clear();
  w->inKeyPress = true;
  bool ctrl = (e->state & GDK_CONTROL_MASK) != 0;
  if (!ctrl) gtk_im_context_filter_keypress(w->im, e);
  w->inKeyPress = false;
  if (vk == 0) {
    if (down && !w->committed.empty()) InputText(w->committed);
    return TRUE;
  }
  std::u16string chars = w->committed;
  if (down && chars.empty()) chars = ControlChars(vk);
  InputKey(vk, down, down ? chars : u"");
  return TRUE;
}

void OnCommit(GtkIMContext*, gchar* text, gpointer data) {
  auto* w = static_cast<GtkWindowRecord*>(data);
  std::u16string t = Utf8ToUtf16(text);
  if (w->inKeyPress) {
    w->committed += t;
  } else {
    InputText(t);
  }
}

gboolean OnFocusIn(GtkWidget*, GdkEventFocus*, gpointer data) {
  auto* w = static_cast<GtkWindowRecord*>(data);
  gtk_im_context_focus_in(w->im);
  if (IsWindowEnabled(w->hwnd)) ActivateWindow(w->hwnd, WA_ACTIVE);
  return FALSE;
}

gboolean OnFocusOut(GtkWidget*, GdkEventFocus*, gpointer data) {
  auto* w = static_cast<GtkWindowRecord*>(data);
  gtk_im_context_focus_out(w->im);
  if (PopupMenuOpen()) return FALSE;
  // Focus that moved to another of our windows was already handed over by ActivateWindow.
  if (GetActiveWindow() == w->hwnd) DeactivateApplication();
  return FALSE;
}

// Asks the window for its sizing limits; on the GTK thread.
void AskLimits(GtkWindowRecord* w) {
  MINMAXINFO mmi = AskMinMaxInfo(w->hwnd);
  w->minTrack =
      SIZE{std::max<LONG>(1, mmi.ptMinTrackSize.x), std::max<LONG>(1, mmi.ptMinTrackSize.y)};
  w->maxTrack = SIZE{std::max(w->minTrack.cx, mmi.ptMaxTrackSize.x),
                     std::max(w->minTrack.cy, mmi.ptMaxTrackSize.y)};
}

// Tells the window manager the limits. They are widened to hold the current size, because
// GTK would otherwise refuse sizes the program itself sets outside them.
void ApplyHints(GtkWindowRecord* w) {
  LONG width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
  GdkGeometry g{};
  g.min_width = std::min(w->minTrack.cx, std::max<LONG>(1, width));
  g.min_height = std::min(w->minTrack.cy, std::max<LONG>(1, height));
  g.max_width = std::max(w->maxTrack.cx, width);
  g.max_height = std::max(w->maxTrack.cy, height);
  gtk_window_set_geometry_hints(GTK_WINDOW(w->window), nullptr, &g,
                                static_cast<GdkWindowHints>(GDK_HINT_MIN_SIZE | GDK_HINT_MAX_SIZE));
}

gboolean OnConfigure(GtkWidget* widget, GdkEventConfigure* e, gpointer data) {
  auto* w = static_cast<GtkWindowRecord*>(data);
  int x = 0, y = 0;
  gtk_window_get_position(GTK_WINDOW(widget), &x, &y);
  RECT r{x, y, x + e->width, y + e->height};
  if (EqualRect(&r, &w->rect)) return FALSE;
  bool resized =
      e->width != w->rect.right - w->rect.left || e->height != w->rect.bottom - w->rect.top;
  if (resized) {
    // The user or the window manager sized the window: it keeps to the window's limits even
    // where no window manager enforces them.
    AskLimits(w);
    r.right = r.left + std::clamp<LONG>(e->width, w->minTrack.cx, w->maxTrack.cx);
    r.bottom = r.top + std::clamp<LONG>(e->height, w->minTrack.cy, w->maxTrack.cy);
  }
  w->rect = r;
  if (resized) {
    ApplyHints(w);
    if (r.right - r.left != e->width || r.bottom - r.top != e->height) {
      gtk_window_resize(GTK_WINDOW(widget), r.right - r.left, r.bottom - r.top);
    }
  }
  SetWindowPos(w->hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  return FALSE;
}

GdkWindowEdge EdgeFromSizing(int edge) {
  switch (edge) {
    case WMSZ_LEFT: return GDK_WINDOW_EDGE_WEST;
    case WMSZ_RIGHT: return GDK_WINDOW_EDGE_EAST;
    case WMSZ_TOP: return GDK_WINDOW_EDGE_NORTH;
    case WMSZ_TOPLEFT: return GDK_WINDOW_EDGE_NORTH_WEST;
    case WMSZ_TOPRIGHT: return GDK_WINDOW_EDGE_NORTH_EAST;
    case WMSZ_BOTTOM: return GDK_WINDOW_EDGE_SOUTH;
    case WMSZ_BOTTOMLEFT: return GDK_WINDOW_EDGE_SOUTH_WEST;
    default: return GDK_WINDOW_EDGE_SOUTH_EAST;
  }
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
  PostMessageW(static_cast<GtkWindowRecord*>(data)->hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  return TRUE;
}

const char* CursorName(int id) {
  switch (id) {
    case 32513: return "text";
    case 32514: return "wait";
    case 32515: return "crosshair";
    case 32516: return "up-arrow";
    case 32642: return "nwse-resize";
    case 32643: return "nesw-resize";
    case 32644: return "ew-resize";
    case 32645: return "ns-resize";
    case 32646: return "move";
    case 32648: return "not-allowed";
    case 32649: return "pointer";
    case 32650: return "progress";
    case 32651: return "help";
    default: return "default";
  }
}

GdkMonitor* PrimaryMonitor() {
  GdkDisplay* display = gdk_display_get_default();
  GdkMonitor* m = gdk_display_get_primary_monitor(display);
  return m != nullptr ? m : gdk_display_get_monitor(display, 0);
}

RECT FromGdk(const GdkRectangle& r) { return RECT{r.x, r.y, r.x + r.width, r.y + r.height}; }

class GtkHost final : public Host {
 public:
  const char* Name() const override { return "gtk"; }

  HostWindow* CreateHostWindow(HWND hwnd, const RECT& r) override {
    auto* w = new GtkWindowRecord();
    w->hwnd = hwnd;
    w->rect = r;
    w->toolWindow = (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
    OnGtkThread([&] { Build(w); });
    std::lock_guard<std::mutex> guard(m_lock);
    m_windows[hwnd] = w;
    return w;
  }

  void DestroyHostWindow(HostWindow* hw) override {
    auto* w = static_cast<GtkWindowRecord*>(hw);
    {
      std::lock_guard<std::mutex> guard(m_lock);
      m_windows.erase(w->hwnd);
    }
    OnGtkThread([&] {
      g_object_unref(w->im);
      gtk_widget_destroy(w->window);
      if (w->surface != nullptr) cairo_surface_destroy(w->surface);
      delete w;
    });
  }

  void ShowHostWindow(HostWindow* hw, bool show, bool activate) override {
    auto* w = static_cast<GtkWindowRecord*>(hw);
    OnGtkThread([&] {
      if (!show) {
        gtk_widget_hide(w->window);
        return;
      }
      AskLimits(w);
      ApplyHints(w);
      gtk_window_set_focus_on_map(GTK_WINDOW(w->window), activate);
      gtk_window_move(GTK_WINDOW(w->window), w->rect.left, w->rect.top);
      gtk_widget_show_all(w->window);
      if (activate) gtk_window_present(GTK_WINDOW(w->window));
    });
  }

  void MoveHostWindow(HostWindow* hw, const RECT& r) override {
    auto* w = static_cast<GtkWindowRecord*>(hw);
    OnGtkThread([&] {
      if (EqualRect(&r, &w->rect)) return;  // the host itself reported this place
      w->rect = r;
      ApplyHints(w);
      gtk_window_move(GTK_WINDOW(w->window), r.left, r.top);
      gtk_window_resize(GTK_WINDOW(w->window), std::max<LONG>(1, r.right - r.left),
                        std::max<LONG>(1, r.bottom - r.top));
    });
  }

  void SetHostTitle(HostWindow* hw, const std::u16string& title) override {
    auto* w = static_cast<GtkWindowRecord*>(hw);
    std::string utf8 = Utf16ToUtf8(title);
    OnGtkThread([&] { gtk_window_set_title(GTK_WINDOW(w->window), utf8.c_str()); });
  }

  void Present(HostWindow* hw, cairo_surface_t* surface, const RECT& r) override {
    auto* w = static_cast<GtkWindowRecord*>(hw);
    OnGtkThread([&] {
      if (w->surface != surface) {
        if (w->surface != nullptr) cairo_surface_destroy(w->surface);
        w->surface = cairo_surface_reference(surface);
      }
      gtk_widget_queue_draw_area(w->area, r.left, r.top, r.right - r.left, r.bottom - r.top);
    });
  }

  void SetShape(HostWindow* hw, const cairo_region_t* shape) override {
    auto* w = static_cast<GtkWindowRecord*>(hw);
    cairo_region_t* copy = shape != nullptr ? cairo_region_copy(shape) : nullptr;
    OnGtkThread([&] {
      gtk_widget_shape_combine_region(w->window, copy);
      gtk_widget_input_shape_combine_region(w->window, copy);
    });
    if (copy != nullptr) cairo_region_destroy(copy);
  }

  void SetOpacity(HostWindow* hw, BYTE alpha) override {
    auto* w = static_cast<GtkWindowRecord*>(hw);
    OnGtkThread([&] { gtk_widget_set_opacity(w->window, alpha / 255.0); });
  }

  void SetKeepAbove(HostWindow* hw, bool above) override {
    auto* w = static_cast<GtkWindowRecord*>(hw);
    OnGtkThread([&] { gtk_window_set_keep_above(GTK_WINDOW(w->window), above); });
  }

  void SetMinimized(HostWindow* hw, bool minimized) override {
    auto* w = static_cast<GtkWindowRecord*>(hw);
    OnGtkThread([&] {
      if (minimized) {
        gtk_window_iconify(GTK_WINDOW(w->window));
      } else {
        gtk_window_deiconify(GTK_WINDOW(w->window));
      }
    });
  }

  void Activate(HostWindow* hw) override {
    auto* w = static_cast<GtkWindowRecord*>(hw);
    OnGtkThread([&] {
      if (gtk_widget_get_visible(w->window)) gtk_window_present(GTK_WINDOW(w->window));
    });
  }

  void BeginMoveDrag(HostWindow* hw, int button, POINT screen) override {
    auto* w = static_cast<GtkWindowRecord*>(hw);
    OnGtkThread([&] {
      gtk_window_begin_move_drag(GTK_WINDOW(w->window), button, screen.x, screen.y,
                                 g_lastButtonTime);
    });
  }

  void BeginResizeDrag(HostWindow* hw, int edge, int button, POINT screen) override {
    auto* w = static_cast<GtkWindowRecord*>(hw);
    OnGtkThread([&] {
      AskLimits(w);
      ApplyHints(w);
      gtk_window_begin_resize_drag(GTK_WINDOW(w->window), EdgeFromSizing(edge), button, screen.x,
                                   screen.y, g_lastButtonTime);
    });
  }

  void SetCursorShape(HostWindow* hw, int id) override {
    auto* w = static_cast<GtkWindowRecord*>(hw);
    OnGtkThread([&] {
      GdkWindow* gw = gtk_widget_get_window(w->window);
      if (gw == nullptr) return;
      GdkCursor* c = gdk_cursor_new_from_name(gdk_window_get_display(gw), CursorName(id));
      gdk_window_set_cursor(gw, c);
      if (c != nullptr) g_object_unref(c);
    });
  }

  RECT ScreenRect() override {
    RECT r{};
    OnGtkThread([&] {
      GdkRectangle g{};
      gdk_monitor_get_geometry(PrimaryMonitor(), &g);
      r = FromGdk(g);
    });
    return r;
  }

  RECT WorkArea() override {
    RECT r{};
    OnGtkThread([&] {
      GdkRectangle g{};
      gdk_monitor_get_workarea(PrimaryMonitor(), &g);
      r = FromGdk(g);
    });
    return r;
  }

  int MessageBox(HWND owner, const std::u16string& text, const std::u16string& caption,
                 UINT type) override {
    RestoreGtkThemeNow();
    return RunMessageDialog(ParentOf(owner), text, caption, type);
  }

  bool BrowseForFolder(HWND owner, const std::u16string& title, std::u16string* path) override {
    RestoreGtkThemeNow();
    return RunFolderDialog(ParentOf(owner), title, path);
  }

  int ShowContextMenu(HWND owner, POINT screen, const std::vector<MenuItem>& items) override {
    int chosen = 0;
    OnGtkThread([&] { chosen = RunContextMenu(ParentOf(owner), screen, items); });
    return chosen;
  }

  void SetClipboardText(const std::u16string& text) override {
    std::string utf8 = Utf16ToUtf8(text);
    OnGtkThread([&] {
      gtk_clipboard_set_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD), utf8.c_str(),
                             static_cast<gint>(utf8.size()));
    });
  }

  bool GetClipboardText(std::u16string* text) override {
    bool found = false;
    OnGtkThread([&] {
      gchar* utf8 = gtk_clipboard_wait_for_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
      if (utf8 == nullptr) return;
      *text = Utf8ToUtf16(utf8);
      found = true;
      g_free(utf8);
    });
    return found;
  }

  bool RunsOnHostThread() const override { return true; }
  bool OwnsEventLoop() const override { return true; }

  void WaitForEvents(int timeoutMs) override {
    guint source = 0;
    if (timeoutMs >= 0) {
      source = g_timeout_add(
          static_cast<guint>(timeoutMs),
          +[](gpointer flag) -> gboolean {
            *static_cast<guint*>(flag) = 0;
            return G_SOURCE_REMOVE;
          },
          &source);
    }
    g_main_context_iteration(nullptr, TRUE);
    if (source != 0) g_source_remove(source);
  }

  void DispatchPendingEvents() override {
    for (int i = 0; i < 64 && g_main_context_iteration(nullptr, FALSE); ++i) {
    }
  }

  void Wake() override { g_main_context_wakeup(nullptr); }

 private:
  GtkWindow* ParentOf(HWND owner) {
    std::lock_guard<std::mutex> guard(m_lock);
    auto it = m_windows.find(GetAncestor(owner, GA_ROOT));
    return it != m_windows.end() ? GTK_WINDOW(it->second->window) : nullptr;
  }

  static void Build(GtkWindowRecord* w) {
    w->window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWindow* win = GTK_WINDOW(w->window);
    gtk_window_set_decorated(win, FALSE);
    if (w->toolWindow) {
      gtk_window_set_skip_taskbar_hint(win, TRUE);
      gtk_window_set_skip_pager_hint(win, TRUE);
      gtk_window_set_type_hint(win, GDK_WINDOW_TYPE_HINT_TOOLTIP);
    }
    gtk_widget_set_app_paintable(w->window, TRUE);
    GdkScreen* screen = gtk_widget_get_screen(w->window);
    if (GdkVisual* rgba = gdk_screen_get_rgba_visual(screen))
      gtk_widget_set_visual(w->window, rgba);
    gtk_window_move(win, w->rect.left, w->rect.top);
    gtk_window_set_default_size(win, std::max<LONG>(1, w->rect.right - w->rect.left),
                                std::max<LONG>(1, w->rect.bottom - w->rect.top));
    w->area = gtk_drawing_area_new();
    gtk_widget_set_can_focus(w->area, TRUE);
    gtk_container_add(GTK_CONTAINER(w->window), w->area);
    gtk_widget_add_events(w->area, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK |
                                       GDK_BUTTON_RELEASE_MASK | GDK_SCROLL_MASK |
                                       GDK_SMOOTH_SCROLL_MASK | GDK_KEY_PRESS_MASK |
                                       GDK_KEY_RELEASE_MASK | GDK_LEAVE_NOTIFY_MASK |
                                       GDK_ENTER_NOTIFY_MASK | GDK_FOCUS_CHANGE_MASK);
    w->im = gtk_im_multicontext_new();
    g_signal_connect(w->im, "commit", G_CALLBACK(OnCommit), w);
    g_signal_connect(w->area, "draw", G_CALLBACK(OnDraw), w);
    g_signal_connect(w->area, "motion-notify-event", G_CALLBACK(OnMotion), w);
    g_signal_connect(w->area, "button-press-event", G_CALLBACK(OnButton), w);
    g_signal_connect(w->area, "button-release-event", G_CALLBACK(OnButton), w);
    g_signal_connect(w->area, "scroll-event", G_CALLBACK(OnScroll), w);
    g_signal_connect(w->area, "leave-notify-event", G_CALLBACK(OnLeave), w);
    g_signal_connect(w->window, "key-press-event", G_CALLBACK(OnKey), w);
    g_signal_connect(w->window, "key-release-event", G_CALLBACK(OnKey), w);
    g_signal_connect(w->window, "focus-in-event", G_CALLBACK(OnFocusIn), w);
    g_signal_connect(w->window, "focus-out-event", G_CALLBACK(OnFocusOut), w);
    g_signal_connect(w->window, "configure-event", G_CALLBACK(OnConfigure), w);
    g_signal_connect(w->window, "delete-event", G_CALLBACK(OnDelete), w);
    gtk_widget_realize(w->window);
    gtk_im_context_set_client_window(w->im, gtk_widget_get_window(w->window));
  }

  std::mutex m_lock;
  std::map<HWND, GtkWindowRecord*> m_windows;
};

// GTK's own widgets (the folder chooser keeps its size, sort order and view) store settings
// through GSettings, whose usual store (dconf) is written over the session bus. Without a
// session bus every such write fails with a warning on the terminal; they are kept in memory
// for the run instead. A settings store chosen by the environment is left alone.
void UseMemorySettingsWithoutSessionBus() {
  if (std::getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr) return;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr &&
      g_file_test((std::string(runtime) + "/bus").c_str(), G_FILE_TEST_EXISTS))
    return;
  g_setenv("GSETTINGS_BACKEND", "memory", FALSE);
}

}  // namespace

Host* CreateGtkHost() {
  UseMemorySettingsWithoutSessionBus();
  DeferGtkTheme();
  if (!gtk_init_check(nullptr, nullptr)) {
    CancelGtkThemeDeferral();
    return nullptr;
  }
  return new GtkHost();
}

}  // namespace Platform
