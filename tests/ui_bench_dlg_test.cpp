// The main window for real: shown on the display, driven by clicks and keys through the X server.
#include <wx/timer.h>

#include <cstdio>
#include <memory>

#include "bench_dlg.h"
#include "board_cell.h"
#include "command_ids.h"
#include "main_template.h"
#include "run_control.h"
#include "shown_text.h"
#include "test_support.h"
#include "ui_test_support.h"

namespace tallyforge::ui {
namespace {

using namespace testing;
using namespace uitest;

std::string CellText(CBenchDlg& dlg, int id) { return dlg.cell(id)->GetLabel().ToStdString(); }

// A label's text with the line breaks of its wrapping taken out again.
std::string Unwrapped(CBenchDlg& dlg, int id) {
  wxString text = dlg.FindWindow(id)->GetLabel();
  text.Replace("\n", " ");
  return text.utf8_string();
}

// A window on a scratch folder whose END is recorded instead of ending the test.
struct Window {
  explicit Window(BenchDlgOptions options = {}) {
    options.directory = dir.path();
    options.exit = [this](int status) { exitStatus = status; };
    options.report = [this](const std::string& message) { reports.push_back(message); };
    dlg = new CBenchDlg(nullptr, std::move(options));
  }
  ~Window() {
    dlg->Destroy();
    Pump(50);
  }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  ScratchDir dir;
  int exitStatus = -1;
  std::vector<std::string> reports;
  CBenchDlg* dlg = nullptr;  // a top-level window: destroyed through Destroy()
};

// Short work, and a clock one second further on at every reading: a run of the short work
// (two readings) shows 1.0000.
BenchDlgOptions Quiet() {
  BenchDlgOptions options;
  options.workload = QuietWorkload();
  options.ticks = [t = 0]() mutable { return t += 1000; };
  return options;
}

// At first start B1 is selected, END has the focus and only the reference times are shown; a
// tenth line names the machine shortly (Latin-1 too), the footnote keeping its words.
TEST(MainWindow, FirstStartShowsTheReferenceLinesAndTheTenthNamesTheMachine) {
  const std::string nine = "0.8\n1.5\n3.2\n10.5\n30\n60\n120\n7.0\n6.0\n";
  struct Case {
    std::string reference;  // empty: no Reference.txt
    std::string label;      // empty: not checked exactly (shortened to fit)
  };
  const Case cases[] = {
      {"", kReferenceMachineText},
      {nine, kReferenceMachineText},
      {nine + "Machine: AMD EPYC, 2 cores (2 physical), 23.5 GiB, Debian GNU/Linux 12 (bookworm), "
              "Linux 6.18.44\n", "Reference Time : AMD EPYC"},
      {nine + "Machine: Caf\xE9 box\n", "Reference Time : Caf\u00E9 box"},  // Latin-1, not UTF-8
      {nine + "Machine: " + std::string(150, 'W') + "\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reference);
    Window w(Quiet());
    if (!c.reference.empty()) WriteFile(w.dir.path() / "Reference.txt", c.reference);
    ShowAndSettle(*w.dlg);
    for (int b = 1; b <= 9; ++b) EXPECT_EQ(w.dlg->radio(b)->GetValue(), b == 1) << b;
    EXPECT_EQ(wxWindow::FindFocus(), w.dlg->button(kIdEnd));
    const std::vector<std::string> lines = testing::Lines(c.reference);
    for (int r = 1; r <= 9; ++r) {
      EXPECT_EQ(CellText(*w.dlg, kIdFirstRefTime + r - 1), lines.empty() ? "" : lines[r - 1] + "\n");
      EXPECT_EQ(CellText(*w.dlg, kIdFirstYourTime + r - 1) + CellText(*w.dlg, kIdFirstPercent + r - 1), "");
    }
    EXPECT_EQ(CellText(*w.dlg, kIdStatus) + CellText(*w.dlg, kIdTotalScore), "");
    wxWindow* reference = w.dlg->FindWindow(kIdReferenceMachine);
    wxWindow* footnote = w.dlg->FindWindow(kIdScoreFootnote);
    EXPECT_TRUE(c.label.empty() || reference->GetLabel() == wxString::FromUTF8(c.label))
        << reference->GetLabel();
    const std::string note = Unwrapped(*w.dlg, kIdScoreFootnote);
    EXPECT_TRUE(lines.size() == 10 || note == kScoreFootnoteText) << note;
    EXPECT_TRUE(note.starts_with("*Only for Stress Bench (1000 for ") &&
                note.ends_with(", >1000 is faster than reference computer)")) << note;
    EXPECT_LE(footnote->GetBestSize().y, footnote->GetSize().y) << "the note is cut: " << note;
    // The whole description stays at hand.
    EXPECT_TRUE(lines.size() < 10 ||
                reference->GetToolTipText().EndsWith(ShownText(lines[9].substr(9))));
  }
}

TEST(MainWindow, ControlsNeitherOverlapNorClipAtTheDefaultFont) {
  Window w(Quiet());
  ShowAndSettle(*w.dlg);
  const wxWindowList& children = w.dlg->GetChildren();
  const wxRect client(w.dlg->GetClientSize());
  for (auto a = children.begin(); a != children.end(); ++a) {
    const wxRect ra = (*a)->GetRect();
    EXPECT_TRUE(client.Contains(ra)) << (*a)->GetLabel() << " leaves the window";
    EXPECT_GE(ra.width, (*a)->GetBestSize().x) << (*a)->GetLabel() << " is clipped";
    EXPECT_GE(ra.height, (*a)->GetBestSize().y) << (*a)->GetLabel() << " is clipped";
    for (auto b = std::next(a); b != children.end(); ++b) {
      EXPECT_FALSE(ra.Intersects((*b)->GetRect()))
          << (*a)->GetLabel() << " overlaps " << (*b)->GetLabel();
    }
  }
  // The window keeps the template's proportions.
  const double ratio = double(client.width) / client.height;
  EXPECT_NEAR(ratio, double(w.dlg->ConvertDialogToPixels(wxSize(320, 310)).x) /
                         w.dlg->ConvertDialogToPixels(wxSize(320, 310)).y, 0.01);
}

// Tab cycles through the six buttons in the template's order, Esc starts the selected
// benchmark, Enter on END or a close request ends the program.
TEST(MainWindow, TabCyclesTheButtonsEscStartsAndEnterOrACloseRequestEnds) {
  Window w(Quiet());
  ShowAndSettle(*w.dlg);
  wxUIActionSimulator().MouseMove(w.dlg->GetScreenRect().GetPosition() + wxPoint(20, 120));
  Pump(50);
  for (int id : {kIdStartBench, kIdStopBench, kIdOpenGl, kIdStressBench, kIdInfoAndThanks,
                 kIdEnd, kIdStartBench}) {
    KeyThroughTheDisplay("Tab");
    Pump(50);
    const wxWindow* focus = wxWindow::FindFocus();
    EXPECT_EQ(focus, w.dlg->button(id)) << "expected " << id << ", focus on " << (focus ? focus->GetId() : 0);
  }
  PressKey(WXK_ESCAPE);
  ASSERT_TRUE(PumpUntil([&] { return !w.dlg->outcomes().empty(); }));
  EXPECT_EQ(w.dlg->outcomes().front().bench, 1);
  EXPECT_EQ(w.exitStatus, -1);
  w.dlg->button(kIdEnd)->SetFocus();
  Pump(50);
  PressKey(WXK_RETURN);
  EXPECT_TRUE(PumpUntil([&] { return w.exitStatus != -1; }));
  EXPECT_EQ(w.exitStatus, 0);
  // A close request from the window manager ends the program too, and starts nothing.
  w.exitStatus = -1;
  w.dlg->Close();
  Pump(100);
  EXPECT_EQ(w.exitStatus, 0);
  EXPECT_EQ(w.dlg->outcomes().size(), 1u);
}

TEST(MainWindow, OutputFileThatCannotBeCreatedIsReportedAndChangesNothing) {
  Window w(Quiet());
  ShowAndSettle(*w.dlg);
  std::filesystem::remove_all(w.dir.path());
  Click(*w.dlg->button(kIdStartBench));
  ASSERT_TRUE(PumpUntil([&] { return !w.dlg->outcomes().empty(); }));
  EXPECT_FALSE(w.dlg->outcomes().front().ran);
  ASSERT_EQ(w.reports.size(), 1u);
  ExpectHas(w.reports[0], {"B1 not run: cannot create"});
  EXPECT_EQ(CellText(*w.dlg, kIdFirstYourTime), "");
  std::filesystem::create_directories(w.dir.path());
}

// The modal dialog open over the main window, if any.
wxDialog* OpenModalOver(const wxWindow* main) {
  for (wxWindow* top : wxTopLevelWindows) {
    auto* dialog = dynamic_cast<wxDialog*>(top);
    if (dialog != nullptr && dialog != main && dialog->IsModal()) return dialog;
  }
  return nullptr;
}

TEST(MainWindow, OpenGlAndInfoOpenTheirWindowsModallyWhenIdle) {
  Window w(Quiet());
  ShowAndSettle(*w.dlg);
  const std::pair<int, std::string> buttons[] = {{kIdOpenGl, "Vexor.Tallyforge - OpenGl View"},
                                                 {kIdInfoAndThanks, "VEXOR.TALLYFORGE"}};
  for (const auto& [id, expected] : buttons) {
    std::string title;
    wxTimer look;
    look.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
      if (wxDialog* open = OpenModalOver(w.dlg)) {
        title = open->GetTitle().ToStdString();
        open->EndModal(0);
      }
    });
    look.StartOnce(1500);
    Click(*w.dlg->button(id));
    EXPECT_TRUE(PumpUntil([&] { return !title.empty() && OpenModalOver(w.dlg) == nullptr; }));
    EXPECT_EQ(title, expected);
  }
}

TEST(MainWindow, ContextMenuOffersTheAboutBox) {
  Window w(Quiet());
  ShowAndSettle(*w.dlg);
  std::string title;
  std::vector<std::string> texts;
  wxTimer pick, inspect;
  // The menu and then the box run their own loops; these act from inside them, as a user would.
  pick.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
    wxUIActionSimulator sim;
    sim.Char(WXK_DOWN);
    sim.Char(WXK_RETURN);
  });
  inspect.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
    if (wxDialog* about = OpenModalOver(w.dlg)) {
      title = about->GetTitle().ToStdString();
      for (wxWindow* child : about->GetChildren()) texts.push_back(child->GetLabel().ToStdString());
      wxUIActionSimulator sim;
      sim.Char(WXK_RETURN);  // its OK button has the focus
    }
  });
  pick.StartOnce(700);
  inspect.StartOnce(1800);
  wxUIActionSimulator sim;
  sim.MouseMove(w.dlg->GetScreenRect().GetPosition() + w.dlg->ConvertDialogToPixels(wxPoint(8, 40)));
  sim.MouseClick(wxMOUSE_BTN_RIGHT);
  ASSERT_TRUE(PumpUntil([&] { return !title.empty(); }, 8000));
  Pump(300);
  EXPECT_EQ(title, "Informazioni su Tallyforga");
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Tallyforga Versione 1.0"), texts.end());
  // The box closed again and the main window is idle.
  EXPECT_EQ(OpenModalOver(w.dlg), nullptr);
  EXPECT_EQ(w.exitStatus, -1);
}

