// The run pump on Windows: the thread's message queue is read with PeekMessage, so each message
// is let through, delivered or dropped by its kind and its target window before anything
// dispatches it. What is let through or delivered goes through wx's own loop (its dialog keys and
// accelerators, then TranslateMessage and DispatchMessage).
#include <windows.h>
#include <wx/evtloop.h>

#include "run_pump.h"

namespace tallyforge::ui {

namespace {

// Enough for a click's few messages and the paints they cause, many times over; bounds the work
// of one call when input keeps arriving (a pointer moved without pause).
constexpr int kMostDispatches = 256;

enum class Kind { kHousekeeping, kInput, kActionEnd };

Kind KindOf(const MSG& msg) {
  switch (msg.message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:  // the caption and frame: a move or the system menu would hold the run
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCXBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_CONTEXTMENU:
      return Kind::kInput;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_XBUTTONUP:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONUP:
    case WM_NCXBUTTONUP:
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return Kind::kActionEnd;
    default:
      return Kind::kHousekeeping;
  }
}

bool IsAccepting(HWND target, const std::vector<HWND>& accepting) {
  for (HWND control : accepting) {
    if (target == control || (target != nullptr && IsChild(control, target))) return true;
  }
  return false;
}

// Whether the user input message goes to a control that acts during a run.
bool Accepts(const MSG& msg, const std::vector<HWND>& accepting) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
      // Keys have no dialog effect during a run (no Esc, Enter, Tab or Alt); only space clicks
      // the button that has the focus (key messages go to the focus), as it would any button.
      return msg.wParam == VK_SPACE && IsAccepting(msg.hwnd, accepting);
    case WM_CHAR:
      return msg.wParam == L' ' && IsAccepting(msg.hwnd, accepting);
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
    case WM_CONTEXTMENU:
      return false;
    default:
      break;
  }
  if (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCXBUTTONDBLCLK) return false;
  return IsAccepting(msg.hwnd, accepting);
}

}  // namespace

RunPump::RunPump(std::vector<const wxWindow*> accepting) : m_accepting(std::move(accepting)) {}

PumpReport RunPump::AtProgressPoint() { return Pump(true); }

// Input reaches the thread's queue as it happens, so everything the user did until now is there.
PumpReport RunPump::AtRunEnd() { return Pump(false); }

PumpReport RunPump::Pump(bool oneAction) {
  auto* loop = dynamic_cast<wxGUIEventLoop*>(wxEventLoopBase::GetActive());
  if (loop == nullptr) return {};
  std::vector<HWND> accepting;
  for (const wxWindow* control : m_accepting) accepting.push_back(control->GetHWND());
  PumpReport report;
  MSG msg;
  for (int i = 0; i < kMostDispatches; ++i) {
    if (oneAction && report.action) break;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) break;
    if (msg.message == WM_QUIT) {
      // The main loop's to act on, after the run.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    const Kind kind = KindOf(msg);
    if (kind == Kind::kHousekeeping) {
      ++report.housekeeping;
      loop->ProcessMessage(&msg);
      continue;
    }
    if (!Accepts(msg, accepting)) {
      ++report.refused;  // dropped: no window procedure sees it, so it cannot act later
      continue;
    }
    ++report.delivered;
    if (kind == Kind::kActionEnd) report.action = true;
    loop->ProcessMessage(&msg);
  }
  // What was painted goes to the screen now, not when the run next lets the system act.
  GdiFlush();
  return report;
}

}  // namespace tallyforge::ui
