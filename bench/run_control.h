#pragma once
// Process-wide run-control flags shared by every benchmark and both front ends.
#include <cstdint>

namespace tallyforge {

// 1: no benchmark is running (or a stop was requested); 0: a benchmark is running.
// Zero at process start; the prime table build sets it to 1 for the first time.
extern int32_t stopFlag;

// 1: a stress run is in progress; 2: the stress run is to end. Never reset to 0.
extern int32_t stressState;

// The stop test of every benchmark loop: true when a stop was requested, which also ends a
// stress run.
inline bool StopRequested() {
  if (stopFlag == 0) return false;
  if (stressState == 1) stressState = 2;
  return true;
}

}  // namespace tallyforge