// The icons' own colours must show inside their buttons, the banner's across the top, the
// cells' frames and the labels' text in their places.
void ExpectControlsDrawn(CBenchDlg& dlg, const wxImage& shot) {
  ASSERT_TRUE(shot.IsOk());
  struct Expect { int id; unsigned char r, g, b; };
  for (const Expect& e : {Expect{kIdStartBench, 0x2E, 0x9E, 0x3E}, Expect{kIdStopBench, 0xC0, 0x28, 0x2D},
                          Expect{kIdStressBench, 0xE8, 0x73, 0x1C}, Expect{kIdEnd, 0x1F, 0x3F, 0x8F}}) {
    EXPECT_GT(CountColour(shot, RectInShot(*dlg.button(e.id)), e.r, e.g, e.b), 100) << e.id;
  }
  const wxRect banner(0, 0, dlg.GetClientSize().x, dlg.ConvertDialogToPixels(wxPoint(0, 30)).y);
  EXPECT_GT(CountColour(shot, banner, 0xFF, 0xFF, 0xFF, 40), 500);  // its lettering
  EXPECT_GT(CountColour(shot, banner, 0x15, 0x2A, 0x68, 40), 5000);  // its ground
  for (int id = kIdFirstYourTime; id <= kIdFirstPercent + 8; ++id) {
    const wxRect r = RectInShot(*dlg.cell(id));
    EXPECT_GE(CountColour(shot, r, 0, 0, 0, 10), 2 * (r.width + r.height) - 4) << id;  // frame
  }
  for (int b = 1; b <= 9; ++b) {
    EXPECT_GT(CountColour(shot, RectInShot(*dlg.radio(b)), 0x20, 0x20, 0x20, 60), 40) << b;
  }
}

