// GTK shows a radio button's label as it is given: the breaks are put in the text, the words
// that fit beside the indicator on each line.
#include "radio_label.h"

namespace tallyforge::ui {

void SetMultiLineLabel(wxRadioButton& radio, const wxString& text, int width) {
  radio.SetLabel(text);
  if (radio.GetBestSize().x <= width) return;
  const int room = width - (radio.GetBestSize().x - radio.GetTextExtent(text).x);
  wxString broken;
  wxString line;
  for (const wxString& word : wxSplit(text, ' ', '\0')) {
    const wxString longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && radio.GetTextExtent(longer).x > room) {
      broken += line + "\n";
      line = word;
    } else {
      line = longer;
    }
  }
  radio.SetLabel(broken + line);
}

}  // namespace tallyforge::ui
