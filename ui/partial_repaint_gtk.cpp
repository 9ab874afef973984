// On GTK a container draws its children in its "draw" handler, every one of them, whatever part
// of it is to be drawn. Connected after wx's own handler (the window's paint event), this one
// draws only the children whose area meets the part to be drawn, as the container's own would,
// and ends the signal there. The container's children carry no border of wx's (which wx draws in
// a handler after the container's), so nothing else is left undrawn.
#include <gtk/gtk.h>

#include "partial_repaint.h"

namespace tallyforge::ui {

namespace {

// Whether area meets one of the rectangles to be drawn. Two cells far apart make two
// rectangles, whose bounding box would take in every control between them.
bool Touches(const GdkRectangle& area, const cairo_rectangle_list_t& parts) {
  for (int i = 0; i < parts.num_rectangles; ++i) {
    const cairo_rectangle_t& p = parts.rectangles[i];
    if (area.x < p.x + p.width && p.x < area.x + area.width && area.y < p.y + p.height &&
        p.y < area.y + area.height) {
      return true;
    }
  }
  return false;
}

struct Drawing {
  GtkContainer* container;
  cairo_t* cr;
  const cairo_rectangle_list_t* parts;
};

void DrawIfTouched(GtkWidget* control, gpointer data) {
  const auto& drawing = *static_cast<Drawing*>(data);
  GdkRectangle area;  // what the child draws on, in the container's coordinates
  gtk_widget_get_clip(control, &area);
  if (Touches(area, *drawing.parts)) {
    gtk_container_propagate_draw(drawing.container, control, drawing.cr);
  }
}

gboolean DrawTouchedChildren(GtkWidget* widget, cairo_t* cr, gpointer) {
  cairo_rectangle_list_t* parts = cairo_copy_clip_rectangle_list(cr);
  if (parts->status != CAIRO_STATUS_SUCCESS) {  // not rectangles: as the container would
    cairo_rectangle_list_destroy(parts);
    return FALSE;
  }
  Drawing drawing{GTK_CONTAINER(widget), cr, parts};
  gtk_container_forall(GTK_CONTAINER(widget), DrawIfTouched, &drawing);
  cairo_rectangle_list_destroy(parts);
  return TRUE;
}

}  // namespace

void RepaintOnlyTouchedChildren(wxWindow& window) {
  // wx's windows hold their children in their m_wxwindow container.
  GtkWidget* container = window.m_wxwindow;
  if (container == nullptr || !GTK_IS_CONTAINER(container)) return;
  g_signal_connect(container, "draw", G_CALLBACK(DrawTouchedChildren), nullptr);
}

}  // namespace tallyforge::ui

