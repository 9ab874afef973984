#pragma once
// Shared pieces of the prime view tests: the digits as pictures, and a reader that recognises
// the dot-matrix digits in a recorded drawing.
#include <array>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "digit_glyphs.h"
#include "recording_sink.h"

namespace tallyforge::testing {

// The ten glyphs as they should look, row 0 at the top.
inline const std::array<std::array<std::string, 8>, 10> kDigitPictures = {{
    {{".######.", "#......#", "#......#", "#......#", "#......#", "#......#", "#......#", ".######."}},
    {{"....#...", "...##...", "..#.#...", "....#...", "....#...", "....#...", "....#...", "..#####."}},
    {{".######.", "......#.", "......#.", ".######.", ".#......", ".#......", ".#......", ".######."}},
    {{".######.", "......#.", "......#.", "...####.", "...####.", "......#.", "......#.", ".######."}},
    {{".#......", ".#......", ".#...#..", ".#...#..", ".######.", ".....#..", ".....#..", ".....#.."}},
    {{".######.", ".#......", ".#......", ".######.", "......#.", "......#.", "......#.", ".######."}},
    {{".######.", ".#......", ".#......", ".######.", ".#....#.", ".#....#.", ".#....#.", ".######."}},
    {{"..#####.", ".#....#.", "......#.", "......#.", ".....###", "......#.", "......#.", "......#."}},
    {{".######.", ".#....#.", ".#....#.", ".######.", ".#....#.", ".#....#.", ".#....#.", ".######."}},
    {{".######.", ".#....#.", ".#....#.", ".######.", "......#.", "......#.", "......#.", ".######."}},
}};

// The 8 x 8 picture of the points that lie on the dot grid whose top-left dot is at
// (left, top); points off that grid are ignored.
inline std::array<std::string, 8> PictureAt(const std::vector<Primitive>& primitives, double left,
                                            double top) {
  std::array<std::string, 8> picture;
  picture.fill("........");
  for (const Primitive& p : primitives) {
    if (p.kind != PrimitiveKind::Points || p.vertices.size() != 1) continue;
    const double column = (p.vertices[0].x - left) / kDotPitch;
    const double row = (top - p.vertices[0].y) / kDotPitch;
    const double c = std::round(column), r = std::round(row);
    if (c < 0 || c > 7 || r < 0 || r > 7 || std::abs(column - c) > 0.01 || std::abs(row - r) > 0.01)
      continue;
    picture[static_cast<size_t>(r)][static_cast<size_t>(c)] = '#';
  }
  return picture;
}

// The digit drawn at (left, top): ' ' when nothing is there, '?' when the dots match no digit.
inline char DigitAt(const std::vector<Primitive>& primitives, double left, double top) {
  const auto picture = PictureAt(primitives, left, top);
  if (picture == std::array<std::string, 8>{"........", "........", "........", "........",
                                            "........", "........", "........", "........"})
    return ' ';
  for (size_t d = 0; d < kDigitPictures.size(); ++d) {
    if (picture == kDigitPictures[d]) return static_cast<char>('0' + d);
  }
  return '?';
}

// The digits of a label stacked at the given tops, read top to bottom.
inline std::string LabelAt(const std::vector<Primitive>& primitives, double left,
                           std::initializer_list<double> tops) {
  std::string text;
  for (double top : tops) text += DigitAt(primitives, left, top);
  return text;
}

}  // namespace tallyforge::testing
