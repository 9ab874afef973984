#include "board_cell.h"

#include <wx/dcclient.h>
#include <wx/graphics.h>
#include <wx/settings.h>

namespace tallyforge::ui {

BoardCell::BoardCell(wxWindow* parent, int id, const wxRect& rect, Frame frame)
    : wxControl(parent, id, rect.GetPosition(), rect.GetSize(), wxBORDER_NONE),
      m_frame(frame),
      m_face(parent->GetBackgroundColour()),
      m_shadow(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)),
      m_light(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT)) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  // Set, not inherited: a paint DC asks the window for both colours.
  SetOwnForegroundColour(GetForegroundColour());
  SetOwnBackgroundColour(m_face);
  Bind(wxEVT_PAINT, &BoardCell::OnPaint, this);
}

void BoardCell::SetLabel(const wxString& text) {
  if (text == GetLabel()) return;
  wxControl::SetLabel(text);
  Refresh(false);
}

wxSize BoardCell::DoGetBestSize() const {
  // Room for the longest text a cell holds in practice ("10000.0000") inside its frame.
  return GetTextExtent("0000.0000") + wxSize(6, 4);
}

void BoardCell::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  const wxSize size = GetClientSize();
  dc.SetBackground(wxBrush(m_face));
  dc.Clear();
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  wxRect inner(size);
  // Outer frame: a dark line; raised and sunken frames add a two-tone edge inside it.
  dc.SetPen(wxPen(m_frame == Frame::kSunken ? m_shadow : *wxBLACK));
  dc.DrawRectangle(inner);
  inner.Deflate(1);
  if (m_frame != Frame::kBorder) {
    const bool raised = m_frame == Frame::kRaised;
    dc.SetPen(wxPen(raised ? m_light : m_shadow));
    dc.DrawLine(inner.GetLeftTop(), inner.GetRightTop());
    dc.DrawLine(inner.GetLeftTop(), inner.GetLeftBottom());
    dc.SetPen(wxPen(raised ? m_shadow : m_light));
    dc.DrawLine(inner.GetLeftBottom(), inner.GetRightBottom() + wxPoint(1, 0));
    dc.DrawLine(inner.GetRightTop(), inner.GetRightBottom());
    inner.Deflate(1);
  }
  dc.SetFont(GetFont());
  dc.SetTextForeground(GetForegroundColour());
  dc.SetClippingRegion(inner);
  // A cell is one line: a reference line's own line end is part of its text, not shown.
  wxString text = GetLabel().BeforeFirst('\n');
  text.Replace("\r", "");
  const wxSize extent = TextExtent(dc, text);
  const wxPoint at((size.x - extent.x) / 2, (size.y - extent.y) / 2);
  // Straight to the graphics context where there is one: the DC's own DrawText measures the
  // text again, which costs as much as drawing it.
  if (wxGraphicsContext* gc = dc.GetGraphicsContext()) {
    gc->DrawText(text, at.x, at.y);
  } else {
    dc.DrawText(text, at);
  }
}

bool BoardCell::SetFont(const wxFont& font) {
  m_extents.clear();
  return wxControl::SetFont(font);
}

wxSize BoardCell::TextExtent(wxDC& dc, const wxString& text) {
  wxString shape = text;
  for (wxUniCharRef c : shape) {
    if (c >= '1' && c <= '9') c = '0';
  }
  auto known = m_extents.find(shape);
  if (known == m_extents.end()) known = m_extents.emplace(shape, dc.GetTextExtent(shape)).first;
  return known->second;
}

}  // namespace tallyforge::ui
