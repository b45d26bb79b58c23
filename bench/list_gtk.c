/* The GTK 3 peer of bench_list: a GtkTreeView over a GtkListStore of the same 10,000 rows of 4
 * text columns, in a scrolled 1024 x 768 offscreen window: built, allocated and drawn into a
 * cairo image surface, then scrolled to the end and drawn again. Prints one line
 * "run <seconds>" per timed run, after one untimed warm-up run.
 *
 * usage: list_gtk [runs] */

#include <gtk/gtk.h>
#include <stdio.h>
#include <stdlib.h>

#define ROWS 10000
#define COLUMNS 4
#define WIDTH 1024
#define HEIGHT 768

static void draw(GtkWidget *window, cairo_surface_t *target) {
  GtkAllocation allocation = {0, 0, WIDTH, HEIGHT};
  gtk_widget_size_allocate(window, &allocation);
  cairo_t *cr = cairo_create(target);
  gtk_widget_draw(window, cr);
  cairo_destroy(cr);
  cairo_surface_flush(target);
}

static GtkListStore *build_store(void) {
  GtkListStore *store =
      gtk_list_store_new(COLUMNS, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING);
  char name[32], size[32], type[32], date[32];
  for (int r = 0; r < ROWS; r++) {
    GtkTreeIter iter;
    snprintf(name, sizeof name, "Item %d", r);
    snprintf(size, sizeof size, "%d", r * 37 % 100000);
    snprintf(type, sizeof type, "Type %d", r % 8);
    snprintf(date, sizeof date, "2026-12-%d", r % 28 + 1);
    gtk_list_store_insert_with_values(store, &iter, -1, 0, name, 1, size, 2, type, 3, date, -1);
  }
  return store;
}

/* Builds, draws, scrolls to the end and draws once; the seconds it took. */
static double run_once(cairo_surface_t *target) {
  static const char *const titles[COLUMNS] = {"Name 0", "Size 1", "Type 2", "Date 3"};
  gint64 start = g_get_monotonic_time();
  GtkListStore *store = build_store();
  GtkWidget *view = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
  g_object_unref(store);
  for (int c = 0; c < COLUMNS; c++) {
    GtkTreeViewColumn *column = gtk_tree_view_column_new_with_attributes(
        titles[c], gtk_cell_renderer_text_new(), "text", c, NULL);
    gtk_tree_view_column_set_sizing(column, GTK_TREE_VIEW_COLUMN_FIXED);
    gtk_tree_view_column_set_fixed_width(column, WIDTH / COLUMNS - 4);
    gtk_tree_view_append_column(GTK_TREE_VIEW(view), column);
  }
  gtk_tree_view_set_fixed_height_mode(GTK_TREE_VIEW(view), TRUE);
  GtkWidget *scrolled = gtk_scrolled_window_new(NULL, NULL);
  gtk_container_add(GTK_CONTAINER(scrolled), view);
  GtkWidget *window = gtk_offscreen_window_new();
  gtk_window_set_default_size(GTK_WINDOW(window), WIDTH, HEIGHT);
  gtk_container_add(GTK_CONTAINER(window), scrolled);
  gtk_widget_show_all(window);
  draw(window, target);
  GtkAdjustment *adj = gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(view));
  gtk_adjustment_set_value(adj, gtk_adjustment_get_upper(adj) - gtk_adjustment_get_page_size(adj));
  while (gtk_events_pending()) gtk_main_iteration();
  draw(window, target);
  gint64 end = g_get_monotonic_time();
  gtk_widget_destroy(window);
  while (gtk_events_pending()) gtk_main_iteration();
  return (double)(end - start) / 1e6;
}

int main(int argc, char **argv) {
  int runs = argc > 1 ? atoi(argv[1]) : 5;
  if (!gtk_init_check(&argc, &argv)) {
    fprintf(stderr, "list_gtk: no display\n");
    return 1;
  }
  cairo_surface_t *target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, WIDTH, HEIGHT);
  run_once(target); /* warm-up */
  for (int i = 0; i < runs; i++) printf("run %.4f\n", run_once(target));
  cairo_surface_destroy(target);
  return 0;
}
