#pragma once
// The main window's command and control numbers, as its template gives them.
namespace tallyforge::ui {

inline constexpr int kIdEnd = 1;          // END, also Enter
inline constexpr int kIdStartBench = 2;   // START BENCH, also Esc
inline constexpr int kIdOpenGl = 3;       // OPENGL
inline constexpr int kIdStopBench = 4;    // STOP BENCH
inline constexpr int kIdStressBench = 5;  // STRESS BENCH
inline constexpr int kIdAboutBox = 16;    // the menu entry of the About box
inline constexpr int kIdFirstRadio = 1000;     // B1; B9 is 1008
inline constexpr int kIdFirstYourTime = 1010;  // row 1; row r is 1009 + r
inline constexpr int kIdFirstRefTime = 1019;   // row 1; row r is 1018 + r
inline constexpr int kIdFirstPercent = 1028;   // row 1; row r is 1027 + r
inline constexpr int kIdStatus = 1037;
inline constexpr int kIdInfoAndThanks = 1038;
inline constexpr int kIdTotalScore = 1039;

}  // namespace tallyforge::ui
