// The run pump on GTK: GDK hands every event to one handler, which this pump replaces while it
// runs the main context, so that each event is let through, delivered or dropped by its kind
// and its target widget.
#include <gtk/gtk.h>
#include <wx/evtloop.h>

#include "run_pump.h"

namespace tallyforge::ui {

namespace {

// Enough for a click's dozen events and the paints they cause, many times over; bounds the
// work of one call when the display keeps sending (a pointer moved without pause).
constexpr int kMostDispatches = 256;

enum class Kind { kHousekeeping, kInput, kActionEnd };

Kind KindOf(const GdkEvent& event) {
  switch (event.type) {
    case GDK_BUTTON_PRESS:
    case GDK_2BUTTON_PRESS:
    case GDK_3BUTTON_PRESS:
    case GDK_KEY_PRESS:
    case GDK_SCROLL:
    case GDK_TOUCH_BEGIN:
    case GDK_TOUCH_UPDATE:
    case GDK_TOUCHPAD_SWIPE:
    case GDK_TOUCHPAD_PINCH:
    case GDK_PAD_BUTTON_PRESS:
    case GDK_PAD_RING:
    case GDK_PAD_STRIP:
      return Kind::kInput;
    case GDK_BUTTON_RELEASE:
    case GDK_KEY_RELEASE:
    case GDK_TOUCH_END:
    case GDK_TOUCH_CANCEL:
    case GDK_PAD_BUTTON_RELEASE:
    case GDK_DELETE:  // the window manager's close request: END
      return Kind::kActionEnd;
    default:
      return Kind::kHousekeeping;
  }
}

struct PumpState {
  std::vector<GtkWidget*> accepting;
  PumpReport report;
};

bool IsAccepting(GtkWidget* widget, const std::vector<GtkWidget*>& accepting) {
  for (GtkWidget* control : accepting) {
    if (widget == control || (widget != nullptr && gtk_widget_is_ancestor(widget, control))) {
      return true;
    }
  }
  return false;
}

// Whether the user input event goes to a control that acts during a run.
bool Accepts(GdkEvent* event, const std::vector<GtkWidget*>& accepting) {
  GtkWidget* target = gtk_get_event_widget(event);
  if (event->type == GDK_DELETE) return true;
  if (event->type == GDK_KEY_PRESS || event->type == GDK_KEY_RELEASE) {
    // Keys have no dialog effect during a run (no Esc, Enter or Tab); only space clicks the
    // button that has the focus, as it would any button.
    const guint key = event->key.keyval;
    if (key != GDK_KEY_space && key != GDK_KEY_KP_Space) return false;
    GtkWidget* top = target != nullptr ? gtk_widget_get_toplevel(target) : nullptr;
    if (top == nullptr || !GTK_IS_WINDOW(top)) return false;
    return IsAccepting(gtk_window_get_focus(GTK_WINDOW(top)), accepting);
  }
  return IsAccepting(target, accepting);
}

void HandleDuringRun(GdkEvent* event, gpointer data) {
  auto& state = *static_cast<PumpState*>(data);
  const Kind kind = KindOf(*event);
  if (kind == Kind::kHousekeeping) {
    ++state.report.housekeeping;
    gtk_main_do_event(event);
    return;
  }
  if (!Accepts(event, state.accepting)) {
    ++state.report.refused;  // dropped: the toolkit never sees it, so it cannot act later
    return;
  }
  ++state.report.delivered;
  if (kind == Kind::kActionEnd) state.report.action = true;
  gtk_main_do_event(event);
}

void HandleAsUsual(GdkEvent* event, gpointer) { gtk_main_do_event(event); }

// Routes GDK's events through HandleDuringRun for as long as it lives, then back to where they
// went before (an enclosing pump's state, or the toolkit).
class HandlerScope {
 public:
  explicit HandlerScope(PumpState& state) : m_previous(s_active) {
    s_active = &state;
    gdk_event_handler_set(HandleDuringRun, &state, nullptr);
  }
  ~HandlerScope() {
    s_active = m_previous;
    if (m_previous != nullptr) {
      gdk_event_handler_set(HandleDuringRun, m_previous, nullptr);
    } else {
      gdk_event_handler_set(HandleAsUsual, nullptr, nullptr);
    }
  }
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;

 private:
  static inline PumpState* s_active = nullptr;
  PumpState* m_previous;
};

}  // namespace

RunPump::RunPump(std::vector<const wxWindow*> accepting) : m_accepting(std::move(accepting)) {}

PumpReport RunPump::AtProgressPoint() { return Pump(true); }

PumpReport RunPump::AtRunEnd() {
  // A round trip: every click and key the display has taken until now is in our queue.
  if (GdkDisplay* display = gdk_display_get_default()) gdk_display_sync(display);
  return Pump(false);
}

PumpReport RunPump::Pump(bool oneAction) {
  wxEventLoopBase* loop = wxEventLoopBase::GetActive();
  if (loop == nullptr) return {};
  PumpState state;
  for (const wxWindow* control : m_accepting) {
    state.accepting.push_back(static_cast<GtkWidget*>(control->GetHandle()));
  }
  {
    HandlerScope scope(state);
    // Pending() leaves out wx's own idle work, which belongs to the main loop, not to a run.
    for (int i = 0; i < kMostDispatches && loop->Pending(); ++i) {
      if (oneAction && state.report.action) break;
      g_main_context_iteration(nullptr, FALSE);
    }
  }
  // What was painted goes to the display now, not when the run next lets the toolkit act.
  if (GdkDisplay* display = gdk_display_get_default()) gdk_display_flush(display);
  return state.report;
}

}  // namespace tallyforge::ui
