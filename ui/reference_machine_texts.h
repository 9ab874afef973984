#pragma once
// Where the main window names the reference machine: the reference-time label and the total
// score's footnote. A machine named by Reference.txt's tenth line replaces the template's
// machine in both, named shortly so that the template's own words around it stay whole.
#include <wx/stattext.h>

namespace tallyforge::ui {

// The machine's short name: its description up to the first comma (the calibration writes the
// CPU model first), or the whole description when it has none.
wxString ShortMachineName(const wxString& description);

// Puts the machine into both texts, the full description in their tool tips. The footnote keeps
// every word of the template around the name, shortening the name with "..." when the whole
// note would not fit its lines.
void NameReferenceMachine(wxStaticText& reference, wxStaticText& footnote,
                          const wxString& description);

}  // namespace tallyforge::ui
