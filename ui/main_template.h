#pragma once
// The main window's template: every control in template (and tab) order, placed in dialog units.
#include <vector>

#include "dialog_units.h"

namespace tallyforge::ui {

inline constexpr int kMainTemplateWidth = 320;
inline constexpr int kMainTemplateHeight = 310;
inline constexpr int kNoId = -1;

enum class ControlKind {
  kImageButton,  // a push button showing the icon numbered art
  kPushButton,   // a push button showing its text
  kBanner,       // the bitmap numbered art, at its own size
  kLabel,        // static text
  kRadio,        // a benchmark's selection button
  kCell,         // a board cell: centred text in a border
  kStatusCell,   // the status line: centred text in a raised frame
  kScoreCell,    // the total score: centred text, sunken
};

enum class Align { kLeft, kCentre };

struct TemplateControl {
  int id;
  ControlKind kind;
  const char* text;
  DialogRect rect;
  Align align = Align::kCentre;
  int art = 0;          // icon or bitmap number of image buttons and the banner
  bool wraps = false;   // the text breaks over lines to fit the width
};

// The texts that name the reference machine, in the template's words.
inline constexpr const char* kReferenceMachineText =
    "Reference Time : Athlon 64 3500+ (2.2Ghz), 1Gb, Windows Xp Pro";
inline constexpr const char* kScoreFootnoteText =
    "*Only for Stress Bench (1000 for Athlon 64 3500+, >1000 is faster than reference computer)";
inline constexpr int kIdReferenceMachine = 1100;  // not in the template: the label has no number
inline constexpr int kIdScoreFootnote = 1101;

// Not in the template: the check of the last run, beside the status line, which holds only its
// own text. The free space between the status line and the board's columns.
inline constexpr int kIdRunCheck = 1102;
inline constexpr DialogRect kRunCheckRect = {153, 32, 34, 16};

// The controls of the main window, in order.
const std::vector<TemplateControl>& MainTemplate();

}  // namespace tallyforge::ui
