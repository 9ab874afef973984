#pragma once
// One text cell of the main window: its text centred both ways inside a frame.
#include <wx/control.h>
#include <wx/dc.h>

#include <memory>

#include "cell_text.h"

namespace tallyforge::ui {

class BoardCell final : public wxControl {
 public:
  enum class Frame { kBorder, kRaised, kSunken };

  // text: how the cells draw their texts, shared by the cells of a window.
  BoardCell(wxWindow* parent, int id, const wxRect& rect, Frame frame,
            std::shared_ptr<CellText> text);

  // Shows text; when it differs from what is shown, only the inside of the frame is drawn again.
  void SetLabel(const wxString& text) override;
  // A cell shows text; it is no stop of the Tab cycle and takes no click's focus.
  bool AcceptsFocus() const override { return false; }

 private:
  void OnPaint(wxPaintEvent& event);
  wxSize DoGetBestSize() const override;
  // Inside the frame: where the text goes.
  wxRect Inside() const;
  void DrawFrame(wxDC& dc) const;

  Frame m_frame;
  // Taken once: asking the toolkit's theme for a colour at every paint costs more than the
  // paint itself.
  wxColour m_face, m_shadow, m_light;
  std::shared_ptr<CellText> m_text;
};

}  // namespace tallyforge::ui
