#pragma once
// One text cell of the main window: its text centred both ways inside a frame.
#include <wx/control.h>

namespace tallyforge::ui {

class BoardCell final : public wxControl {
 public:
  enum class Frame { kBorder, kRaised, kSunken };

  BoardCell(wxWindow* parent, int id, const wxRect& rect, Frame frame);

  // Shows text; repaints only when it differs from what is shown.
  void SetLabel(const wxString& text) override;
  // A cell shows text; it is no stop of the Tab cycle and takes no click's focus.
  bool AcceptsFocus() const override { return false; }

 private:
  void OnPaint(wxPaintEvent& event);
  wxSize DoGetBestSize() const override;

  Frame m_frame;
  // Taken once: asking the toolkit's theme for a colour at every paint costs more than the
  // paint itself.
  wxColour m_face, m_shadow, m_light;
};

}  // namespace tallyforge::ui
