#pragma once
// The prime view window: one of three pictures of the numbers up to 32,768 over the whole
// client area, with a row of buttons over it that choose it and a one-line description.
#include <wx/dialog.h>
#include <wx/glcanvas.h>
#include <wx/stattext.h>

#include <memory>

#include "drawing_frame.h"
#include "pixel_format.h"

namespace tallyforge {

class CPrimeViewDlg : public wxDialog {
 public:
  // Control identifiers of the window's template.
  enum : int {
    kViewPointsId = 1038,
    kViewDistanceLinesId = 1039,
    kExitId = 1040,
    kDistanceGraphId = 1041,
    kDescriptionId = 1042,
  };

  // parent may be null: the toolkit then takes the application's top window as owner.
  explicit CPrimeViewDlg(wxWindow* parent, PixelFormatRequest request = {});
  ~CPrimeViewDlg() override;

  // Copies descriptionText to the description control.
  bool TransferDataToWindow() override;

  // The drawing surface, or nullptr when the pixel format could not be set.
  wxGLCanvas* Surface() const { return m_surface; }

  // Shown under the picture; empty until the window initialises.
  wxString descriptionText;

 private:
  void OnInitDialog(wxInitDialogEvent& event);
  void OnPaint(wxPaintEvent& event);
  void OnViewPoints(wxCommandEvent& event);
  void OnViewDistanceLines(wxCommandEvent& event);
  void OnExit(wxCommandEvent& event);
  void OnDistanceGraph(wxCommandEvent& event);

  // Sets up the context that initialisation leaves current; no drawing ever uses it.
  void SetUpInitialContext();
  // Draws picture now, as the view commands do, and the controls over it again.
  void DrawAtOnce(Picture picture);

  PixelFormatRequest m_request;
  bool m_initialised = false;
  wxGLCanvas* m_surface = nullptr;
  std::unique_ptr<wxGLContext> m_setupContext;
  wxStaticText* m_description = nullptr;

  wxDECLARE_EVENT_TABLE();
};

}  // namespace tallyforge