bool SameImage(const wxImage& a, const wxImage& b) {
  return a.GetSize() == b.GetSize() &&
         std::equal(a.GetData(), a.GetData() + 3 * a.GetWidth() * a.GetHeight(), b.GetData());
}

// The status line's text drawn centred both ways in its cell, as the only text there.
void ExpectTextCentred(const wxImage& shot, wxRect cell) {
  cell.Deflate(3);  // inside the frame
  int left = cell.GetRight(), right = cell.x, top = cell.GetBottom(), bottom = cell.y;
  for (int y = cell.y; y <= cell.GetBottom(); ++y) {
    for (int x = cell.x; x <= cell.GetRight(); ++x) {
      if (shot.GetRed(x, y) + shot.GetGreen(x, y) + shot.GetBlue(x, y) > 3 * 128) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  ASSERT_LT(left, right) << "no text";
  EXPECT_NEAR((left + right) / 2.0, cell.x + (cell.width - 1) / 2.0, 2.5);
  EXPECT_NEAR((top + bottom) / 2.0, cell.y + (cell.height - 1) / 2.0, 2.5);
}

TEST(MainWindow, ClickedStartRunsTheSelectedBenchmarkAndTheScreenShowsItAsARepaintWould) {
  Window w(Quiet());
  WriteFile(w.dir.path() / "Reference.txt", "0.8\n1.5\n3.2\n10.5\n30\n60\n120\n7.0\n6.0\n");
  ShowAndSettle(*w.dlg);
  const wxImage idle = Screenshot(*w.dlg, "main-window-idle");
  ExpectControlsDrawn(*w.dlg, idle);
  Click(*w.dlg->radio(2));
  ASSERT_TRUE(w.dlg->radio(2)->GetValue());
  const wxRect time1 = RectInShot(*w.dlg->cell(kIdFirstYourTime + 1)).Deflate(2);
  const int idleText = CountColour(idle, time1, 0, 0, 0, 80);

  Click(*w.dlg->button(kIdStartBench));
  ASSERT_TRUE(PumpUntil([&] { return !w.dlg->outcomes().empty(); }));
  const RunOutcome& run = w.dlg->outcomes().front();
  EXPECT_EQ(run.bench, 2);
  EXPECT_FALSE(run.stopped);
  EXPECT_TRUE(std::filesystem::exists(w.dir.path() / "Numbers_0000010000005.txt"));
  EXPECT_EQ(CellText(*w.dlg, kIdFirstYourTime + 1), "1.0000");
  EXPECT_EQ(CellText(*w.dlg, kIdStatus), "Time Elapsed : 1.0000 sec.");
  EXPECT_EQ(CellText(*w.dlg, kIdFirstPercent + 1), "149%");  // 1.5 s against 1 s, truncated
  EXPECT_EQ(CellText(*w.dlg, kIdFirstYourTime), "");  // other rows untouched
  // The run's check stands beside the status line, which holds only its own text.
  ASSERT_EQ(w.dlg->verifications().size(), 1u);
  EXPECT_TRUE(w.dlg->verifications().front().ok());
  EXPECT_EQ(w.dlg->runCheck()->GetLabel(), "B2\nverified");
  Pump(300);
  const wxImage after = Screenshot(*w.dlg, "main-window-after-run");
  ExpectControlsDrawn(*w.dlg, after);
  EXPECT_GT(CountColour(after, time1, 0, 0, 0, 80), idleText + 10);
  // A push draws its changed cells at once, outside the toolkit's repaint: they must look as the
  // repaint of an uncovered window draws them, frame, place and glyphs alike.
  w.dlg->Refresh();
  w.dlg->Update();
  Pump(300);
  const wxImage repainted = Screenshot(*w.dlg, "main-window-repainted");
  for (int id : {kIdFirstYourTime + 1, kIdFirstPercent + 1, kIdStatus}) {
    const wxRect r = RectInShot(*w.dlg->cell(id));
    EXPECT_TRUE(SameImage(after.GetSubImage(r), repainted.GetSubImage(r))) << id;
  }
}

// The real work and report interval of benchmark bench (short work for the others, should a
// leaked click start them), on the clock of Quiet(). Calls hook(call) each time a running
// benchmark reads its clock: call 1 starts the timing, call k + 1 is the k-th progress point
// (before its board is pushed and the pump runs), the last is the end of the run.
BenchDlgOptions RealWork(int bench, std::function<void(int)> hook) {
  BenchDlgOptions options = Quiet();
  options.workload.ranges[bench - 1] = Workload::Standard().ranges[bench - 1];
  auto calls = std::make_shared<int>(0);
  options.ticks = [hook = std::move(hook), calls, clock = options.ticks] {
    if (stopFlag == 0) hook(++*calls);
    return clock();
  };
  return options;
}

TEST(MainWindow, OneStopClickEndsTheRunWithinTwoProgressPoints) {
  constexpr int kClickAtPoint = 2;
  for (int bench : {1, 3}) {
    SCOPED_TRACE(BenchmarkName(bench));
    std::function<void(int)> onTick = [](int) {};
    Window w(RealWork(bench, [&](int call) { onTick(call); }));
    ShowAndSettle(*w.dlg);
    onTick = [&](int call) {
      if (call == kClickAtPoint + 1) ClickThroughTheDisplay(*w.dlg->button(kIdStopBench));
    };
    Click(*w.dlg->radio(bench));
    Click(*w.dlg->button(kIdStartBench));
    ASSERT_TRUE(PumpUntil([&] { return !w.dlg->outcomes().empty(); }, 60000));
    const RunOutcome& run = w.dlg->outcomes().front();
    const int interval = Workload::Standard().ranges[bench - 1].reportInterval;
    EXPECT_TRUE(run.stopped);
    EXPECT_GE(run.found, kClickAtPoint * interval);
    EXPECT_LE(run.found, (kClickAtPoint + 1) * interval) << "the stop came too late";
    // A second a reading: the start, a reading at each point reached, the end.
    EXPECT_EQ(CellText(*w.dlg, kIdFirstYourTime + bench - 1),
              std::to_string(run.found / interval + 1) + ".0000");
    // Its time is a part's: the check says so, and what it found of the part in its tool tip.
    EXPECT_EQ(w.dlg->runCheck()->GetLabel(), BenchmarkName(bench) + "\nstopped");
    EXPECT_TRUE(w.dlg->runCheck()->GetToolTipText().Contains(" written before the stop "))
        << w.dlg->runCheck()->GetToolTipText();
  }
}

// A run begins with nothing beside the status line, on the screen too: the check of the run
// before is not this run's (here B1's, first alone, then in the stress run while B2 runs). The
// stress run ends with B9 selected and its total shown.
TEST(MainWindow, StressRunRunsAllNineAndEachRunsCheckIsGoneWhileTheNextRuns) {
  std::function<void(int)> onTick = [](int) {};
  Window w(RealWork(2, [&](int call) { onTick(call); }));
  ShowAndSettle(*w.dlg);
  Click(*w.dlg->button(kIdStartBench));
  ASSERT_TRUE(PumpUntil([&] { return w.dlg->outcomes().size() == 1; }));
  Pump(300);
  ASSERT_EQ(w.dlg->runCheck()->GetLabel(), "B1\nverified");
  std::vector<wxString> labels;
  std::vector<int> inked;  // pixels of the check's text on the screen at each reading of a clock
  onTick = [&](int) {
    labels.push_back(w.dlg->runCheck()->GetLabel());
    const wxImage shot = Screenshot(*w.dlg, "stress-run-b2");
    const wxRect r = RectInShot(*w.dlg->runCheck());
    const unsigned char* ground = shot.GetData() + 3 * (r.y * shot.GetWidth() + r.x);
    inked.push_back(CountWhere(shot, r, [&](int red, int green, int blue) {
      return std::abs(red - ground[0]) + std::abs(green - ground[1]) + std::abs(blue - ground[2]) > 90;
    }));
  };
  Click(*w.dlg->button(kIdStressBench));
  ASSERT_TRUE(PumpUntil([&] { return w.dlg->outcomes().size() == 10; }, 30000));
  ASSERT_GE(labels.size(), 6u);  // B1's start and end, B2's start, points and end, ...
  EXPECT_EQ(labels, std::vector<wxString>(labels.size(), ""));
  EXPECT_EQ(inked, std::vector<int>(inked.size(), 0));
  EXPECT_EQ(w.dlg->runCheck()->GetLabel(), "B9\nverified");
  for (int r = 1; r <= 9; ++r) EXPECT_EQ(w.dlg->outcomes()[r].bench, r);
  EXPECT_EQ(CellText(*w.dlg, kIdFirstYourTime + 8), "1.0000");
  EXPECT_TRUE(w.dlg->radio(9)->GetValue());
  EXPECT_EQ(CellText(*w.dlg, kIdTotalScore), "0\n");  // no Reference.txt
}

TEST(MainWindow, CommandsRefusedDuringARunLeaveNothingToActAfterIt) {
  std::function<void(int)> onTick = [](int) {};
  Window w(RealWork(1, [&](int call) { onTick(call); }));
  ShowAndSettle(*w.dlg);
  // Esc (START) at the start, then a click at every progress point and at the end, after the
  // last point, where only the run's end can refuse it.
  const int refused[] = {kIdOpenGl, kIdStartBench, kIdStressBench, kIdInfoAndThanks};
  onTick = [&](int call) {
    if (call == 1) {
      KeyThroughTheDisplay("Escape");
    } else {
      ClickThroughTheDisplay(*w.dlg->button(refused[call % 4]));
    }
  };
  std::vector<std::string> opened;
  wxTimer watch;  // whatever a leaked click opens is noted and closed
  watch.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
    if (wxDialog* open = OpenModalOver(w.dlg)) {
      opened.push_back(open->GetTitle().ToStdString());
      open->EndModal(0);
    }
  });
  watch.Start(100);
  Click(*w.dlg->button(kIdStartBench));
  ASSERT_TRUE(PumpUntil([&] { return !w.dlg->outcomes().empty(); }, 30000));
  onTick = [](int) {};
  Pump(1500);
  EXPECT_EQ(w.dlg->outcomes().size(), 1u);  // no second run, no stress run
  EXPECT_FALSE(w.dlg->outcomes().front().stopped);
  EXPECT_EQ(opened, std::vector<std::string>());
  EXPECT_EQ(CellText(*w.dlg, kIdTotalScore), "");
}

