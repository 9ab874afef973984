#include "run_check_label.h"

#include "command_ids.h"
#include "dialog_units.h"
#include "main_template.h"
#include "shown_text.h"

namespace tallyforge::ui {

namespace {

struct VerdictStyle {
  wxColour colour;
  bool bold;
};

// A wrong result stands out; a stopped one is grey (its time is a part's); the others, which
// could not be checked, are amber.
VerdictStyle StyleOf(RunVerdict verdict) {
  switch (verdict) {
    case RunVerdict::kVerified: return {wxColour(0x1E, 0x6E, 0x2E), false};
    case RunVerdict::kStopped: return {wxColour(0x50, 0x50, 0x50), false};
    case RunVerdict::kWrong: return {*wxRED, true};
    case RunVerdict::kNotChecked:
    case RunVerdict::kNotRun: break;
  }
  return {wxColour(0x80, 0x50, 0x00), false};
}

}  // namespace

RunCheckLabel::RunCheckLabel(wxWindow& parent)
    : m_label(new wxStaticText(&parent, kIdRunCheck, "", wxDefaultPosition, wxDefaultSize,
                               wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE)) {
  m_label->SetLabel("B9\nnot checked");  // the longest text it shows, for its place
  PlaceControl(*m_label, parent, kRunCheckRect);
  m_label->SetLabel("");
}

std::string RunCheckLabel::Show(const CheckedRun& check) {
  const Verification& verification = check.verification;
  const std::string name = BenchmarkName(verification.bench);
  const std::string text = VerificationText(verification);
  const VerdictStyle style = StyleOf(check.verdict);
  wxFont font = m_label->GetParent()->GetFont();
  if (style.bold) font.MakeBold();
  m_label->SetFont(font);
  m_label->SetForegroundColour(style.colour);
  m_label->SetLabel(name + "\n" + VerdictName(check.verdict));
  m_label->SetToolTip(ShownText(name + " " + text));
  return verification.wrong() ? name + ": " + text : std::string();
}

void RunCheckLabel::Clear() {
  m_label->SetLabel("");
  m_label->UnsetToolTip();
  m_label->Update();
}

}  // namespace tallyforge::ui
