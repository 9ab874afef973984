// A cell's text on Windows: the system draws text cheaply; measuring it is kept per shape.
#include <wx/dcclient.h>

#include <optional>
#include <unordered_map>

#include "cell_text.h"

namespace tallyforge::ui {

struct CellText::Kept {
  wxFont font;
  std::unordered_map<wxString, wxSize> extents;  // by shape, in font
};

CellText::CellText() : m_kept(std::make_unique<Kept>()) {}
CellText::~CellText() = default;

void CellText::Paint(wxWindow& cell, wxDC* dc, const wxString& text, const wxColour& face,
                     const wxColour& ink, const wxRect& box) {
  std::optional<wxPaintDC> own;
  if (dc == nullptr) dc = &own.emplace(&cell);
  dc->SetPen(*wxTRANSPARENT_PEN);
  dc->SetBrush(wxBrush(face));
  dc->DrawRectangle(box);
  if (cell.GetFont() != m_kept->font) {
    m_kept->font = cell.GetFont();
    m_kept->extents.clear();
  }
  dc->SetFont(m_kept->font);
  dc->SetTextForeground(ink);
  const wxString shape = TextShape(text);
  auto known = m_kept->extents.find(shape);
  if (known == m_kept->extents.end()) {
    known = m_kept->extents.emplace(shape, dc->GetTextExtent(shape)).first;
  }
  const wxSize extent = known->second;
  wxDCClipper clip(*dc, box);
  dc->DrawText(text, box.x + (box.width - extent.x) / 2, box.y + (box.height - extent.y) / 2);
}

// Windows sends its paint to the changed cells alone, at little cost: a cell is repainted there.
bool CellText::PaintNow(wxWindow&, const wxString&, const wxColour&, const wxColour&,
                        const wxRect&) {
  return false;
}

}  // namespace tallyforge::ui
