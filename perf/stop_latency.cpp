// Prints how soon a STOP click ends a run: for each benchmark, clicks made through the display
// (XTest, as a user's pointer moves onto STOP BENCH and clicks) at random moments of a run, and
// for each the progress points and the milliseconds from the click to the run's end.
// Run under a display: xvfb-run -a build/release/perf/tallyforge-stop-latency [--bare] [clicks [1 2 3]]
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "command_ids.h"
#include "window_session.h"

// Last: Xlib's macros would clash with the names above.
#include <X11/extensions/XTest.h>

namespace {

using namespace tallyforge;
using namespace tallyforge::perf;

// A user's pointer on its own connection to the display.
class Pointer {
 public:
  Pointer() : m_display(XOpenDisplay(nullptr)) {}
  ~Pointer() {
    if (m_display != nullptr) XCloseDisplay(m_display);
  }
  Pointer(const Pointer&) = delete;
  Pointer& operator=(const Pointer&) = delete;

  bool ok() const { return m_display != nullptr; }
  void MoveTo(wxPoint at) {
    XTestFakeMotionEvent(m_display, -1, at.x, at.y, CurrentTime);
    XSync(m_display, False);
  }
  // Returns once the display has taken the release.
  void Click() {
    XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
    XSync(m_display, False);
    XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    XSync(m_display, False);
  }

 private:
  Display* m_display;
};

}  // namespace

int main(int argc, char** argv) {
  const bool bare = argc > 1 && std::string(argv[1]) == "--bare";
  const int first = bare ? 2 : 1;
  const int clicks = argc > first ? std::atoi(argv[first]) : 10;
  std::vector<int> benches;
  for (int i = first + 1; i < argc; ++i) benches.push_back(std::atoi(argv[i]));
  if (benches.empty()) benches = {1, 2, 3};
  WindowSession session(argc, argv, "tallyforge-stop-latency", bare);
  if (!session.ok()) return 1;
  std::printf("display: %s\n", session.display());
  ui::CBenchDlg& window = session.window();
  Pointer pointer;
  if (!pointer.ok()) return 1;
  const wxRect stop = window.button(ui::kIdStopBench)->GetScreenRect();
  const wxPoint onStop = stop.GetPosition() + stop.GetSize() / 2;
  const wxPoint away = window.GetScreenRect().GetTopRight() + wxPoint(-5, 80);
  std::mt19937 random(20260512);
  std::printf("%-4s %8s %12s %12s %10s %10s   (each click: points / ms)\n", "", "run s",
              "points med", "points max", "ms med", "ms max");
  for (int bench : benches) {
    session.Select(bench);
    TimedHost whole(window);
    const Clock::time_point started = Clock::now();
    BenchEngine(whole, session.dir()).OnStartBench();
    const double runMs = Ms(whole.end - started);
    std::vector<double> points, ms;
    std::string each;
    for (int tries = 0; static_cast<int>(ms.size()) < clicks && tries < 4 * clicks; ++tries) {
      pointer.MoveTo(away);
      Settle(200);
      // Anywhere in the run but its last tenth, where the run may end first.
      const int delayMs = std::uniform_int_distribution<int>(0, static_cast<int>(runMs * 0.9))(random);
      Clock::time_point clicked;
      TimedHost timed(window);
      std::thread user([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        pointer.MoveTo(onStop);
        pointer.Click();
        clicked = Clock::now();  // the display has taken the click
      });
      const RunOutcome outcome = BenchEngine(timed, session.dir()).OnStartBench();
      user.join();
      Settle(100);
      if (!outcome.stopped || clicked > timed.end) continue;  // the run ended on its own first
      int after = 0;
      for (const auto& pump : timed.pumps) after += pump.end > clicked ? 1 : 0;
      points.push_back(after);
      ms.push_back(Ms(timed.end - clicked));
      char sample[32];
      std::snprintf(sample, sizeof sample, " %d/%.0f", after, ms.back());
      each += sample;
    }
    std::printf("B%-3d %8.3f %12.0f %12.0f %10.1f %10.1f  %s\n", bench, runMs / 1000,
                Median(points), points.empty() ? 0 : *std::max_element(points.begin(), points.end()),
                Median(ms), ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()), each.c_str());
  }
}
