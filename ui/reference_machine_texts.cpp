#include "reference_machine_texts.h"

#include <algorithm>

namespace tallyforge::ui {

wxString ShortMachineName(const wxString& description) {
  wxString name = description.BeforeFirst(',');
  name.Trim(true).Trim(false);
  return name.empty() ? description : name;
}

void NameReferenceMachine(wxStaticText& reference, wxStaticText& footnote,
                          const wxString& description) {
  const wxString name = ShortMachineName(description);
  // The label ends in "..." by itself if even the short name is too long for it.
  reference.SetLabel("Reference Time : " + name);
  reference.SetToolTip("Reference Time : " + description);

  const int width = footnote.GetSize().x;
  // As many lines as the note's height holds (a label's best height can be a pixel more than its
  // lines need: Windows').
  const int lines = std::max(1, footnote.GetSize().y / footnote.GetCharHeight());
  footnote.SetToolTip("*Only for Stress Bench (1000 for " + description +
                      ", >1000 is faster than reference computer)");
  wxString shown = name;
  for (;;) {
    footnote.SetLabel("*Only for Stress Bench (1000 for " + shown +
                      ", >1000 is faster than reference computer)");
    footnote.Wrap(width);
    if (static_cast<int>(footnote.GetLabel().Freq('\n')) < lines || shown.empty()) break;
    // One character less of the name, then the mark that it was cut.
    shown = shown.EndsWith("...") ? shown.Left(shown.length() - 4) : shown.Left(shown.length() - 1);
    shown.Trim(true);
    if (!shown.empty()) shown += "...";
  }
}

}  // namespace tallyforge::ui
