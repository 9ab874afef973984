#include "board_cell.h"

#include <wx/dcclient.h>
#include <wx/settings.h>

#include <algorithm>

#include "shown_text.h"

namespace tallyforge::ui {

BoardCell::BoardCell(wxWindow* parent, int id, const wxRect& rect, Frame frame,
                     std::shared_ptr<CellText> text)
    : wxControl(parent, id, rect.GetPosition(), rect.GetSize(), wxBORDER_NONE),
      m_frame(frame),
      m_face(parent->GetBackgroundColour()),
      m_shadow(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)),
      m_light(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT)),
      m_text(std::move(text)) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  // Set, not inherited: a paint DC asks the window for both colours.
  SetOwnForegroundColour(GetForegroundColour());
  SetOwnBackgroundColour(m_face);
  Bind(wxEVT_PAINT, &BoardCell::OnPaint, this);
}

void BoardCell::SetLabel(const wxString& text) {
  m_bytes.reset();
  ShowText(text);
}

void BoardCell::SetBytes(const std::string& bytes) {
  if (m_bytes == bytes) return;
  ShowText(ShownText(bytes));
  m_bytes = bytes;
}

void BoardCell::ShowText(const wxString& text) {
  if (text == GetLabel()) return;
  wxControl::SetLabel(text);
  TextsTogether* together = TextsTogether::s_active;
  if (together == nullptr) {
    // The frame stands: only the texts that changed are drawn again.
    RefreshRect(Inside(), false);
  } else if (std::find(together->m_changed.begin(), together->m_changed.end(), this) ==
             together->m_changed.end()) {
    together->m_changed.push_back(this);
  }
}

BoardCell::TextsTogether::TextsTogether() {
  wxASSERT_MSG(s_active == nullptr, "one TextsTogether at a time");
  s_active = this;
}

BoardCell::TextsTogether::~TextsTogether() {
  s_active = nullptr;
  for (BoardCell* cell : m_changed) cell->DrawNow();
}

void BoardCell::DrawNow() {
  if (!m_text->PaintNow(*this, ShownLine(), m_face, GetForegroundColour(), Inside())) {
    RefreshRect(Inside(), false);
  }
}

wxString BoardCell::ShownLine() const {
  // A reference line's own line end is part of its text, not shown.
  if (GetLabel().find_first_of("\r\n") == wxString::npos) return GetLabel();
  wxString text = GetLabel().BeforeFirst('\n');
  text.Replace("\r", "");
  return text;
}

wxSize BoardCell::DoGetBestSize() const {
  // Room for the longest text a cell holds in practice ("10000.0000") inside its frame.
  return GetTextExtent("0000.0000") + wxSize(6, 4);
}

wxRect BoardCell::Inside() const {
  return wxRect(GetClientSize()).Deflate(m_frame == Frame::kBorder ? 1 : 2);
}

void BoardCell::OnPaint(wxPaintEvent&) {
  const wxString text = ShownLine();
  const wxRect inside = Inside();
  if (inside.Contains(GetUpdateRegion().GetBox())) {  // a new text: the frame stands
    m_text->Paint(*this, nullptr, text, m_face, GetForegroundColour(), inside);
    return;
  }
  wxPaintDC dc(this);
  DrawFrame(dc);
  m_text->Paint(*this, &dc, text, m_face, GetForegroundColour(), inside);
}

void BoardCell::DrawFrame(wxDC& dc) const {
  wxRect edge(GetClientSize());
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  // Outer frame: a dark line; raised and sunken frames add a two-tone edge inside it.
  dc.SetPen(wxPen(m_frame == Frame::kSunken ? m_shadow : *wxBLACK));
  dc.DrawRectangle(edge);
  if (m_frame == Frame::kBorder) return;
  edge.Deflate(1);
  const bool raised = m_frame == Frame::kRaised;
  dc.SetPen(wxPen(raised ? m_light : m_shadow));
  dc.DrawLine(edge.GetLeftTop(), edge.GetRightTop());
  dc.DrawLine(edge.GetLeftTop(), edge.GetLeftBottom());
  dc.SetPen(wxPen(raised ? m_shadow : m_light));
  dc.DrawLine(edge.GetLeftBottom(), edge.GetRightBottom() + wxPoint(1, 0));
  dc.DrawLine(edge.GetRightTop(), edge.GetRightBottom());
}

}  // namespace tallyforge::ui
