#include "prime_flags.h"

namespace tallyforge {

std::array<uint8_t, kPrimeFlagsLast + 1> primeFlags{};

void BuildPrimeFlags() {
  primeFlags.fill(1);
  // Multiples of composites are cleared too; skipping them would change nothing but the speed.
  for (int i = 2; i <= kPrimeFlagsLast / 2; ++i) {
    for (int multiple = 2 * i; multiple <= kPrimeFlagsLast; multiple += i) primeFlags[multiple] = 0;
  }
}

}  // namespace tallyforge
