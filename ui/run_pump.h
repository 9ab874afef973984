#pragma once
// The main window's message pump while a benchmark runs. One pumped message is one user
// action (a click, a key), not one toolkit event: at each progress point the
// toolkit finishes its housekeeping (paints, pointer motion, enter and leave, focus) and at
// most one user action is delivered. Only the controls that may act during a run (STOP, END)
// receive user input; any other click or key is dropped, so nothing refused acts after the run.
// One implementation per toolkit (run_pump_gtk.cpp, run_pump_msw.cpp).
#include <wx/window.h>

#include <vector>

namespace tallyforge::ui {

// What one call handled: for the window's tests and the perf tools.
struct PumpReport {
  int housekeeping = 0;  // toolkit events let through (paint, motion, enter, leave, focus...)
  int delivered = 0;     // user input events delivered to a control that acts during a run
  int refused = 0;       // user input events dropped
  bool action = false;   // a delivered user action completed (click, key or close request)
};

class RunPump {
 public:
  // accepting: the controls whose clicks act during a run; space acts on them when they have
  // the focus. They must outlive the pump.
  explicit RunPump(std::vector<const wxWindow*> accepting = {});

  // A progress point: everything pending is handled under the rule above, the screen updated,
  // and at most one user action delivered (the rest of the queue waits for the next point).
  // Never blocks.
  PumpReport AtProgressPoint();

  // The end of a run: everything the user did until now (as far as the display has seen it) is
  // handled under the same rule, every action included, so that no refused click, key or menu
  // choice is left queued to act after the run. Never blocks.
  PumpReport AtRunEnd();

 private:
  PumpReport Pump(bool oneAction);

  std::vector<const wxWindow*> m_accepting;
};

}  // namespace tallyforge::ui
