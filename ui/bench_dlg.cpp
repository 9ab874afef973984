#include "bench_dlg.h"

#include <wx/evtloop.h>
#include <wx/iconbndl.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>


#include "about_dlg.h"
#include "artwork.h"
#include "command_ids.h"
#include "dialog_units.h"
#include "info_dlg.h"
#include "main_controls.h"
#include "main_template.h"
#include "partial_repaint.h"
#include "prime_table.h"
#include "prime_view_dlg.h"
#include "reference_machine.h"
#include "reference_machine_texts.h"
#include "run_check.h"
#include "run_check_label.h"
#include "run_control.h"
#include "shown_text.h"
#include "system_menu.h"
#include "verification.h"
#include "version_info.h"

namespace tallyforge::ui {

namespace {

// The 29 text members in their declared order, each with the control that shows it.
struct CellBinding {
  std::string ResultBoard::*member;
  int id;
};
constexpr CellBinding kCellBindings[] = {
    {&ResultBoard::m_yourTime1, 1010}, {&ResultBoard::m_refTime1, 1019},
    {&ResultBoard::m_refTime2, 1020},  {&ResultBoard::m_refTime3, 1021},
    {&ResultBoard::m_refTime4, 1022},  {&ResultBoard::m_refTime5, 1023},
    {&ResultBoard::m_refTime6, 1024},  {&ResultBoard::m_refTime7, 1025},
    {&ResultBoard::m_refTime8, 1026},  {&ResultBoard::m_refTime9, 1027},
    {&ResultBoard::m_percent1, 1028},  {&ResultBoard::m_yourTime2, 1011},
    {&ResultBoard::m_percent2, 1029},  {&ResultBoard::m_percent3, 1030},
    {&ResultBoard::m_percent4, 1031},  {&ResultBoard::m_percent5, 1032},
    {&ResultBoard::m_percent6, 1033},  {&ResultBoard::m_percent7, 1034},
    {&ResultBoard::m_percent8, 1035},  {&ResultBoard::m_percent9, 1036},
    {&ResultBoard::m_yourTime3, 1012}, {&ResultBoard::m_yourTime4, 1013},
    {&ResultBoard::m_yourTime5, 1014}, {&ResultBoard::m_yourTime6, 1015},
    {&ResultBoard::m_yourTime7, 1016}, {&ResultBoard::m_yourTime8, 1017},
    {&ResultBoard::m_yourTime9, 1018}, {&ResultBoard::m_status, kIdStatus},
    {&ResultBoard::m_totalScore, kIdTotalScore},
};

// Marks a run in progress for as long as it lives.
class RunningScope {
 public:
  explicit RunningScope(bool& running) : m_running(running) { m_running = true; }
  ~RunningScope() { m_running = false; }
  RunningScope(const RunningScope&) = delete;
  RunningScope& operator=(const RunningScope&) = delete;

