#include "prime_view_dlg.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <wx/button.h>
#include <wx/dcclient.h>

#include <algorithm>
#include <climits>

#include "dialog_units.h"
#include "drawing_frame.h"
#include "gap_histogram.h"
#include "instant_states.h"
#include "prime_flags.h"
#include "prime_spiral.h"
#include "text_wrap.h"
#include "view_state.h"

namespace tallyforge {

namespace {

constexpr int kTemplateWidth = 340;
constexpr int kTemplateHeight = 244;

wxButton* AddButton(wxDialog& dialog, int id, const wxString& text, ui::DialogRect rect,
                    bool multiLine) {
  // The template fixes each button's size, so it needs neither the toolkit's minimum width nor
  // its wide padding, which would push neighbouring buttons into each other.
  auto* button = new wxButton(&dialog, id, text, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
  if (multiLine) {
    // The room for text is the rectangle less what the button draws around its label.
    const int padding = button->GetBestSize().x - button->GetTextExtent(text).x;
    button->SetLabel(ui::WrapInTwoBalanced(*button, text, ui::ToPixels(dialog, rect).width - padding));
  }
  ui::PlaceControl(*button, dialog, rect);
  return button;
}

void DrawCurrentPicture() {
  if (viewMode == 0) {
    DrawInFreshContext(DrawPrimeSpiral);
  } else if (viewMode == 1) {
    DrawInFreshContext(DrawGapHistogram);
  }
}

}  // namespace

// Paints come from the drawing surface (bound to OnPaint when it is created): it is the
// window's whole drawing area. Destroy and timer handling stay with the base classes.
wxBEGIN_EVENT_TABLE(CPrimeViewDlg, wxDialog)
  EVT_BUTTON(kViewPointsId, CPrimeViewDlg::OnViewPoints)
  EVT_BUTTON(kViewDistanceLinesId, CPrimeViewDlg::OnViewDistanceLines)
  EVT_BUTTON(kExitId, CPrimeViewDlg::OnExit)
  EVT_BUTTON(kDistanceGraphId, CPrimeViewDlg::OnDistanceGraph)
wxEND_EVENT_TABLE()

// No system menu, so the caption has no close box.
CPrimeViewDlg::CPrimeViewDlg(wxWindow* parent, PixelFormatRequest request)
    : wxDialog(parent, wxID_ANY, "Vexor.Tallyforge - OpenGl View", wxDefaultPosition,
               wxDefaultSize, wxCAPTION),
      m_request(std::move(request)) {
  ui::ApplyTemplate(*this, kTemplateWidth, kTemplateHeight);
  AddButton(*this, kViewPointsId, "View Points", {4, 220, 52, 20}, false);
  AddButton(*this, kViewDistanceLinesId, "View Distance Lines", {60, 220, 52, 20}, true);
  AddButton(*this, kExitId, "Exit", {284, 220, 52, 20}, false);
  AddButton(*this, kDistanceGraphId, "Distance Graph", {116, 220, 52, 20}, true);
  m_description = new wxStaticText(this, kDescriptionId, "White Points are prime numbers",
                                   wxDefaultPosition, wxDefaultSize,
                                   wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE |
                                       wxBORDER_SUNKEN);
  // Opaque, as the template's static draws itself: the picture lies under it.
  m_description->SetBackgroundColour(GetBackgroundColour());
  ui::PlaceControl(*m_description, *this, {172, 220, 108, 20});
  Bind(wxEVT_INIT_DIALOG, &CPrimeViewDlg::OnInitDialog, this);
  // Esc is the Cancel command and closes the window; the toolkit would only press a Cancel or
  // OK button, and this window has neither.
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE) {
      EndDialog(wxID_CANCEL);
    } else {
      event.Skip();
    }
  });
}

CPrimeViewDlg::~CPrimeViewDlg() = default;

bool CPrimeViewDlg::TransferDataToWindow() {
  m_description->SetLabelText(descriptionText);
  return true;
}

void CPrimeViewDlg::DrawAtOnce(Picture picture) {
  DrawInFreshContext(picture);
  // A drawing outside a paint covers the whole surface, the controls on it included: they draw
  // again, over it (the toolkit repaints the surface with them, which draws the picture again).
  if (m_surface == nullptr) return;
  for (wxWindow* control : m_surface->GetChildren()) control->Refresh();
}

void CPrimeViewDlg::OnInitDialog(wxInitDialogEvent&) {
  TransferDataToWindow();
  BuildPrimeFlags();
  // Showing the window again is no new opening.
  if (!m_initialised) {
    m_initialised = true;
    // The picture fills the whole client area; the row of controls lies over it.
    m_surface = SetupPixelFormat(*this, wxRect(GetClientSize()), m_request);
    if (m_surface != nullptr) {
      // Tab goes through the buttons on the surface; the surface itself takes no focus.
      m_surface->SetCanFocus(false);
      for (wxWindow* control : wxWindowList(GetChildren())) {
        if (control == m_surface) continue;
        control->Reparent(m_surface);
        ShowStatesInstantly(*control);
      }
      m_surface->Bind(wxEVT_PAINT, &CPrimeViewDlg::OnPaint, this);
      SetUpInitialContext();
    }
  }
  descriptionText = "White Points are prime numbers";
  TransferDataToWindow();
  FindWindow(kViewPointsId)->SetFocus();
}

void CPrimeViewDlg::SetUpInitialContext() {
  m_setupContext = std::make_unique<wxGLContext>(m_surface);
  if (!m_setupContext->IsOK() || !m_setupContext->SetCurrent(*m_surface)) return;
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glShadeModel(GL_SMOOTH);
  glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  // The template's size in dialog units, not the surface's pixels.
  glViewport(0, 0, kTemplateWidth, kTemplateHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(kTemplateWidth) / kTemplateHeight,
                 static_cast<double>(0.1f), 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void CPrimeViewDlg::OnPaint(wxPaintEvent&) {
  wxPaintDC paint(m_surface);
  viewWindowHandle = m_surface;
  DrawCurrentPicture();
}

void CPrimeViewDlg::OnViewPoints(wxCommandEvent&) {
  linkLines = 0;
  viewMode = 0;
  DrawAtOnce(DrawPrimeSpiral);
  descriptionText = "White Points are prime numbers (from 2 to 32767)";
  TransferDataToWindow();
}

void CPrimeViewDlg::OnViewDistanceLines(wxCommandEvent&) {
  linkLines = 1;
  viewMode = 0;
  DrawAtOnce(DrawPrimeSpiral);
  descriptionText = "Lines link prime Numbers (Blue -> Yellow , Distance)";
  TransferDataToWindow();
}

void CPrimeViewDlg::OnExit(wxCommandEvent&) { EndDialog(0); }

void CPrimeViewDlg::OnDistanceGraph(wxCommandEvent&) {
  viewMode = 1;
  DrawAtOnce(DrawGapHistogram);
  descriptionText = "Distance Between two consecutive prime numbers.";
  TransferDataToWindow();
}

}  // namespace tallyforge
