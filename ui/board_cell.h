#pragma once
// One text cell of the main window: its text centred both ways inside a frame.
#include <wx/control.h>
#include <wx/dc.h>

#include <unordered_map>

namespace tallyforge::ui {

class BoardCell final : public wxControl {
 public:
  enum class Frame { kBorder, kRaised, kSunken };

  BoardCell(wxWindow* parent, int id, const wxRect& rect, Frame frame);

  // Shows text; repaints only when it differs from what is shown.
  void SetLabel(const wxString& text) override;
  // A cell shows text; it is no stop of the Tab cycle and takes no click's focus.
  bool AcceptsFocus() const override { return false; }
  bool SetFont(const wxFont& font) override;

 private:
  void OnPaint(wxPaintEvent& event);
  wxSize DoGetBestSize() const override;
  // The size of text in the cell's font, measured once for every text of its shape.
  wxSize TextExtent(wxDC& dc, const wxString& text);

  Frame m_frame;
  // Taken once: asking the toolkit's theme for a colour at every paint costs more than the
  // paint itself.
  wxColour m_face, m_shadow, m_light;
  // The cells repaint at every progress point and measuring a text costs as much as drawing
  // it. Keyed by the text with every digit made 0: interface fonts draw all digits equally
  // wide, and a cell's text changes only in its digits from one progress point to the next.
  std::unordered_map<wxString, wxSize> m_extents;
};

}  // namespace tallyforge::ui
