#pragma once
// The histogram of the gaps between consecutive flagged entries of primeFlags below 32,768.
#include <array>
#include <cstdint>

#include "primitive_sink.h"

namespace tallyforge {

inline constexpr int kGapSlots = 1000;

struct GapCounts {
  // counts[g]: how often gap g occurs; counts[0] stays 0.
  std::array<int32_t, kGapSlots> counts{};
  // The largest count reached, -1 when no gap was counted.
  int32_t peakCount = -1;
  // The largest gap with a non-zero count, 0 when there is none.
  int32_t widestGap = 0;
};

// Counts the gaps between the flagged entries 1 to 32,767 of primeFlags. Entry 1 is the first
// point of the sequence, so 1-2 and 2-3 make gap 1 count twice. A gap of 1000 or more has no
// slot and is left out.
GapCounts CountPrimeGaps();

// Recounts, then draws a cyan base line at y = -0.5 and one white bar for each gap size from 0
// to widestGap - 1 (the widest gap itself gets no bar), each bar with a count followed by its
// labels (DrawBarLabels).
void DrawGapHistogram(PrimitiveSink& sink);

}  // namespace tallyforge
