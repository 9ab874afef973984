#include "digit_glyphs.h"

#include <cstdio>

namespace tallyforge {

namespace {
constexpr Colour kLabelColour{1.0f, 1.0f, 0.0f};
constexpr double kLabelShift = 0.01;
constexpr float kGapTensTop = -0.53f;
constexpr float kGapUnitsTop = -0.59f;
constexpr double kCountLift = 0.2;
constexpr double kDigitStep = 0.06;
// Room for any 32-bit value, sign and terminator included.
constexpr int kFormatBufferSize = 16;
}  // namespace

// clang-format off
const std::array<int32_t, 10 * kGlyphSize * kGlyphSize> digitGlyphs = {
    // 0
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    1, 0, 0, 0, 0, 0, 0, 1,  // #......#
    1, 0, 0, 0, 0, 0, 0, 1,  // #......#
    1, 0, 0, 0, 0, 0, 0, 1,  // #......#
    1, 0, 0, 0, 0, 0, 0, 1,  // #......#
    1, 0, 0, 0, 0, 0, 0, 1,  // #......#
    1, 0, 0, 0, 0, 0, 0, 1,  // #......#
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    // 1
    0, 0, 0, 0, 1, 0, 0, 0,  // ....#...
    0, 0, 0, 1, 1, 0, 0, 0,  // ...##...
    0, 0, 1, 0, 1, 0, 0, 0,  // ..#.#...
    0, 0, 0, 0, 1, 0, 0, 0,  // ....#...
    0, 0, 0, 0, 1, 0, 0, 0,  // ....#...
    0, 0, 0, 0, 1, 0, 0, 0,  // ....#...
    0, 0, 0, 0, 1, 0, 0, 0,  // ....#...
    0, 0, 1, 1, 1, 1, 1, 0,  // ..#####.
    // 2
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    0, 0, 0, 0, 0, 0, 1, 0,  // ......#.
    0, 0, 0, 0, 0, 0, 1, 0,  // ......#.
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    0, 1, 0, 0, 0, 0, 0, 0,  // .#......
    0, 1, 0, 0, 0, 0, 0, 0,  // .#......
    0, 1, 0, 0, 0, 0, 0, 0,  // .#......
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    // 3
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    0, 0, 0, 0, 0, 0, 1, 0,  // ......#.
    0, 0, 0, 0, 0, 0, 1, 0,  // ......#.
    0, 0, 0, 1, 1, 1, 1, 0,  // ...####.
    0, 0, 0, 1, 1, 1, 1, 0,  // ...####.
    0, 0, 0, 0, 0, 0, 1, 0,  // ......#.
    0, 0, 0, 0, 0, 0, 1, 0,  // ......#.
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    // 4
    0, 1, 0, 0, 0, 0, 0, 0,  // .#......
    0, 1, 0, 0, 0, 0, 0, 0,  // .#......
    0, 1, 0, 0, 0, 1, 0, 0,  // .#...#..
    0, 1, 0, 0, 0, 1, 0, 0,  // .#...#..
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    0, 0, 0, 0, 0, 1, 0, 0,  // .....#..
    0, 0, 0, 0, 0, 1, 0, 0,  // .....#..
    0, 0, 0, 0, 0, 1, 0, 0,  // .....#..
    // 5
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    0, 1, 0, 0, 0, 0, 0, 0,  // .#......
    0, 1, 0, 0, 0, 0, 0, 0,  // .#......
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    0, 0, 0, 0, 0, 0, 1, 0,  // ......#.
    0, 0, 0, 0, 0, 0, 1, 0,  // ......#.
    0, 0, 0, 0, 0, 0, 1, 0,  // ......#.
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    // 6
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    0, 1, 0, 0, 0, 0, 0, 0,  // .#......
    0, 1, 0, 0, 0, 0, 0, 0,  // .#......
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    0, 1, 0, 0, 0, 0, 1, 0,  // .#....#.
    0, 1, 0, 0, 0, 0, 1, 0,  // .#....#.
    0, 1, 0, 0, 0, 0, 1, 0,  // .#....#.
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    // 7
    0, 0, 1, 1, 1, 1, 1, 0,  // ..#####.
    0, 1, 0, 0, 0, 0, 1, 0,  // .#....#.
    0, 0, 0, 0, 0, 0, 1, 0,  // ......#.
    0, 0, 0, 0, 0, 0, 1, 0,  // ......#.
    0, 0, 0, 0, 0, 1, 1, 1,  // .....###
    0, 0, 0, 0, 0, 0, 1, 0,  // ......#.
    0, 0, 0, 0, 0, 0, 1, 0,  // ......#.
    0, 0, 0, 0, 0, 0, 1, 0,  // ......#.
    // 8
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    0, 1, 0, 0, 0, 0, 1, 0,  // .#....#.
    0, 1, 0, 0, 0, 0, 1, 0,  // .#....#.
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    0, 1, 0, 0, 0, 0, 1, 0,  // .#....#.
    0, 1, 0, 0, 0, 0, 1, 0,  // .#....#.
    0, 1, 0, 0, 0, 0, 1, 0,  // .#....#.
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    // 9
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    0, 1, 0, 0, 0, 0, 1, 0,  // .#....#.
    0, 1, 0, 0, 0, 0, 1, 0,  // .#....#.
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
    0, 0, 0, 0, 0, 0, 1, 0,  // ......#.
    0, 0, 0, 0, 0, 0, 1, 0,  // ......#.
    0, 0, 0, 0, 0, 0, 1, 0,  // ......#.
    0, 1, 1, 1, 1, 1, 1, 0,  // .######.
};
// clang-format on

void DrawGlyph(PrimitiveSink& sink, Colour colour, char character, float left, float top) {
  if (character < '0' || character > '9') return;
  const int first = (character - '0') * kGlyphSize * kGlyphSize;
  for (int row = 0; row < kGlyphSize; ++row) {
    for (int column = 0; column < kGlyphSize; ++column) {
      if (digitGlyphs[first + row * kGlyphSize + column] != 1) continue;
      // Double arithmetic on the float operands, rounded once when stored.
      const Vertex dot[] = {{static_cast<float>(left + static_cast<double>(column) * kDotPitch),
                             static_cast<float>(top - static_cast<double>(row) * kDotPitch), 0.0f}};
      sink.Emit(PrimitiveKind::Points, colour, dot);
    }
  }
}

void DrawBarLabels(PrimitiveSink& sink, float x, float y, int32_t gapSize, int32_t count) {
  char text[kFormatBufferSize];
  std::snprintf(text, sizeof text, "%02d", gapSize);
  float left = static_cast<float>(x - kLabelShift);
  DrawGlyph(sink, kLabelColour, text[0], left, kGapTensTop);
  DrawGlyph(sink, kLabelColour, text[1], left, kGapUnitsTop);

  std::snprintf(text, sizeof text, "%03d", count);
  left = static_cast<float>(left - kLabelShift);
  float top = static_cast<float>(y + kCountLift);
  DrawGlyph(sink, kLabelColour, text[0], left, top);
  top = static_cast<float>(top - kDigitStep);
  DrawGlyph(sink, kLabelColour, text[1], left, top);
  top = static_cast<float>(top - kDigitStep);
  DrawGlyph(sink, kLabelColour, text[2], left, top);
}

}  // namespace tallyforge
