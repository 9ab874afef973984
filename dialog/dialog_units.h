#pragma once
// Dialog templates on screen: positions in dialog units, converted with the dialog's own
// 8-point font, so that every window keeps its template's proportions at any font size.
#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/window.h>

namespace tallyforge::ui {

// A control's place in its template: x, y, width and height in dialog units.
struct DialogRect {
  int x = 0, y = 0, w = 0, h = 0;
};

// The templates' face: an 8-point sans-serif font.
wxFont DialogFont();

// Gives the dialog its template font and a client area of w x h dialog units. Call before any
// control is placed, since the conversion takes the font of the dialog.
void ApplyTemplate(wxWindow& dialog, int w, int h);

// The rectangle in pixels of the client area that rect covers in the dialog.
wxRect ToPixels(const wxWindow& dialog, DialogRect rect);

// Places an already created control at rect; where the toolkit's controls may need more room
// than their templates give (template_room.h), never smaller than the toolkit needs to draw it
// whole: a control whose best size exceeds the rectangle grows about the rectangle's centre.
void PlaceControl(wxWindow& control, const wxWindow& dialog, DialogRect rect);

}  // namespace tallyforge::ui
