// GTK shows a radio button's label as it is given: the breaks are put in the text, the words
// that fit beside the indicator on each line.
#include "radio_label.h"
#include "text_wrap.h"

namespace tallyforge::ui {

void SetMultiLineLabel(wxRadioButton& radio, const wxString& text, int width) {
  radio.SetLabel(text);
  if (radio.GetBestSize().x <= width) return;
  const int room = width - (radio.GetBestSize().x - radio.GetTextExtent(text).x);
  radio.SetLabel(WrapFilling(radio, text, room));
}

}  // namespace tallyforge::ui
