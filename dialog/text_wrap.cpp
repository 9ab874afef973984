#include "text_wrap.h"

#include <wx/arrstr.h>

#include <algorithm>
#include <climits>

namespace tallyforge::ui {

wxString WrapFilling(const wxWindow& control, const wxString& text, int width) {
  wxString broken;
  wxString line;
  for (const wxString& word : wxSplit(text, ' ', '\0')) {
    const wxString longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && control.GetTextExtent(longer).x > width) {
      broken += line + "\n";
      line = word;
    } else {
      line = longer;
    }
  }
  return broken + line;
}

wxString WrapInTwoBalanced(const wxWindow& control, const wxString& text, int width) {
  if (control.GetTextExtent(text).x <= width) return text;
  wxString best = text;
  int bestWidth = INT_MAX;
  for (size_t space = text.find(' '); space != wxString::npos; space = text.find(' ', space + 1)) {
    const int wider = std::max(control.GetTextExtent(text.substr(0, space)).x,
                               control.GetTextExtent(text.substr(space + 1)).x);
    if (wider < bestWidth) {
      bestWidth = wider;
      best = text.substr(0, space) + '\n' + text.substr(space + 1);
    }
  }
  return best;
}

}  // namespace tallyforge::ui
