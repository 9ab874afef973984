#include "gap_histogram.h"

#include "digit_glyphs.h"
#include "prime_flags.h"

namespace tallyforge {

namespace {
constexpr int kScanLast = kPrimeFlagsLast - 1;
constexpr float kHorizontalSpan = 2.0f;
constexpr float kLeftOffset = 0.8f;
constexpr float kHeightFactor = 1.18f;
constexpr float kBaseLine = -0.5f;
// The bar height subtracts the base line as a double, unlike the vertices.
constexpr double kBaseLineInBarFormula = 0.5;
}  // namespace

GapCounts CountPrimeGaps() {
  GapCounts result;
  int previous = 0;
  for (int i = 1; i <= kScanLast; ++i) {
    if (primeFlags[i] != 1) continue;
    if (i > 1) {
      const int gap = i - previous;
      if (gap < kGapSlots) {
        const int32_t value = ++result.counts[gap];
        if (value > result.peakCount) result.peakCount = value;
      }
    }
    previous = i;
  }
  int widest = kGapSlots - 1;
  while (widest > 0 && result.counts[widest] == 0) --widest;
  result.widestGap = widest;
  return result;
}

void DrawGapHistogram(PrimitiveSink& sink) {
  const GapCounts gaps = CountPrimeGaps();

  const Vertex baseLine[] = {{-1.0f, kBaseLine, 0.0f}, {1.0f, kBaseLine, 0.0f}};
  sink.Emit(PrimitiveKind::Lines, {0.0f, 1.0f, 1.0f}, baseLine);
  if (gaps.widestGap <= 0) return;

  // Each value is worked out in double from its float operands and rounded when stored.
  const float scale = static_cast<float>(static_cast<double>(kHorizontalSpan) / gaps.widestGap);
  const float peak = static_cast<float>(gaps.peakCount);
  for (int i = 0; i < gaps.widestGap; ++i) {
    const int32_t count = gaps.counts[i];
    const float x = static_cast<float>(static_cast<double>(i) * scale - kLeftOffset);
    const float y = static_cast<float>(static_cast<double>(count) * kHeightFactor / peak -
                                       kBaseLineInBarFormula);
    const Vertex bar[] = {{x, kBaseLine, 0.0f}, {x, y, 0.0f}};
    sink.Emit(PrimitiveKind::Lines, {1.0f, 1.0f, 1.0f}, bar);
    if (count > 0) DrawBarLabels(sink, x, y, i, count);
  }
}

}  // namespace tallyforge
