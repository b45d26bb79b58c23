/* The GTK 3 peer of HalvaneSetup's start-up: a borderless 518 x 345 window with the skin's
 * background picture and the same 14 widgets (three labels, six check buttons, an entry, three
 * buttons and a progress bar) from a GtkBuilder description styled by CSS. It ends as soon as
 * its first frame has reached the display server.
 *
 * startup_gtk <background.png> */
#include <gtk/gtk.h>
#include <stdlib.h>

static const char kUi[] =
    "<interface>"
    " <object class='GtkWindow' id='window'>"
    "  <property name='title'>Halvane安装程序</property>"
    "  <property name='decorated'>False</property>"
    "  <property name='resizable'>False</property>"
    "  <property name='default-width'>518</property>"
    "  <property name='default-height'>345</property>"
    "  <property name='window-position'>center</property>"
    "  <child><object class='GtkOverlay' id='overlay'>"
    "   <child><object class='GtkImage' id='background'/></child>"
    "   <child type='overlay'><object class='GtkFixed' id='fixed'>"
    "    <child><object class='GtkLabel' id='lbl_title'><property name='label'>Halvane</property></object>"
    "     <packing><property name='x'>16</property><property name='y'>8</property></packing></child>"
    "    <child><object class='GtkLabel' id='lbl_path'><property name='label'>安装路径：</property></object>"
    "     <packing><property name='x'>32</property><property name='y'>182</property></packing></child>"
    "    <child><object class='GtkLabel' id='lbl_space'><property name='label'>所需磁盘空间：4.7MB</property></object>"
    "     <packing><property name='x'>32</property><property name='y'>214</property></packing></child>"
    "    <child><object class='GtkCheckButton' id='btn_check_install'><property name='label'>安装Halvane</property><property name='no-show-all'>True</property><property name='active'>True</property></object>"
    "     <packing><property name='x'>32</property><property name='y'>300</property></packing></child>"
    "    <child><object class='GtkCheckButton' id='btn_check_deskshortcut'><property name='label'>添加桌面快捷方式</property><property name='active'>True</property></object>"
    "     <packing><property name='x'>32</property><property name='y'>240</property></packing></child>"
    "    <child><object class='GtkCheckButton' id='btn_check_startmenu'><property name='label'>添加到开始菜单</property><property name='active'>True</property></object>"
    "     <packing><property name='x'>180</property><property name='y'>240</property></packing></child>"
    "    <child><object class='GtkCheckButton' id='btn_check_default'><property name='label'>设为默认浏览器</property><property name='no-show-all'>True</property><property name='active'>True</property></object>"
    "     <packing><property name='x'>32</property><property name='y'>264</property></packing></child>"
    "    <child><object class='GtkCheckButton' id='btn_check_taskbar'><property name='label'>添加任务栏快捷方式</property><property name='active'>True</property></object>"
    "     <packing><property name='x'>318</property><property name='y'>240</property></packing></child>"
    "    <child><object class='GtkCheckButton' id='btn_check_noticesvr'><property name='label'>提醒每日开服表更新</property><property name='no-show-all'>True</property><property name='active'>True</property></object>"
    "     <packing><property name='x'>180</property><property name='y'>264</property></packing></child>"
    "    <child><object class='GtkEntry' id='edit_path'><property name='text'>C:\\Program Files\\Halvane\\</property><property name='width-request'>294</property></object>"
    "     <packing><property name='x'>104</property><property name='y'>176</property></packing></child>"
    "    <child><object class='GtkButton' id='btn_close'><property name='label'>×</property></object>"
    "     <packing><property name='x'>482</property><property name='y'>3</property></packing></child>"
    "    <child><object class='GtkButton' id='btn_install'><property name='label'>立即安装</property><property name='width-request'>130</property><property name='height-request'>40</property><property name='has-focus'>True</property></object>"
    "     <packing><property name='x'>356</property><property name='y'>280</property></packing></child>"
    "    <child><object class='GtkButton' id='btn_getpath'><property name='label'>浏览…</property><property name='width-request'>80</property></object>"
    "     <packing><property name='x'>406</property><property name='y'>176</property></packing></child>"
    "    <child><object class='GtkProgressBar' id='Progress_setup'><property name='width-request'>308</property></object>"
    "     <packing><property name='x'>32</property><property name='y'>296</property></packing></child>"
    "   </object></child>"
    "  </object></child>"
    " </object>"
    "</interface>";

static const char kCss[] =
    "* { font-family: 'WenQuanYi Micro Hei'; font-size: 13px; }"
    "label, checkbutton { color: #d3dcf2; }"
    "#lbl_title { color: #c9a45c; }"
    "entry { background: #04060f; color: #eff3ff; border: 1px solid #46578c; border-radius: 4px; }"
    "button { background: linear-gradient(#3a4a7c, #222c4e); color: #e4ebff;"
    "         border: 1px solid #6b83c4; border-radius: 6px; }"
    "#btn_install { background: linear-gradient(#ffd36e, #d9891f); color: #3b1f00; }"
    "progressbar trough { background: rgba(0,0,0,0.7); min-height: 10px; border-radius: 5px; }"
    "progressbar progress { background: linear-gradient(to right, #3fd0ff, #ffc24a);"
    "                       min-height: 10px; border-radius: 5px; }";

static gboolean exit_once_shown(gpointer data) {
  (void)data;
  gdk_display_sync(gdk_display_get_default());
  exit(0);
}

static gboolean after_draw(GtkWidget* widget, cairo_t* cr, gpointer data) {
  (void)widget;
  (void)cr;
  (void)data;
  g_idle_add(exit_once_shown, NULL);
  return FALSE;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: startup_gtk <background.png>\n");
    return 2;
  }
  gtk_init(&argc, &argv);
  GtkCssProvider* css = gtk_css_provider_new();
  gtk_css_provider_load_from_data(css, kCss, -1, NULL);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  GtkBuilder* builder = gtk_builder_new_from_string(kUi, -1);
  gtk_image_set_from_file(GTK_IMAGE(gtk_builder_get_object(builder, "background")), argv[1]);
  GtkWidget* window = GTK_WIDGET(gtk_builder_get_object(builder, "window"));
  gtk_window_set_keep_above(GTK_WINDOW(window), TRUE);
  g_signal_connect_after(window, "draw", G_CALLBACK(after_draw), NULL);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), NULL);
  gtk_widget_show_all(window);
  gtk_main();
  return 0;
}
