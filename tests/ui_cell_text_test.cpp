// A cell's text drawn the cell's quick way is the text the toolkit draws.
#include <wx/dcmemory.h>
#include <wx/frame.h>

#include "cell_text.h"
#include "ui_test_support.h"

namespace tallyforge::ui {
namespace {

// text as the cell draws it and as the DC draws it, in a box of the status line's size.
std::pair<wxImage, wxImage> BothWays(CellText& cellText, wxWindow& cell, const wxString& text) {
  const wxRect box(0, 0, 220, 22);
  wxBitmap quick(box.GetSize()), plain(box.GetSize());
  {
    wxMemoryDC dc(quick);
    cellText.Paint(cell, &dc, text, *wxWHITE, *wxBLACK, box);
  }
  {
    wxMemoryDC dc(plain);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetFont(cell.GetFont());
    dc.SetTextForeground(*wxBLACK);
    const wxSize extent = dc.GetTextExtent(text);
    dc.DrawText(text, (box.width - extent.x) / 2, (box.height - extent.y) / 2);
  }
  return {quick.ConvertToImage(), plain.ConvertToImage()};
}

// Each text after the first of its shape is drawn from the shape's glyphs with its own digits.
TEST(CellText, DrawsEveryTextAsTheToolkitDoes) {
  wxFrame frame(nullptr, wxID_ANY, "cell text");
  CellText cellText;
  for (const char* text : {"Time Elapsed : 0.0680 sec.", "Time Elapsed : 0.1980 sec.",
                           "Time Elapsed : 12.3456 sec.", "Time Elapsed : 97.8021 sec.", "023%",
                           "149%", "1.2330", "n/a", "2147483647%"}) {
    SCOPED_TRACE(text);
    const auto [quick, plain] = BothWays(cellText, frame, text);
    ASSERT_EQ(quick.GetSize(), plain.GetSize());
    int differing = 0;
    for (int i = 0; i < 3 * quick.GetWidth() * quick.GetHeight(); ++i) {
      differing += quick.GetData()[i] != plain.GetData()[i] ? 1 : 0;
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(uitest::CountColour(quick, wxRect(quick.GetSize()), 0, 0, 0, 100), 10);
  }
}

}  // namespace
}  // namespace tallyforge::ui
