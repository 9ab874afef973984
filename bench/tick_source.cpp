#include "tick_source.h"

#include <chrono>

namespace tallyforge {

int32_t MonotonicTicks() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  // Wrapping to 32 bits keeps differences right across the wrap, like a C clock().
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(ms)));
}

}  // namespace tallyforge
