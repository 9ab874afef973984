#include "digit_glyphs.h"

#include <gtest/gtest.h>

#include "recording_sink.h"
#include "view_test_support.h"

namespace tallyforge {
namespace {

using namespace testing;

constexpr Colour kYellow{1, 1, 0};

TEST(DrawGlyph, DrawsEachDigitAsItsPatternOnePointPerDotAndNothingElse) {
  const int dots[10] = {24, 14, 23, 24, 15, 23, 26, 15, 28, 25};
  for (int d = 0; d < 10; ++d) {
    SCOPED_TRACE(d);
    RecordingSink sink;
    DrawGlyph(sink, {0.5f, 0.25f, 1}, static_cast<char>('0' + d), 0.25f, 0.5f);
    EXPECT_EQ(PictureAt(sink.primitives, 0.25, 0.5), kDigitPictures[d]);
    ASSERT_EQ(sink.primitives.size(), static_cast<size_t>(dots[d]));
    for (size_t i = 0; i < sink.primitives.size(); ++i) {
      const Primitive& p = sink.primitives[i];
      ASSERT_EQ(p.kind, PrimitiveKind::Points);
      ASSERT_EQ(p.vertices.size(), 1u);
      EXPECT_EQ(p.colour, (Colour{0.5f, 0.25f, 1}));
      EXPECT_EQ(p.vertices[0].z, 0.0f);
      // Row by row from the top, left to right within a row.
      if (i > 0) {
        const Vertex& before = sink.primitives[i - 1].vertices[0];
        EXPECT_TRUE(p.vertices[0].y < before.y ||
                    (p.vertices[0].y == before.y && p.vertices[0].x > before.x));
      }
    }
  }
  for (char c : {'-', ' ', '/', ':', 'a', '\0'}) {  // anything but a digit is left blank
    RecordingSink sink;
    DrawGlyph(sink, kYellow, c, 0, 0);
    EXPECT_TRUE(sink.primitives.empty()) << int(c);
  }
}

// Reads both labels of a bar whose top is (x, y) from what DrawBarLabels drew, as "gap/count".
std::string Labels(float x, float y, int32_t gapSize, int32_t count) {
  RecordingSink sink;
  DrawBarLabels(sink, x, y, gapSize, count);
  for (const Primitive& p : sink.primitives) EXPECT_EQ(p.colour, kYellow);
  return LabelAt(sink.primitives, x - 0.01, {-0.53, -0.59}) + "/" +
         LabelAt(sink.primitives, x - 0.02, {y + 0.2, y + 0.14, y + 0.08});
}

// The labels of a bar in place are read in the histogram's test; here the odd values.
TEST(DrawBarLabels, WideValuesShowTheirLeadingDigitsAndAMinusSignItsPlaceBlank) {
  EXPECT_EQ(Labels(0.3f, 0.1f, 52, 0), "52/000");
  EXPECT_EQ(Labels(0, 0, 123, 45678), "12/456");
  EXPECT_EQ(Labels(0, 0, -5, -7), " 5/ 07");
}

}  // namespace
}  // namespace tallyforge