TEST(MainWindow, EveryProgressPointReachesTheScreen) {
  std::function<void(int)> onTick = [](int) {};
  Window w(RealWork(1, [&](int call) { onTick(call); }));
  ShowAndSettle(*w.dlg);
  // At each progress point (and the end), before anything new is pushed, the screen must show
  // the texts of the point before.
  std::vector<wxImage> percent, status;
  onTick = [&](int call) {
    if (call < 2) return;
    const wxImage shot = Screenshot(*w.dlg, "progress");
    percent.push_back(shot.GetSubImage(RectInShot(*w.dlg->cell(kIdFirstYourTime))));
    status.push_back(shot.GetSubImage(RectInShot(*w.dlg->cell(kIdStatus))));
  };
  Click(*w.dlg->button(kIdStartBench));
  ASSERT_TRUE(PumpUntil([&] { return !w.dlg->outcomes().empty(); }, 30000));
  ASSERT_GE(percent.size(), 6u);
  for (size_t point = 1; point < percent.size(); ++point) {
    EXPECT_FALSE(SameImage(percent[point], percent[point - 1])) << "progress point " << point;
    EXPECT_FALSE(SameImage(status[point], status[point - 1])) << "progress point " << point;
  }
}

TEST(MainWindow, WrongResultIsReportedAfterTheRunAndStandsBesideTheStatusLine) {
  std::function<void(int)> onTick = [](int) {};
  Window w(RealWork(1, [&](int call) { onTick(call); }));
  ShowAndSettle(*w.dlg);
  // Once the head of the file is on disk, its first prime turns into 4, as on a faulty machine.
  const std::string numbers = (w.dir.path() / NumbersFileName(5)).string();
  onTick = [&](int) {
    std::error_code ec;
    if (std::filesystem::file_size(numbers, ec) < 8192 || ec) return;
    std::FILE* file = std::fopen(numbers.c_str(), "r+");
    ASSERT_NE(file, nullptr);
    std::fputs("0000000000004", file);
    std::fclose(file);
  };
  Click(*w.dlg->button(kIdStartBench));
  ASSERT_TRUE(PumpUntil([&] { return !w.dlg->outcomes().empty(); }, 30000));
  ASSERT_EQ(w.reports.size(), 1u);
  EXPECT_EQ(w.reports[0].rfind("B1: WRONG at line 1 of Numbers_0000000000005.txt", 0), 0u)
      << w.reports[0];
  EXPECT_EQ(w.dlg->runCheck()->GetLabel(), "B1\nWRONG");
  EXPECT_EQ(CellText(*w.dlg, kIdStatus), "Time Elapsed : 8.0000 sec.");  // seven points
  Pump(300);
  const wxImage shot = Screenshot(*w.dlg, "main-window-wrong-result");
  EXPECT_GT(CountColour(shot, RectInShot(*w.dlg->runCheck()), 0xFF, 0, 0, 60), 20);
  ExpectTextCentred(shot, RectInShot(*w.dlg->cell(kIdStatus)));
}

}  // namespace
}  // namespace tallyforge::ui
