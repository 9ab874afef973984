// Prints what the window costs a benchmark: each run through the main window (its board
// pushes and one-event pumps, on the display) against the same run with a host that does
// nothing. Run under a display: xvfb-run -a build/release/perf/tallyforge-window-perf [1 2 9]
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

#include "bench_dlg.h"
#include "null_host.h"
#include "scratch_dir.h"

namespace {

using namespace tallyforge;

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Settle(int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) wxTheApp->Yield(true);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> benches;
  for (int i = 1; i < argc; ++i) benches.push_back(std::atoi(argv[i]));
  if (benches.empty()) benches = {1, 2, 3, 8, 9};
  wxApp::SetInstance(new wxApp);
  int wxArgc = 1;
  if (!wxEntryStart(wxArgc, argv) || !wxTheApp->CallOnInit()) {
    std::fprintf(stderr, "cannot open the display; run under xvfb-run\n");
    return 1;
  }
  {
    wxEventLoopGuarantor loop;
    const auto dir = perf::MakeScratchDir("tallyforge-window-perf");
    if (dir.empty()) return 1;
    ui::BenchDlgOptions options;
    options.directory = dir;
    auto* dlg = new ui::CBenchDlg(nullptr, options);
    const double shown = Seconds([&] {
      dlg->Show();
      while (!dlg->IsShownOnScreen()) wxTheApp->Yield(true);
    });
    Settle(500);
    std::printf("window shown (prime table included) in %.3f s\n", shown);
    std::printf("%-4s %12s %12s %12s\n", "", "window s", "no-op s", "window/no-op");
    for (int bench : benches) {
      perf::NullHost null(bench);
      BenchEngine quiet(null, dir);
      for (int b = 1; b <= kRowCount; ++b) dlg->SetCheck(b, b == bench);
      double windowS = 1e9, quietS = 1e9;
      const int reps = bench <= 2 ? 5 : bench >= 8 ? 2 : 1;
      for (int rep = 0; rep < reps; ++rep) {  // interleaved, best of the repetitions
        windowS = std::min(windowS, Seconds([&] { dlg->engine().OnStartBench(); }));
        Settle(100);
        quietS = std::min(quietS, Seconds([&] { quiet.OnStartBench(); }));
      }
      std::printf("B%-3d %12.3f %12.3f %+11.2f%%\n", bench, windowS, quietS,
                  (windowS / quietS - 1) * 100);
    }
    dlg->Destroy();
    std::filesystem::remove_all(dir);
  }
  wxEntryCleanup();
}
