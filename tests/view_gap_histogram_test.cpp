#include "gap_histogram.h"

#include <gtest/gtest.h>

#include <map>
#include <numeric>

#include "prime_flags.h"
#include "recording_sink.h"
#include "view_test_support.h"

namespace tallyforge {
namespace {

using testing::LabelAt;

struct Bar {
  Primitive line;
  std::vector<Primitive> labels;  // the points drawn after the bar, before the next one
};

struct Histogram {
  Primitive baseLine;
  std::vector<Bar> bars;
};

Histogram Draw() {
  RecordingSink sink;
  DrawGapHistogram(sink);
  EXPECT_EQ(sink.matrixPushes, 0);
  Histogram drawn;
  EXPECT_FALSE(sink.primitives.empty());
  if (sink.primitives.empty()) return drawn;
  drawn.baseLine = sink.primitives.front();
  for (size_t i = 1; i < sink.primitives.size(); ++i) {
    const Primitive& p = sink.primitives[i];
    if (p.kind == PrimitiveKind::Lines) {
      drawn.bars.push_back({p, {}});
    } else {
      EXPECT_FALSE(drawn.bars.empty()) << "label before the first bar";
      if (!drawn.bars.empty()) drawn.bars.back().labels.push_back(p);
    }
  }
  return drawn;
}

class GapHistogram : public ::testing::Test {
 protected:
  void SetUp() override { BuildPrimeFlags(); }
  void TearDown() override { BuildPrimeFlags(); }
};

TEST_F(GapHistogram, CountsTheGapsBetweenConsecutiveFlaggedEntries) {
  const std::map<int, int> expected = {
      {1, 2},    {2, 505},  {4, 500}, {6, 784}, {8, 282}, {10, 320}, {12, 352},
      {14, 169}, {16, 115}, {18, 165}, {20, 71}, {22, 71}, {24, 49},  {26, 17},
      {28, 26},  {30, 44},  {32, 4},  {34, 11}, {36, 13}, {38, 1},   {40, 4},
      {42, 1},   {44, 1},   {48, 1},  {50, 1},  {52, 2},  {72, 1}};
  const GapCounts gaps = CountPrimeGaps();
  for (int g = 0; g < kGapSlots; ++g) {
    const auto it = expected.find(g);
    EXPECT_EQ(gaps.counts[g], it == expected.end() ? 0 : it->second) << "gap " << g;
  }
  EXPECT_EQ(std::accumulate(gaps.counts.begin(), gaps.counts.end(), 0), 3512);
  EXPECT_EQ(gaps.peakCount, 784);
  EXPECT_EQ(gaps.widestGap, 72);
}

TEST_F(GapHistogram, WithoutIndexOneTheFirstFlaggedIndexCountsFromZero) {
  primeFlags[1] = 0;
  const GapCounts gaps = CountPrimeGaps();
  EXPECT_EQ(gaps.counts[1], 1);    // only 2-3
  EXPECT_EQ(gaps.counts[2], 506);  // 0-2 added
}

TEST_F(GapHistogram, DrawsBaseLineThenALabelledBarForEveryGapBelowTheWidest) {
  const Histogram drawn = Draw();
  EXPECT_EQ(drawn.baseLine.kind, PrimitiveKind::Lines);
  EXPECT_EQ(drawn.baseLine.colour, (Colour{0, 1, 1}));
  EXPECT_EQ(drawn.baseLine.vertices, (std::vector<Vertex>{{-1, -0.5f, 0}, {1, -0.5f, 0}}));

  const GapCounts gaps = CountPrimeGaps();
  ASSERT_EQ(drawn.bars.size(), 72u);  // gap sizes 0 to 71: the single gap of 72 is left out
  int labelled = 0;
  for (size_t i = 0; i < drawn.bars.size(); ++i) {
    SCOPED_TRACE(i);
    const Primitive& bar = drawn.bars[i].line;
    EXPECT_EQ(bar.colour, (Colour{1, 1, 1}));
    ASSERT_EQ(bar.vertices.size(), 2u);
    EXPECT_NEAR(bar.vertices[0].x, i / 36.0 - 0.8, 1e-6);
    EXPECT_EQ(bar.vertices[1].x, bar.vertices[0].x);
    EXPECT_EQ(bar.vertices[0].y, -0.5f);
    EXPECT_NEAR(bar.vertices[1].y, gaps.counts[i] * 1.18 / 784 - 0.5, 1e-6);
    EXPECT_EQ(drawn.bars[i].labels.empty(), gaps.counts[i] == 0);
    labelled += !drawn.bars[i].labels.empty();
  }
  EXPECT_EQ(labelled, 26);
  // The tallest: 1.18f - 0.5, exactly; with 1.18 held in double it would round to 0.68f instead.
  EXPECT_EQ(drawn.bars[6].line.vertices[1].y, 0.67999994754791259765625f);

  // Each bar labelled with its gap and count.
  const auto gapLabel = [&](size_t i) {
    return LabelAt(drawn.bars[i].labels, drawn.bars[i].line.vertices[0].x - 0.01, {-0.53, -0.59});
  };
  const auto countLabel = [&](size_t i, double top) {
    return LabelAt(drawn.bars[i].labels, drawn.bars[i].line.vertices[0].x - 0.02,
                   {top, top - 0.06, top - 0.12});
  };
  EXPECT_EQ(gapLabel(1), "01");
  EXPECT_EQ(countLabel(1, drawn.bars[1].line.vertices[1].y + 0.2), "002");
  EXPECT_EQ(gapLabel(6), "06");
  EXPECT_EQ(countLabel(6, 0.88), "784");
  EXPECT_EQ(gapLabel(52), "52");
  // Five glyphs per bar, nothing else: 0, 6, 7, 8 and 4 have 24 + 26 + 15 + 28 + 15 dots.
  EXPECT_EQ(drawn.bars[6].labels.size(), 108u);
}

TEST_F(GapHistogram, WithoutAnyGapOnlyTheBaseLineIsDrawn) {
  primeFlags.fill(0);
  primeFlags[1] = 1;
  primeFlags[2000] = 1;  // a gap of 1999 has no counter and is left out
  const GapCounts gaps = CountPrimeGaps();
  EXPECT_EQ(gaps.widestGap, 0);
  EXPECT_EQ(gaps.peakCount, -1);
  const Histogram drawn = Draw();
  EXPECT_EQ(drawn.baseLine.colour, (Colour{0, 1, 1}));
  EXPECT_TRUE(drawn.bars.empty());
}

}  // namespace
}  // namespace tallyforge
