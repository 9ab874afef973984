#pragma once
// Breaking a control's text into lines that fit a width, measured in the control's own font.
#include <wx/string.h>
#include <wx/window.h>

namespace tallyforge::ui {

// Fills each line with as many words as fit in width pixels, as a multi-line control breaks
// its text.
wxString WrapFilling(const wxWindow& control, const wxString& text, int width);

// Text that does not fit the width broken into two lines at the space that keeps the wider line
// narrowest, as a button with a two-word-group label shows it; text that fits stays as it is.
wxString WrapInTwoBalanced(const wxWindow& control, const wxString& text, int width);

}  // namespace tallyforge::ui
