#pragma once
// The main window: the board, the benchmark selection and the run buttons, as one dialog that
// also serves the engine as its host.
#include <wx/bmpbuttn.h>
#include <wx/dialog.h>
#include <wx/icon.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench_engine.h"
#include "bench_host.h"
#include "main_controls.h"
#include "run_check.h"
#include "run_check_label.h"
#include "run_pump.h"
#include "verification.h"

namespace tallyforge::ui {

// What the window works with; the defaults are the program's own.
struct BenchDlgOptions {
  std::filesystem::path directory = ".";  // Reference.txt and the output files
  TickSource ticks = MonotonicTicks;
  Workload workload = Workload::Standard();
  // How the program ends (END, Enter, a close request).
  std::function<void(int)> exit = [](int status) { std::exit(status); };
  // Tells the user, after the run, what went wrong with its output file or its result.
  std::function<void(const std::string&)> report;
};


class CBenchDlg final : public wxDialog, public BenchHost {
 public:

  explicit CBenchDlg(wxWindow* parent = nullptr, BenchDlgOptions options = BenchDlgOptions());
  ~CBenchDlg() override;

  // The start-up work runs before the window is first shown.
  bool Show(bool show = true) override;

  // The engine's host.
  void PushBoard(const ResultBoard& board) override;
  void DispatchOneMessage() override;
  bool IsChecked(int bench) const override;
  void SetCheck(int bench, bool checked) override;
  void RunFinished(const RunOutcome& outcome) override;

  // What the window shows and does, for the program and its tests.
  BenchEngine& engine() { return m_engine; }
  bool running() const { return m_running; }
  const std::vector<RunOutcome>& outcomes() const { return m_outcomes; }
  // The check of every run that took place, in order; the last one shows in the status line.
  const std::vector<Verification>& verifications() const { return m_verifications; }
  wxRadioButton* radio(int bench) const { return m_controls.radios.at(bench - 1); }
  // The last run's check: the benchmark over its verdict, the whole account in the tool tip.
  wxStaticText* runCheck() const { return m_runCheck->control(); }
  wxWindow* button(int id) const;
  BoardCell* cell(int id) const;

 private:
  bool OnInitDialog();
  void CreateControls();
  // Where Reference.txt names its machine, the window names it too.
  void NameReferenceMachine();
  void DoDataExchange(const ResultBoard& board);
  // Copies all 29 cells to the screen at once (the board is never read back).
  void ShowBoard();
  void PumpOneMessage();
  // A message box after the run (outside its timed stretch), or the test's report.
  void Report(const std::string& message);

  void OnSysCommand(wxCommandEvent& event);
  void OnContextMenu(wxContextMenuEvent& event);
  void OnStopBench(wxCommandEvent& event);
  void OnStartBench(wxCommandEvent& event);
  void OnOpenGlView(wxCommandEvent& event);
  void OnStressBench(wxCommandEvent& event);
  void OnInfoAndThanks(wxCommandEvent& event);
  void OnOK(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);

  MainControls m_controls;
  std::unique_ptr<RunCheckLabel> m_runCheck;
  BenchEngine m_engine;
  wxIcon m_hIcon;
  BenchDlgOptions m_options;
  RunPump m_pump;
  bool m_initialised = false;
  bool m_running = false;
  bool m_aboutInSystemMenu = false;
  std::vector<RunOutcome> m_outcomes;
  std::vector<Verification> m_verifications;

  wxDECLARE_EVENT_TABLE();
};

}  // namespace tallyforge::ui
