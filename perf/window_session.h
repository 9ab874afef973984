#pragma once
// The main window on the display for the window's perf tools: the toolkit started, the window
// shown on a scratch folder and settled, everything taken down again at the end.
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench_dlg.h"
#include "bench_host.h"
#include "scratch_dir.h"
#include "window_manager_stand_in.h"

namespace tallyforge::perf {

using Clock = std::chrono::steady_clock;

inline double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

inline double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

// Lets the toolkit run for about ms milliseconds.
inline void Settle(int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (Clock::now() < end) wxTheApp->Yield(true);
}

class WindowSession {
 public:
  // False from ok() when there is no display. bare: no window manager stand-in (see its header).
  WindowSession(int argc, char** argv, const char* name, bool bare) {
    if (!bare) m_standIn = std::make_unique<WindowManagerStandIn>();
    wxApp::SetInstance(new wxApp);
    int wxArgc = 1;
    if (!wxEntryStart(wxArgc, argv) || !wxTheApp->CallOnInit()) {
      std::fprintf(stderr, "cannot open the display; run under xvfb-run\n");
      return;
    }
    (void)argc;
    m_loop = std::make_unique<wxEventLoopGuarantor>();
    // A folder of its own: two sessions at once must not share (and remove) one.
    m_scratch = std::make_unique<testing::ScratchDir>(name);
    if (m_scratch->path().empty()) {
      std::fprintf(stderr, "cannot make a scratch folder under %s\n",
                   std::filesystem::temp_directory_path().string().c_str());
      return;
    }
    ui::BenchDlgOptions options;
    options.directory = m_scratch->path();
    m_dlg = new ui::CBenchDlg(nullptr, options);
    const auto start = Clock::now();
    m_dlg->Show();
    while (!m_dlg->IsShownOnScreen()) wxTheApp->Yield(true);
    m_shownMs = Ms(Clock::now() - start);
    Settle(500);
  }
  ~WindowSession() {
    if (m_dlg == nullptr) return;
    m_dlg->Destroy();
    Settle(50);
    m_loop.reset();
    wxEntryCleanup();
  }

  // How the display was set up, for the tool's first line.
  const char* display() const {
    return m_standIn && m_standIn->standing() ? "no window manager: its check window stood in for"
                                              : "the display as it is";
  }
  WindowSession(const WindowSession&) = delete;
  WindowSession& operator=(const WindowSession&) = delete;

  bool ok() const { return m_dlg != nullptr; }
  ui::CBenchDlg& window() { return *m_dlg; }
  const std::filesystem::path& dir() const { return m_scratch->path(); }
  double shownMs() const { return m_shownMs; }
  // Makes bench the only benchmark selected, on the screen too, as a user's click leaves it
  // before START: the radio buttons' repaint is no part of the run.
  void Select(int bench) {
    m_dlg->radio(bench)->SetValue(true);
    m_dlg->Update();
  }

 private:
  std::unique_ptr<WindowManagerStandIn> m_standIn;
  std::unique_ptr<wxEventLoopGuarantor> m_loop;
  std::unique_ptr<testing::ScratchDir> m_scratch;  // removed after the window and the toolkit are gone
  ui::CBenchDlg* m_dlg = nullptr;
  double m_shownMs = 0;
};

// A run's host that forwards to another (the window, or a host that does nothing), noting when
// each progress point's pump starts and ends and when the run ends: before what the host does
// once the run is over, such as the window's check of the result.
class TimedHost final : public BenchHost {
 public:
  struct Pump {
    Clock::time_point start, end;
    double cpuMs;  // this thread's processor time in it (the rest is waiting, or other work)
  };

  explicit TimedHost(BenchHost& inner) : m_inner(inner) {}
  void PushBoard(const ResultBoard& board) override {
    const double cpu = ThreadCpuMs();
    m_inner.PushBoard(board);
    pushCpuMs.push_back(ThreadCpuMs() - cpu);
  }
  void DispatchOneMessage() override {
    const double cpu = ThreadCpuMs();
    const Clock::time_point start = Clock::now();
    m_inner.DispatchOneMessage();
    const Clock::time_point done = Clock::now();
    pumps.push_back({start, done, ThreadCpuMs() - cpu});
  }
  bool IsChecked(int bench) const override { return m_inner.IsChecked(bench); }
  void SetCheck(int bench, bool checked) override { m_inner.SetCheck(bench, checked); }
  void RunFinished(const RunOutcome& outcome) override {
    end = Clock::now();
    endCpuMs = ThreadCpuMs();
    m_inner.RunFinished(outcome);
  }

  std::vector<Pump> pumps;
  // Each push's processor time: the window draws the changed cells there, at once.
  std::vector<double> pushCpuMs;
  Clock::time_point end;
  double endCpuMs = 0;  // this thread's processor time at the end

 private:
  BenchHost& m_inner;
};

}  // namespace tallyforge::perf
