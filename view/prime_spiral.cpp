#include "prime_spiral.h"

#include <cmath>

#include "prime_flags.h"
#include "view_state.h"

namespace tallyforge {

namespace {
// The turn per number is 0.01745 as written, not pi / 180.
constexpr double kAnglePerNumber = 0.01745;
constexpr double kRadiusStep = 0.00003;
constexpr double kDepthStep = 0.00061;
}  // namespace

// The working values are floats and every store rounds to single precision, while the
// arithmetic itself runs in double: the positions depend on exactly that, so each
// expression below converts its float operands to double before combining them.
void DrawPrimeSpiral(PrimitiveSink& sink) {
  sink.PushMatrix();
  float r = 0.1f;
  float z = -1.0f;
  float px = 0.0f, py = 0.0f, pz = 0.0f;
  for (float n = 0.0f; n <= static_cast<float>(kPrimeFlagsLast); n = static_cast<float>(n + 1.0)) {
    if (primeFlags[static_cast<int>(n)] == 1) {
      const double a = n * kAnglePerNumber;
      const float x = static_cast<float>(std::cos(a) * r);
      const float y = static_cast<float>(std::sin(a) * r);
      z = static_cast<float>(z + kDepthStep);
      const double dx = static_cast<double>(x) - px;
      const double dy = static_cast<double>(y) - py;
      const double dz = static_cast<double>(z) - pz;
      const float d = static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
      // 0 and 1 are placed (they take a depth step and start the first link) but not drawn.
      if (n > 1.0f) {
        if (linkLines == 1) {
          const Vertex link[] = {{px, py, pz}, {x, y, z}};
          sink.Emit(PrimitiveKind::Lines, {d, d, static_cast<float>((1.0 - d) * 0.5)}, link);
        }
        const Vertex point[] = {{x, y, z}};
        sink.Emit(PrimitiveKind::Points, {1.0f, 1.0f, 1.0f}, point);
      }
      px = x;
      py = y;
      pz = z;
    }
    r = static_cast<float>(r + kRadiusStep);
  }
  sink.PopMatrix();
}

}  // namespace tallyforge
