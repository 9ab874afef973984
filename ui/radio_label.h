#pragma once
// A radio button whose text takes more than one line (B9's), as the template's multi-line
// control shows it: the indicator, then the text broken at spaces to the button's width. One
// implementation per toolkit (radio_label_gtk.cpp, radio_label_msw.cpp).
#include <wx/radiobut.h>

namespace tallyforge::ui {

// Gives radio the label text, broken into lines of at most width pixels with its indicator.
void SetMultiLineLabel(wxRadioButton& radio, const wxString& text, int width);

}  // namespace tallyforge::ui
