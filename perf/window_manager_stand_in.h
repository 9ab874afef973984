#pragma once
// Xvfb runs no window manager, and GTK then asks the display for one at every frame it paints:
// a round trip at every progress point that no desktop user pays. The stand-in puts up the check
// window that every EWMH window manager keeps (and nothing else of one), so that the window's
// figures are a desktop's; the perf tools print which way they measured.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace tallyforge::perf {

class WindowManagerStandIn {
 public:
  WindowManagerStandIn() {
    m_display = XOpenDisplay(nullptr);
    if (m_display == nullptr) return;
    m_check = XInternAtom(m_display, "_NET_SUPPORTING_WM_CHECK", False);
    const Window root = DefaultRootWindow(m_display);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(m_display, root, m_check, 0, 1, False, XA_WINDOW, &type, &format, &items,
                       &after, &data);
    if (data != nullptr) XFree(data);
    if (type == XA_WINDOW) return;  // a real window manager runs
    m_window = XCreateSimpleWindow(m_display, root, -10, -10, 1, 1, 0, 0, 0);
    for (Window on : {m_window, root}) {
      XChangeProperty(m_display, on, m_check, XA_WINDOW, 32, PropModeReplace,
                      reinterpret_cast<unsigned char*>(&m_window), 1);
    }
    XSync(m_display, False);
  }
  ~WindowManagerStandIn() {
    if (m_display == nullptr) return;
    if (m_window != None) {
      XDeleteProperty(m_display, DefaultRootWindow(m_display), m_check);
      XDestroyWindow(m_display, m_window);
    }
    XCloseDisplay(m_display);
  }
  WindowManagerStandIn(const WindowManagerStandIn&) = delete;
  WindowManagerStandIn& operator=(const WindowManagerStandIn&) = delete;

  // Whether it stands in (false: a window manager runs, or there is no display).
  bool standing() const { return m_window != None; }

 private:
  Display* m_display = nullptr;
  Atom m_check = None;
  Window m_window = None;
};

}  // namespace tallyforge::perf
