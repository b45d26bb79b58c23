/* The GTK 3 peer of bench_layout: the same 10,000 labels (texts, the eight background colours,
 * 1-pixel borders) from an equivalent GtkBuilder file, a GtkFlowBox of GtkLabels in a scrolled
 * 1024 x 768 offscreen window, allocated and drawn into a cairo image surface. Prints one line
 * "run <seconds>" per timed run, after one untimed warm-up run.
 *
 * usage: layout_gtk [runs] [builder file to write instead of running] */

#include <gtk/gtk.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define LABELS 10000
#define WIDTH 1024
#define HEIGHT 768

static const char *const colours[8] = {"#E57373", "#81C784", "#64B5F6", "#FFD54F",
                                       "#BA68C8", "#4DB6AC", "#FF8A65", "#90A4AE"};

static GString *builder_file(void) {
  GString *xml = g_string_new(
      "<interface><object class=\"GtkOffscreenWindow\" id=\"window\">"
      "<property name=\"default-width\">1024</property>"
      "<property name=\"default-height\">768</property>"
      "<child><object class=\"GtkScrolledWindow\"><property name=\"hscrollbar-policy\">never"
      "</property><child><object class=\"GtkFlowBox\" id=\"tiles\">"
      "<property name=\"homogeneous\">True</property>"
      "<property name=\"selection-mode\">none</property>"
      "<property name=\"min-children-per-line\">10</property>"
      "<property name=\"max-children-per-line\">10</property>");
  for (int i = 0; i < LABELS; i++) {
    g_string_append_printf(xml,
                           "<child><object class=\"GtkLabel\"><property name=\"label\">Item %d"
                           "</property><property name=\"width-request\">100</property>"
                           "<property name=\"height-request\">24</property>"
                           "<style><class name=\"c%d\"/></style></object></child>",
                           i, i % 8);
  }
  g_string_append(xml, "</object></child></object></child></object></interface>");
  return xml;
}

static void install_css(void) {
  GString *css = g_string_new(
      "window, scrolledwindow, flowbox { background-color: #FFFFFF; }"
      "flowboxchild { padding: 0; }"
      "label { font: 12px \"DejaVu Sans\"; border: 1px solid #303030; color: #000000; }");
  for (int i = 0; i < 8; i++)
    g_string_append_printf(css, " label.c%d { background-color: %s; }", i, colours[i]);
  GtkCssProvider *provider = gtk_css_provider_new();
  gtk_css_provider_load_from_data(provider, css->str, -1, NULL);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(provider);
  g_string_free(css, TRUE);
}

/* Builds, allocates and draws once; the seconds it took. */
static double run_once(const GString *xml, cairo_surface_t *target) {
  gint64 start = g_get_monotonic_time();
  GtkBuilder *builder = gtk_builder_new_from_string(xml->str, (gssize)xml->len);
  GtkWidget *window = GTK_WIDGET(gtk_builder_get_object(builder, "window"));
  gtk_widget_show_all(window);
  GtkAllocation allocation = {0, 0, WIDTH, HEIGHT};
  gtk_widget_size_allocate(window, &allocation);
  cairo_t *cr = cairo_create(target);
  gtk_widget_draw(window, cr);
  cairo_destroy(cr);
  cairo_surface_flush(target);
  gint64 end = g_get_monotonic_time();
  gtk_widget_destroy(window);
  g_object_unref(builder);
  while (gtk_events_pending()) gtk_main_iteration();
  return (double)(end - start) / 1e6;
}

int main(int argc, char **argv) {
  int runs = argc > 1 ? atoi(argv[1]) : 5;
  GString *xml = builder_file();
  if (argc > 2) {
    FILE *out = fopen(argv[2], "wb");
    if (!out) return 1;
    fwrite(xml->str, 1, xml->len, out);
    fclose(out);
    return 0;
  }
  if (!gtk_init_check(&argc, &argv)) {
    fprintf(stderr, "layout_gtk: no display\n");
    return 1;
  }
  install_css();
  cairo_surface_t *target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, WIDTH, HEIGHT);
  run_once(xml, target); /* warm-up */
  for (int i = 0; i < runs; i++) printf("run %.4f\n", run_once(xml, target));
  cairo_surface_destroy(target);
  g_string_free(xml, TRUE);
  return 0;
}
