// GTK themes animate a button's states through CSS transitions; the widget's own style turns
// them off.
#include <gtk/gtk.h>

#include "instant_states.h"

namespace tallyforge {

void ShowStatesInstantly(wxWindow& control) {
  auto* widget = static_cast<GtkWidget*>(control.GetHandle());
  if (widget == nullptr) return;
  GtkCssProvider* css = gtk_css_provider_new();
  gtk_css_provider_load_from_data(css, "* { transition: none; }", -1, nullptr);
  gtk_style_context_add_provider(gtk_widget_get_style_context(widget), GTK_STYLE_PROVIDER(css),
                                 GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(css);
}

}  // namespace tallyforge
