#include "board_cell.h"

#include <wx/dcclient.h>
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

void BoardCell::SetNote(const wxString& note, const wxColour& colour) {
  if (note == m_note && colour == m_noteColour) return;
  m_note = note;
  m_noteColour = colour;
  Refresh(false);
}

wxSize BoardCell::DoGetBestSize() const {
  // Room for the longest text a cell holds in practice ("10000.0000") inside its frame.
  return GetTextExtent("0000.0000") + wxSize(6, 4);
}

void BoardCell::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  const wxSize size = GetClientSize();
  const wxColour& shadow = m_shadow;
  const wxColour& light = m_light;
  dc.SetBackground(wxBrush(m_face));
  dc.Clear();
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  wxRect inner(size);
  // Outer frame: a dark line; raised and sunken frames add a two-tone edge inside it.
  dc.SetPen(wxPen(m_frame == Frame::kSunken ? shadow : *wxBLACK));
  dc.DrawRectangle(inner);
  inner.Deflate(1);
  if (m_frame != Frame::kBorder) {
    const bool raised = m_frame == Frame::kRaised;
    dc.SetPen(wxPen(raised ? light : shadow));
    dc.DrawLine(inner.GetLeftTop(), inner.GetRightTop());
    dc.DrawLine(inner.GetLeftTop(), inner.GetLeftBottom());
    dc.SetPen(wxPen(raised ? shadow : light));
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
  const wxSize extent = dc.GetTextExtent(text);
  if (m_note.empty()) {
    dc.DrawText(text, (size.x - extent.x) / 2, (size.y - extent.y) / 2);
    return;
  }
  // Text and note as one block, centred.
  const wxSize noteExtent = dc.GetTextExtent(m_note);
  const int top = (size.y - extent.y - noteExtent.y) / 2;
  dc.DrawText(text, (size.x - extent.x) / 2, top);
  dc.SetTextForeground(m_noteColour);
  dc.DrawText(m_note, (size.x - noteExtent.x) / 2, top + extent.y);
}

}  // namespace tallyforge::ui
