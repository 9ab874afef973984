#pragma once
// The last run's check beside the status line: the benchmark over its verdict, in the verdict's
// colour, with the whole account in the tool tip.
#include <wx/stattext.h>

#include "run_check.h"

namespace tallyforge::ui {

class RunCheckLabel {
 public:
  // Creates the label in its place on parent, sized for the longest text it shows.
  explicit RunCheckLabel(wxWindow& parent);

  // Shows check; returns the text a wrong result must also be told in, else empty.
  std::string Show(const CheckedRun& check);
  // A run begins: the last run's check no longer stands beside it (on the screen at once).
  void Clear();

  wxStaticText* control() const { return m_label; }

 private:
  wxStaticText* m_label;
};

}  // namespace tallyforge::ui
