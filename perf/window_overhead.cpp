// Prints what the window costs a benchmark: each run through the main window (its board pushes
// and its pump at every progress point, on the display) against the same run with a host that
// does nothing, each from its start to its end (the window's check of the result, after the
// end, left out), the time a progress point spends in the pump, and the processor time of a
// board's push (where the window draws the cells that changed). Beside the wall times, the
// run thread's processor times: they hold better than the wall times on a loaded machine (what
// the display server does for the window runs on the other core of a quiet one).
// Run under a display: xvfb-run -a build/release/perf/tallyforge-window-perf [--reps N] [--bare] [1 2 3 9]
// (--reps 1 under callgrind: one dump per OnStartBench; the window's RunFinished is its check).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "null_host.h"
#include "window_session.h"

namespace {

using namespace tallyforge;
using namespace tallyforge::perf;

struct Seconds {
  double wall = 1e9, cpu = 1e9;
};

// One run of the selected benchmark through host: its seconds from the start to its end (the
// output file's opening included, what the host does after the run not), and its pumps. Keeps
// the least of each figure in best.
void TimedRun(BenchHost& host, const std::filesystem::path& dir, Seconds* best,
              std::vector<double>* pumpMs, std::vector<double>* pumpCpuMs,
              std::vector<double>* pushCpuMs) {
  TimedHost timed(host);
  BenchEngine engine(timed, dir);
  const double startCpu = ThreadCpuMs();
  const Clock::time_point start = Clock::now();
  engine.OnStartBench();
  for (const auto& pump : timed.pumps) {
    pumpMs->push_back(Ms(pump.end - pump.start));
    pumpCpuMs->push_back(pump.cpuMs);
  }
  pushCpuMs->insert(pushCpuMs->end(), timed.pushCpuMs.begin(), timed.pushCpuMs.end());
  best->wall = std::min(best->wall, Ms(timed.end - start) / 1000);
  best->cpu = std::min(best->cpu, (timed.endCpuMs - startCpu) / 1000);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> benches;
  int repsWanted = 0;  // 0: by benchmark
  bool bare = false;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--reps" && i + 1 < argc) {
      repsWanted = std::atoi(argv[++i]);
    } else if (std::string(argv[i]) == "--bare") {
      bare = true;
    } else {
      benches.push_back(std::atoi(argv[i]));
    }
  }
  if (benches.empty()) benches = {1, 2, 3, 9};
  WindowSession session(argc, argv, "tallyforge-window-perf", bare);
  if (!session.ok()) return 1;
  std::printf("display: %s\n", session.display());
  ui::CBenchDlg& window = session.window();
  std::printf("window shown (prime table included) in %.3f s\n", session.shownMs() / 1000);
  std::printf("%-4s %10s %10s %13s %13s %7s %13s %13s %13s %13s\n", "", "window s", "no-op s",
              "window/no-op", "cpu w/no-op", "points", "pump median", "pump max", "pump cpu med",
              "push cpu med");
  for (int bench : benches) {
    NullHost null(bench);
    session.Select(bench);
    Seconds windowS, quietS;
    std::vector<double> pumpMs, pumpCpuMs, pushCpuMs, ignored, ignoredCpu, ignoredPush;
    const int reps = repsWanted > 0 ? repsWanted : bench <= 2 ? 7 : 3;
    for (int rep = 0; rep < reps; ++rep) {  // interleaved, best of the repetitions
      TimedRun(window, session.dir(), &windowS, &pumpMs, &pumpCpuMs, &pushCpuMs);
      Settle(100);
      TimedRun(null, session.dir(), &quietS, &ignored, &ignoredCpu, &ignoredPush);
    }
    const double longest = pumpMs.empty() ? 0 : *std::max_element(pumpMs.begin(), pumpMs.end());
    std::printf("B%-3d %10.3f %10.3f %+12.2f%% %+12.2f%% %7zu %10.3f ms %10.3f ms %10.3f ms"
                " %10.3f ms\n",
                bench, windowS.wall, quietS.wall, (windowS.wall / quietS.wall - 1) * 100,
                (windowS.cpu / quietS.cpu - 1) * 100, pumpMs.size() / reps, Median(pumpMs),
                longest, Median(pumpCpuMs), Median(pushCpuMs));
  }
}