 private:
  bool& m_running;
};

}  // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(CBenchDlg, wxDialog)
  EVT_MENU(kIdAboutBox, CBenchDlg::OnSysCommand)
  EVT_CONTEXT_MENU(CBenchDlg::OnContextMenu)
  EVT_BUTTON(kIdStopBench, CBenchDlg::OnStopBench)
  EVT_BUTTON(kIdStartBench, CBenchDlg::OnStartBench)
  EVT_BUTTON(kIdOpenGl, CBenchDlg::OnOpenGlView)
  EVT_BUTTON(kIdStressBench, CBenchDlg::OnStressBench)
  EVT_BUTTON(kIdInfoAndThanks, CBenchDlg::OnInfoAndThanks)
  EVT_BUTTON(kIdEnd, CBenchDlg::OnOK)
  EVT_CLOSE(CBenchDlg::OnClose)
wxEND_EVENT_TABLE()
// clang-format on

CBenchDlg::CBenchDlg(wxWindow* parent, BenchDlgOptions options)
    : wxDialog(parent, wxID_ANY, "Tallyforge", wxDefaultPosition, wxDefaultSize, MainWindowStyle()),
      m_engine(*this, options.directory, options.ticks, options.workload),
      m_hIcon(res::ArtworkIcon(res::kAppIcon)),
      m_options(std::move(options)) {
  ApplyTemplate(*this, kMainTemplateWidth, kMainTemplateHeight);
  // Set, not asked of the theme at every paint: each progress point paints.
  SetOwnForegroundColour(GetForegroundColour());
  SetOwnBackgroundColour(GetBackgroundColour());
  CreateControls();
  // Esc is START BENCH and Enter is END, as the buttons' numbers make them.
  SetEscapeId(kIdStartBench);
  SetAffirmativeId(kIdEnd);
  m_controls.imageButton(kIdEnd).SetDefault();
  // During a run only STOP and END act.
  m_pump = RunPump({button(kIdStopBench), button(kIdEnd)});
}

CBenchDlg::~CBenchDlg() = default;

void CBenchDlg::CreateControls() {
  m_controls = CreateMainControls(*this);
  m_runCheck = std::make_unique<RunCheckLabel>(*this);
  // A progress point redraws its two changed cells, not the window's every control.
  RepaintOnlyTouchedChildren(*this);
}

bool CBenchDlg::Show(bool show) {
  if (show && !m_initialised) {
    m_initialised = true;
    OnInitDialog();
  }
  return wxDialog::Show(show);
}

bool CBenchDlg::OnInitDialog() {
  ShowBoard();
  // The About box's menu entry: in the system menu where there is one, else on the context
  // menu (OnContextMenu).
  m_aboutInSystemMenu = AddAboutToSystemMenu(*this);
  wxIconBundle icons;
  icons.AddIcon(m_hIcon);
  SetIcons(icons);
  m_engine.ReadReferenceTimes();
  NameReferenceMachine();
  SetCheck(1, true);
  BuildPrimeTable();
  m_controls.imageButton(kIdStartBench).SetBitmap(res::Artwork(res::kStartIcon));
  m_controls.imageButton(kIdStopBench).SetBitmap(res::Artwork(res::kStopIcon));
  m_controls.imageButton(kIdEnd).SetBitmap(res::Artwork(res::kEndIcon));
  m_controls.imageButton(kIdStressBench).SetBitmap(res::Artwork(res::kStressIcon));
  ShowBoard();
  m_controls.imageButton(kIdEnd).SetFocus();
  return true;
}

void CBenchDlg::NameReferenceMachine() {
  const std::optional<std::string> machine =
      ReadReferenceMachine(m_engine.directory() / kReferenceFileName);
  if (!machine) return;  // the template's own words stay
  ui::NameReferenceMachine(*static_cast<wxStaticText*>(FindWindow(kIdReferenceMachine)),
                           *static_cast<wxStaticText*>(FindWindow(kIdScoreFootnote)),
                           ShownText(*machine));
}

void CBenchDlg::DoDataExchange(const ResultBoard& board) {
  // The changed cells (at a progress point the percentage and the status line) are drawn at
  // once, together: nothing is left for the pump to repaint.
  BoardCell::TextsTogether together;
  for (const CellBinding& binding : kCellBindings) {
    cell(binding.id)->SetBytes(board.*binding.member);
  }
}

void CBenchDlg::ShowBoard() { DoDataExchange(m_engine.board()); }

wxWindow* CBenchDlg::button(int id) const {
  const auto image = m_controls.imageButtons.find(id);
  return image != m_controls.imageButtons.end() ? image->second : FindWindow(id);
}

BoardCell* CBenchDlg::cell(int id) const {
  for (BoardCell* c : m_controls.cells) {
    if (c->GetId() == id) return c;
  }
  return nullptr;
}

void CBenchDlg::PushBoard(const ResultBoard& board) { DoDataExchange(board); }

void CBenchDlg::DispatchOneMessage() { PumpOneMessage(); }

void CBenchDlg::PumpOneMessage() { m_pump.AtProgressPoint(); }

bool CBenchDlg::IsChecked(int bench) const { return m_controls.radios.at(bench - 1)->GetValue(); }

void CBenchDlg::SetCheck(int bench, bool checked) {
  m_controls.radios.at(bench - 1)->SetValue(checked);
  // The stress run selects each benchmark just before it runs it.
  if (m_running && checked) m_runCheck->Clear();
}

void CBenchDlg::RunFinished(const RunOutcome& outcome) {
  // Nothing the user did during the run is left to act in a message box's loop or after it.
  m_pump.AtRunEnd();
  m_outcomes.push_back(outcome);
  const CheckedRun check = CheckRun(outcome, m_engine.workload());
  if (outcome.ran) {
    m_verifications.push_back(check.verification);
    // A wrong result is what this program exists to find: it must not pass unseen.
    const std::string wrong = m_runCheck->Show(check);
    if (!wrong.empty()) Report(wrong);
  }
  if (!check.fileProblem.empty()) Report(check.fileProblem);
}

void CBenchDlg::Report(const std::string& message) {
  if (m_options.report) {
    m_options.report(message);
  } else {
    wxMessageBox(ShownText(message), "Tallyforge", wxOK | wxICON_ERROR, this);
  }
}

void CBenchDlg::OnSysCommand(wxCommandEvent& event) {
  if ((event.GetId() & ~0xF) == kIdAboutBox) {
    CAboutDlg dlg(this);
    dlg.ShowModal();
  } else {
    event.Skip();
  }
}

void CBenchDlg::OnContextMenu(wxContextMenuEvent& event) {
  if (m_aboutInSystemMenu) {
    event.Skip();
    return;
  }
  wxMenu menu;
  menu.Append(kIdAboutBox, res::kAboutMenuText);
  // A modal box during a run would stop the benchmark's clock-bound loop from running.
  menu.Enable(kIdAboutBox, !m_running);
  PopupMenu(&menu);
}

void CBenchDlg::OnStopBench(wxCommandEvent&) { m_engine.OnStopBench(); }

void CBenchDlg::OnStartBench(wxCommandEvent&) {
  if (m_running) return;  // nothing runs inside a run
  RunningScope scope(m_running);
  m_runCheck->Clear();
  m_engine.OnStartBench();
  m_pump.AtRunEnd();
}

void CBenchDlg::OnOpenGlView(wxCommandEvent&) {
  if (m_running) return;
  CPrimeViewDlg dlg(nullptr);
  dlg.ShowModal();
}

void CBenchDlg::OnStressBench(wxCommandEvent&) {
  if (m_running) return;
  RunningScope scope(m_running);
  m_engine.OnStressBench();
  m_pump.AtRunEnd();
}

void CBenchDlg::OnInfoAndThanks(wxCommandEvent&) {
  if (m_running) return;
  CInfoDlg dlg(nullptr);
  dlg.ShowModal();
}

void CBenchDlg::OnOK(wxCommandEvent&) { m_options.exit(0); }

void CBenchDlg::OnClose(wxCloseEvent&) {
  // A close request from the window manager ends the program as END does.
  wxCommandEvent end(wxEVT_BUTTON, kIdEnd);
  OnOK(end);
}

}  // namespace tallyforge::ui
