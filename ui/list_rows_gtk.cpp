// GTK draws a list box as a tree view, whose theme pads every row and puts a gap between rows.
#include <gtk/gtk.h>

#include "list_rows.h"

namespace tallyforge::ui {

void CompactListRows(wxListBox& list) {
  GtkTreeView* view = list.m_treeview;
  if (view == nullptr) return;
  GtkCssProvider* css = gtk_css_provider_new();
  gtk_css_provider_load_from_data(
      css, "treeview { padding: 0; -GtkTreeView-vertical-separator: 0; -GtkTreeView-expander-size: 0; }", -1, nullptr);
  gtk_style_context_add_provider(gtk_widget_get_style_context(GTK_WIDGET(view)),
                                 GTK_STYLE_PROVIDER(css), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(css);
  GList* columns = gtk_tree_view_get_columns(view);
  for (GList* column = columns; column != nullptr; column = column->next) {
    GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(column->data));
    for (GList* cell = cells; cell != nullptr; cell = cell->next) {
      g_object_set(cell->data, "ypad", 0, nullptr);
    }
    g_list_free(cells);
  }
  g_list_free(columns);
}

}  // namespace tallyforge::ui
