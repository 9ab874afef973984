#pragma once
// The one line of text of a board cell, drawn centred in the cell. It is drawn again at every
// progress point, so each toolkit draws it its cheapest way: from one text to the next of a run
// only digits change (interface fonts draw every digit equally wide), so what was measured or
// shaped for a text serves every text of its shape, in every cell of the font. One
// implementation per toolkit (cell_text_gtk.cpp, cell_text_msw.cpp).
#include <wx/dc.h>
#include <wx/window.h>
#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

#include <memory>

namespace tallyforge::ui {

class CellText {
 public:
  CellText();
  ~CellText();
  CellText(const CellText&) = delete;
  CellText& operator=(const CellText&) = delete;

  // Paints box, the inside of cell's frame, in face, and text in cell's font and in ink,
  // centred in box and clipped to it. Call from cell's paint handler, with dc the paint DC made
  // for a whole repaint, or null when only box is to be painted (the toolkit may then paint
  // without a DC, which costs more than the text). What is kept serves the cells of one font;
  // a cell of another font starts afresh.
  void Paint(wxWindow& cell, wxDC* dc, const wxString& text, const wxColour& face,
             const wxColour& ink, const wxRect& box);

  // Paints as Paint does, at once and straight on cell's window, outside the toolkit's paint
  // cycle: what a progress point changes reaches the screen without the toolkit's dispatch of a
  // repaint, which costs several times the drawing. False where the toolkit offers no such
  // drawing, or cell is not on the screen: the caller then asks for a repaint.
  bool PaintNow(wxWindow& cell, const wxString& text, const wxColour& face, const wxColour& ink,
                const wxRect& box);

 private:
  struct Kept;
  std::unique_ptr<Kept> m_kept;
};

// The text with every digit made 0: texts of one shape are drawn alike.
inline wxString TextShape(const wxString& text) {
  wxString shape = text;
  for (wxUniCharRef c : shape) {
    if (c >= '1' && c <= '9') c = '0';
  }
  return shape;
}

}  // namespace tallyforge::ui
