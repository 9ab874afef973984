// Prints what the window costs a benchmark: each run through the main window (its board pushes
// and its pump at every progress point, on the display) against the same run with a host that
// does nothing, and the time a progress point spends in the pump.
// Run under a display: xvfb-run -a build/release/bench/perf/tallyforge-window-perf [1 2 3 9]
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "null_host.h"
#include "window_session.h"

namespace {

using namespace tallyforge;
using namespace tallyforge::perf;

double Seconds(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> benches;
  for (int i = 1; i < argc; ++i) benches.push_back(std::atoi(argv[i]));
  if (benches.empty()) benches = {1, 2, 3, 9};
  WindowSession session(argc, argv, "tallyforge-window-perf");
  if (!session.ok()) return 1;
  ui::CBenchDlg& window = session.window();
  std::printf("window shown (prime table included) in %.3f s\n", session.shownMs() / 1000);
  std::printf("%-4s %10s %10s %13s %7s %13s %13s\n", "", "window s", "no-op s", "window/no-op",
              "points", "pump median", "pump max");
  for (int bench : benches) {
    NullHost null(bench);
    BenchEngine quiet(null, session.dir());
    session.Select(bench);
    double windowS = 1e9, quietS = 1e9;
    const int reps = bench <= 2 ? 7 : bench >= 8 ? 3 : 3;
    for (int rep = 0; rep < reps; ++rep) {  // interleaved, best of the repetitions
      windowS = std::min(windowS, Seconds([&] { window.engine().OnStartBench(); }));
      Settle(100);
      quietS = std::min(quietS, Seconds([&] { quiet.OnStartBench(); }));
    }
    // Once more through the same window, timing each progress point's pump.
    TimedWindowHost timed(window);
    BenchEngine engine(timed, session.dir());
    engine.OnStartBench();
    Settle(100);
    std::vector<double> pumpMs;
    for (const auto& pump : timed.pumps) pumpMs.push_back(Ms(pump.end - pump.start));
    const double longest = pumpMs.empty() ? 0 : *std::max_element(pumpMs.begin(), pumpMs.end());
    std::printf("B%-3d %10.3f %10.3f %+12.2f%% %7zu %10.3f ms %10.3f ms\n", bench, windowS,
                quietS, (windowS / quietS - 1) * 100, pumpMs.size(), Median(pumpMs), longest);
  }
}
