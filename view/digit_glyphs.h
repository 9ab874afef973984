#pragma once
// Yellow dot-matrix digits: the labels of the gap histogram, drawn as single points.
#include <array>
#include <cstdint>

#include "primitive_sink.h"

namespace tallyforge {

inline constexpr int kGlyphSize = 8;
// Ten 8 x 8 glyphs for the digits 0 to 9, back to back, row-major, row 0 at the top and
// column 0 at the left; a cell of 1 is a dot.
extern const std::array<int32_t, 10 * kGlyphSize * kGlyphSize> digitGlyphs;

// Distance between neighbouring dots: 1/300 rounded to single precision.
inline constexpr float kDotPitch = 1.0f / 300.0f;

// Draws the glyph of a digit character with its top-left dot at (left, top), one Points
// primitive per dot in row-major order. Any other character leaves the place blank.
void DrawGlyph(PrimitiveSink& sink, Colour colour, char character, float left, float top);

// The two labels of the histogram bar whose top is (x, y), in yellow: the gap size as two
// digits stacked under the base line, the count as three digits stacked above the bar.
// Wider values show only their leading digits.
void DrawBarLabels(PrimitiveSink& sink, float x, float y, int32_t gapSize, int32_t count);

}  // namespace tallyforge
