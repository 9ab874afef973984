#include <wx/button.h>
#include <wx/dialog.h>

#include "dialog_units.h"
#include "ui_test_support.h"

namespace tallyforge::ui {
namespace {

TEST(DialogUnits, TemplateSizeFollowsTheDialogFont) {
  wxDialog small(nullptr, wxID_ANY, "units");
  ApplyTemplate(small, 320, 310);
  wxDialog large(nullptr, wxID_ANY, "units");
  large.SetFont(wxFont(wxFontInfo(16).Family(wxFONTFAMILY_SWISS)));
  const wxSize largeSize = large.ConvertDialogToPixels(wxSize(320, 310));
  EXPECT_EQ(small.GetFont().GetPointSize(), 8);
  EXPECT_EQ(small.GetClientSize(), small.ConvertDialogToPixels(wxSize(320, 310)));
  // Twice the font, about twice the window: the template scales with its font.
  EXPECT_GT(largeSize.x, small.GetClientSize().x * 3 / 2);
  EXPECT_GT(largeSize.y, small.GetClientSize().y * 3 / 2);
}

TEST(DialogUnits, ControlTooSmallForItsTextGrowsAboutTheRectanglesCentre) {
  wxDialog dialog(nullptr, wxID_ANY, "units");
  ApplyTemplate(dialog, 200, 100);
  wxButton button(&dialog, wxID_ANY, "A label far wider than its rectangle");
  const DialogRect rect{80, 40, 20, 4};
  PlaceControl(button, dialog, rect);
  const wxRect planned = ToPixels(dialog, rect);
  const wxRect placed = button.GetRect();
  EXPECT_GE(placed.width, button.GetBestSize().x);
  EXPECT_GE(placed.height, button.GetBestSize().y);
  EXPECT_NEAR(placed.x + placed.width / 2, planned.x + planned.width / 2, 1);
  EXPECT_NEAR(placed.y + placed.height / 2, planned.y + planned.height / 2, 1);

  wxButton fits(&dialog, wxID_ANY, "ok");
  PlaceControl(fits, dialog, DialogRect{0, 0, 100, 40});
  EXPECT_EQ(fits.GetRect(), ToPixels(dialog, DialogRect{0, 0, 100, 40}));
}

}  // namespace
}  // namespace tallyforge::ui
