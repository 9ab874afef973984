#include "main_controls.h"

#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <memory>

#include "artwork.h"
#include "command_ids.h"
#include "dialog_units.h"
#include "instant_states.h"
#include "main_template.h"
#include "radio_label.h"

namespace tallyforge::ui {

MainControls CreateMainControls(wxDialog& dialog) {
  MainControls controls;
  const auto cellText = std::make_shared<CellText>();
  for (const TemplateControl& t : MainTemplate()) {
    const wxRect rect = ToPixels(dialog, t.rect);
    const long align = t.align == Align::kLeft ? wxALIGN_LEFT : wxALIGN_CENTRE_HORIZONTAL;
    wxWindow* control = nullptr;
    switch (t.kind) {
      case ControlKind::kImageButton: {
        auto* button = new wxBitmapButton(&dialog, t.id, wxNullBitmap, rect.GetPosition(), rect.GetSize());
        button->SetName(t.text);
        button->SetToolTip(t.text);
        controls.imageButtons[t.id] = button;
        control = button;
        break;
      }
      case ControlKind::kPushButton:
        control = new wxButton(&dialog, t.id, t.text, rect.GetPosition(), rect.GetSize());
        break;
      case ControlKind::kBanner: {
        const wxBitmap banner = res::Artwork(t.art);
        control = new wxStaticBitmap(&dialog, wxID_ANY, banner, rect.GetPosition(), banner.GetSize());
        break;
      }
      case ControlKind::kLabel: {
        // A machine named by Reference.txt may be longer than the template's words.
        const long ellipsize = t.id == kIdReferenceMachine ? wxST_ELLIPSIZE_END : 0;
        auto* label = new wxStaticText(&dialog, t.id, t.text, rect.GetPosition(), rect.GetSize(),
                                       align | wxST_NO_AUTORESIZE | ellipsize);
        if (t.wraps) label->Wrap(rect.width);
        control = label;
        break;
      }
      case ControlKind::kRadio: {
        auto* radio = new wxRadioButton(&dialog, t.id, t.text, rect.GetPosition(), rect.GetSize(),
                                        t.id == kIdFirstRadio ? wxRB_GROUP : 0);
        if (t.wraps) SetMultiLineLabel(*radio, t.text, rect.width);
        radio->DisableFocusFromKeyboard();  // the Tab cycle holds the six buttons only
        controls.radios.at(t.id - kIdFirstRadio) = radio;
        control = radio;
        break;
      }
      case ControlKind::kCell:
      case ControlKind::kStatusCell:
      case ControlKind::kScoreCell: {
        const auto frame = t.kind == ControlKind::kCell       ? BoardCell::Frame::kBorder
                           : t.kind == ControlKind::kStatusCell ? BoardCell::Frame::kRaised
                                                                : BoardCell::Frame::kSunken;
        auto* cell = new BoardCell(&dialog, t.id, rect, frame, cellText);
        controls.cells.push_back(cell);
        control = cell;
        break;
      }
    }
    // A press or a check shows at once: a transition would repaint at a run's first points.
    if (t.kind == ControlKind::kImageButton || t.kind == ControlKind::kPushButton ||
        t.kind == ControlKind::kRadio) ShowStatesInstantly(*control);
    if (t.kind != ControlKind::kBanner) PlaceControl(*control, dialog, t.rect);
  }
  return controls;
}

}  // namespace tallyforge::ui
