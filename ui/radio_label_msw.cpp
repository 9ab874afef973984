// Windows breaks a button's text itself when the button has the multi-line style, at its width
// and before its indicator, as the template's control did. A line break put in the text would
// show as a glyph of its own, and the text's one-line width would set the control's size.
#include <windows.h>

#include "radio_label.h"

namespace tallyforge::ui {

void SetMultiLineLabel(wxRadioButton& radio, const wxString& text, int) {
  radio.SetLabel(text);
  const HWND button = radio.GetHWND();
  ::SetWindowLongPtrW(button, GWL_STYLE, ::GetWindowLongPtrW(button, GWL_STYLE) | BS_MULTILINE);
}

}  // namespace tallyforge::ui
