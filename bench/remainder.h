#pragma once
// The remainder that every trial division of the timed work takes. It is the engine's own, inline
// in the loops, never the C library's fmod: a library's fmod differs in speed from one platform
// and one version to the next, and a benchmark is to measure the machine, not its library.
#include <cmath>
#include <limits>

namespace tallyforge {

// x - n * y with n = trunc(x / y), exactly, with the sign of x (what fmod defines), by binary
// long division in doubles: y doubled up to the largest y * 2^k not above |x|, then subtracted
// where it fits while halving back to y. Every subtraction is exact (d <= r < 2d), so is the
// result. For architectures without the x87 unit; NaN for an infinite x or a zero or NaN y.
inline double PortableRemainder(double x, double y) {
  const double ax = std::fabs(x);
  const double ay = std::fabs(y);
  if (!(ay > 0) || !(ax <= std::numeric_limits<double>::max())) return (x * y) / (x * y);
  if (ax < ay) return x;
  double d = ay;
  while (d + d <= ax) d += d;  // d + d overflows to infinity rather than passing ax
  double r = ax;
  for (;;) {
    if (r >= d) r -= d;
    if (d == ay) break;
    d *= 0.5;  // back down the doublings, each value exactly as it was
  }
  return std::copysign(r, x);
}

#if defined(__i386__) || defined(__x86_64__)

// The x87 partial remainder: fprem reduces x by up to 2^63 multiples of y a step and keeps C2
// (0x400 of the status word) set while more steps are needed. Exact, and the same instructions
// whatever the operating system or C library.
inline double X87Remainder(double x, double y) {
  long double r;
  __asm__(
      "1:\n\t"
      "fprem\n\t"
      "fnstsw %%ax\n\t"
      "testw $0x400, %%ax\n\t"
      "jnz 1b"
      : "=t"(r)
      : "0"(static_cast<long double>(x)), "u"(static_cast<long double>(y))
      : "ax", "cc");
  return static_cast<double>(r);
}

// How the engine's remainder is computed, as result documents record it.
inline constexpr const char* kRemainderName = "x87 fprem";
inline double Remainder(double x, double y) { return X87Remainder(x, y); }

#else

inline constexpr const char* kRemainderName = "portable shift-subtract";
inline double Remainder(double x, double y) { return PortableRemainder(x, y); }

#endif

}  // namespace tallyforge
