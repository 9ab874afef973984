#include "main_template.h"

#include "artwork.h"
#include "command_ids.h"

namespace tallyforge::ui {

namespace {

std::vector<TemplateControl> BuildMainTemplate() {
  using K = ControlKind;
  std::vector<TemplateControl> t = {
      {kIdEnd, K::kImageButton, "END", {248, 258, 62, 40}, Align::kCentre, res::kEndIcon},
      {kNoId, K::kBanner, "", {0, 0, 320, 30}, Align::kLeft, res::kBanner},
      {kNoId, K::kLabel, " Your Time   Reference Time        %", {188, 38, 128, 10}, Align::kLeft},
      {1000, K::kRadio, "B1 - From 2 to 2.000.000", {4, 54, 180, 10}},
      {1001, K::kRadio, "B2 - From 10.000.0005 to 12.000.000", {4, 70, 180, 10}},
      {1002, K::kRadio, "B3 - From 100.000.005 to 102.000.000", {4, 86, 180, 10}},
      {1003, K::kRadio, "B4 - From 1.000.000.005 to 1.002.000.000", {4, 102, 180, 10}},
      {1004, K::kRadio, "B5 - From 10.000.000.005 to 10.002.000.000", {4, 118, 180, 10}},
      {1005, K::kRadio, "B6 - From 100.000.000.005 to 100.002.000.000", {4, 134, 180, 10}},
      {1006, K::kRadio, "B7 - From 1.000.000.000.005 to 1.000.002.000.000", {4, 150, 180, 10}},
      {1007, K::kRadio, "B8 - From 2 to 10.000.000 X 2 Integer and Float", {4, 166, 180, 10}},
      {1008, K::kRadio, "B9 - Calculate the Prime Factors from 1.000.000.000 to 1.000.020.000",
       {4, 182, 180, 16}, Align::kLeft, 0, true},
  };
  for (int column = 0; column < 3; ++column) {
    const int firstId = column == 0 ? kIdFirstYourTime : column == 1 ? kIdFirstRefTime : kIdFirstPercent;
    for (int row = 0; row < 9; ++row) {
      t.push_back({firstId + row, K::kCell, "", {188 + 44 * column, 50 + 16 * row, 40, 12}});
    }
  }
  const std::vector<TemplateControl> rest = {
      {kIdStartBench, K::kImageButton, "START BENCH", {4, 204, 52, 32}, Align::kCentre, res::kStartIcon},
      {kIdStopBench, K::kImageButton, "STOP BENCH", {64, 204, 48, 32}, Align::kCentre, res::kStopIcon},
      {kNoId, K::kLabel, "START BENCH", {4, 241, 52, 8}},
      {kNoId, K::kLabel, "STOP BENCH", {64, 241, 48, 8}},
      {kIdStatus, K::kStatusCell, "", {24, 32, 128, 16}},
      {kIdReferenceMachine, K::kLabel, kReferenceMachineText, {0, 253, 240, 8}},
      {kNoId, K::kLabel, "Tallyforge: trial division, integer and float searches, factorisation",
       {0, 261, 240, 8}},
      {kNoId, K::kLabel, "Written in C++20 with wxWidgets 3.2 and OpenGL", {0, 269, 240, 8}},
      {kNoId, K::kLabel, "Copyright (C) 2026 the Tallyforge developers", {4, 298, 240, 8}},
      {kNoId, K::kLabel, "END", {262, 300, 36, 8}},
      {kIdOpenGl, K::kPushButton, "OPENGL", {252, 236, 56, 20}},
      {kIdStressBench, K::kImageButton, "STRESS BENCH", {120, 204, 48, 32}, Align::kCentre, res::kStressIcon},
      {kNoId, K::kLabel, "STRESS BENCH", {116, 241, 60, 8}},
      {kIdInfoAndThanks, K::kPushButton, "Info && Thanks....", {8, 281, 228, 12}},
      {kNoId, K::kLabel, "TOTAL SCORE (*)", {192, 196, 64, 12}, Align::kLeft},
      {kIdTotalScore, K::kScoreCell, "", {260, 194, 48, 14}},
      {kIdScoreFootnote, K::kLabel, kScoreFootnoteText, {172, 210, 144, 24}, Align::kLeft, 0,
       true},
  };
  t.insert(t.end(), rest.begin(), rest.end());
  return t;
}

}  // namespace

const std::vector<TemplateControl>& MainTemplate() {
  static const std::vector<TemplateControl> controls = BuildMainTemplate();
  return controls;
}

}  // namespace tallyforge::ui
