// Time to draw each picture of the prime view in its window, and the primitives it issues.
// Run on a display, e.g.: xvfb-run -a build/release/perf/tallyforge-view-perf [repeats]
#include <wx/app.h>
#include <wx/init.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "drawing_frame.h"
#include "gap_histogram.h"
#include "prime_spiral.h"
#include "prime_view_dlg.h"
#include "recording_sink.h"
#include "view_state.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Figures {
  double median = 0, min = 0, max = 0;
};

Figures Summarise(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms.front(), ms.back()};
}

template <typename Work>
Figures TimeRepeats(int repeats, Work work) {
  std::vector<double> ms;
  for (int i = 0; i < repeats; ++i) {
    const auto start = Clock::now();
    work();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return Summarise(ms);
}

// The frame alone: context, clear, swap and release around no primitive.
void DrawNothing(tallyforge::PrimitiveSink&) {}

void LetTheWindowRun(int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (Clock::now() < end) wxTheApp->Yield(true);
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  wxApp::SetInstance(new wxApp);
  // The repeat count is ours; the toolkit sees no arguments.
  int toolkitArgc = 1;
  if (!wxEntryStart(toolkitArgc, argv) || !wxTheApp->CallOnInit()) {
    std::fprintf(stderr, "cannot open the display; run under xvfb-run\n");
    return 1;
  }
  int status = 0;
  {
    tallyforge::CPrimeViewDlg dlg(nullptr);
    dlg.Show();
    LetTheWindowRun(500);
    if (dlg.Surface() == nullptr) {
      std::fprintf(stderr, "no OpenGL surface on this display\n");
      status = 1;
    } else {
      tallyforge::viewWindowHandle = dlg.Surface();
      const wxSize size = dlg.Surface()->GetSize();
      std::printf("surface %d x %d, %d repeats, times in ms (median / min / max)\n", size.x,
                  size.y, repeats);
      std::printf("%-10s %10s %22s %26s\n", "picture", "primitives", "primitives only",
                  "whole drawing in window");
      struct Case {
        const char* name;
        tallyforge::Picture picture;
        uint8_t links;
      };
      for (const Case c : {Case{"frame only", DrawNothing, 0},
                           Case{"points", tallyforge::DrawPrimeSpiral, 0},
                           Case{"links", tallyforge::DrawPrimeSpiral, 1},
                           Case{"histogram", tallyforge::DrawGapHistogram, 0}}) {
        tallyforge::linkLines = c.links;
        tallyforge::Picture picture = c.picture;
        std::size_t primitives = 0;
        const Figures recorded = TimeRepeats(repeats, [&] {
          tallyforge::RecordingSink sink;
          picture(sink);
          primitives = sink.primitives.size();
        });
        bool drew = true;
        const Figures drawn = TimeRepeats(repeats, [&] { drew &= tallyforge::DrawInFreshContext(picture); });
        if (!drew) {
          std::fprintf(stderr, "%s: a drawing found no context\n", c.name);
          status = 1;
        }
        std::printf("%-10s %10zu %8.3f / %5.3f / %5.3f %10.3f / %6.3f / %6.3f\n", c.name,
                    primitives, recorded.median, recorded.min, recorded.max, drawn.median,
                    drawn.min, drawn.max);
      }
    }
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return status;
}
