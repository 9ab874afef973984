#pragma once
// Which picture the prime view shows; process-wide, so it survives closing the window.
#include <cstdint>

namespace tallyforge {

// 0: the prime spiral; 1: the gap histogram.
inline int32_t viewMode = 0;
// 1: the spiral also draws the links between consecutive primes. Any other value: points only.
inline uint8_t linkLines = 0;

}  // namespace tallyforge
