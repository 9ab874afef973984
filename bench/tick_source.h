#pragma once
// The millisecond clock the benchmarks are timed with, injectable so tests can drive it.
#include <cstdint>
#include <functional>

namespace tallyforge {

// Returns the current time in whole milliseconds as a 32-bit int; differences of two
// readings are run times in ticks.
using TickSource = std::function<int32_t()>;

// later - earlier, in unsigned arithmetic so that a clock that wraps still gives the difference.
inline int32_t TickDifference(int32_t later, int32_t earlier) {
  return static_cast<int32_t>(static_cast<uint32_t>(later) - static_cast<uint32_t>(earlier));
}

// A monotonic clock in whole milliseconds, truncated to 32 bits.
int32_t MonotonicTicks();

}  // namespace tallyforge
