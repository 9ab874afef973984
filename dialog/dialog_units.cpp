#include "dialog_units.h"

#include "template_room.h"

#include <wx/fontenum.h>

#include <algorithm>

namespace tallyforge::ui {
namespace {

constexpr const char* kTemplateFace = "MS Sans Serif";

}  // namespace

wxFont DialogFont() {
  // The templates' own face where the system has it (Windows), so that dialog units come out
  // as the templates were laid out for; else the toolkit's 8-point sans-serif.
  wxFontInfo info(8);
  info.Family(wxFONTFAMILY_SWISS);
  if (wxFontEnumerator::IsValidFacename(kTemplateFace)) info.FaceName(kTemplateFace);
  return wxFont(info);
}

void ApplyTemplate(wxWindow& dialog, int w, int h) {
  dialog.SetFont(DialogFont());
  dialog.SetClientSize(dialog.ConvertDialogToPixels(wxSize(w, h)));
}

wxRect ToPixels(const wxWindow& dialog, DialogRect rect) {
  const wxPoint topLeft = dialog.ConvertDialogToPixels(wxPoint(rect.x, rect.y));
  const wxPoint bottomRight = dialog.ConvertDialogToPixels(wxPoint(rect.x + rect.w, rect.y + rect.h));
  return wxRect(topLeft, wxSize(bottomRight.x - topLeft.x, bottomRight.y - topLeft.y));
}

void PlaceControl(wxWindow& control, const wxWindow& dialog, DialogRect rect) {
  wxRect pixels = ToPixels(dialog, rect);
  if (!ControlsMayOutgrowTheirTemplate()) {
    control.SetSize(pixels);
    return;
  }
  const wxSize best = control.GetBestSize();
  if (best.x > pixels.width) {
    pixels.x -= (best.x - pixels.width) / 2;
    pixels.width = best.x;
  }
  if (best.y > pixels.height) {
    pixels.y -= (best.y - pixels.height) / 2;
    pixels.height = best.y;
  }
  control.SetSize(pixels);
}

}  // namespace tallyforge::ui
