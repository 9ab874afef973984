#include "prime_table.h"

#include <cmath>

#include "remainder.h"
#include "run_control.h"

namespace tallyforge {

std::array<double, kPrimeTableCapacity + 1> primeTable{};
int32_t primeCount = 0;

void BuildPrimeTable() {
  primeTable[1] = 2;
  primeTable[2] = 3;
  primeTable[3] = 5;
  primeTable[4] = 7;
  stopFlag = 1;
  primeCount = 4;
  int32_t count = 4;
  double v = 9;
  do {
    const double s = std::sqrt(v);
    bool prime = true;
    for (int32_t j = 1; j <= count; ++j) {
      if (primeTable[j] > s) break;
      if (Remainder(v, primeTable[j]) == 0) {
        prime = false;
        break;
      }
    }
    if (prime) primeTable[++count] = v;
    v += 2;
  } while (v < 1500000);
  primeCount = count;
}

}  // namespace tallyforge
