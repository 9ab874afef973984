#include "prime_spiral.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "prime_flags.h"
#include "recording_sink.h"
#include "view_state.h"

namespace tallyforge {
namespace {

double Distance(const Vertex& a, const Vertex& b) {
  return std::sqrt(std::pow(double(a.x) - b.x, 2) + std::pow(double(a.y) - b.y, 2) +
                   std::pow(double(a.z) - b.z, 2));
}

void ExpectNear(const Vertex& v, double x, double y, double z, double tolerance) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
  EXPECT_NEAR(v.z, z, tolerance);
}

class PrimeSpiral : public ::testing::Test {
 protected:
  void SetUp() override { BuildPrimeFlags(); }
  void TearDown() override { linkLines = 0; }

  std::vector<Primitive> Draw(uint8_t links) {
    linkLines = links;
    RecordingSink sink;
    DrawPrimeSpiral(sink);
    EXPECT_EQ(sink.matrixPushes, 1);
    EXPECT_EQ(sink.matrixPops, 1);
    return sink.primitives;
  }
};

// Only the link value 1 switches the links on.
TEST_F(PrimeSpiral, WithoutLinksDrawsOneWhitePointPerPrime) {
  for (const uint8_t links : {0, 2}) {
    const auto drawn = Draw(links);
    ASSERT_EQ(drawn.size(), 3512u) << int(links);
    for (const Primitive& p : drawn) {
      ASSERT_EQ(p.kind, PrimitiveKind::Points);
      ASSERT_EQ(p.vertices.size(), 1u);
      ASSERT_EQ(p.colour, (Colour{1, 1, 1}));
    }
    ExpectNear(drawn.front().vertices[0], 0.09999, 0.00349, -0.99817, 1e-5);  // the prime 2
  }
}

TEST_F(PrimeSpiral, LinksRunFromEachPlacedNumberToTheNextPrimeBeforeItsPoint) {
  const auto drawn = Draw(1);
  ASSERT_EQ(drawn.size(), 2 * 3512u);
  for (size_t i = 0; i < drawn.size(); i += 2) {
    const Primitive& link = drawn[i];
    const Primitive& point = drawn[i + 1];
    ASSERT_EQ(link.kind, PrimitiveKind::Lines) << i;
    ASSERT_EQ(link.vertices.size(), 2u);
    ASSERT_EQ(point.kind, PrimitiveKind::Points) << i;
    ASSERT_EQ(link.vertices[1], point.vertices[0]) << i;
    if (i > 0) { ASSERT_EQ(link.vertices[0], drawn[i - 1].vertices[0]) << i; }
  }
  // The first link starts at the place of 1, not at the origin.
  ExpectNear(drawn.front().vertices[0], 0.10001, 0.00175, -0.99878, 1e-5);
  // The last runs from 32,719 to 32,749; the radius is about 0.0001 short of 0.1 + n * 0.00003.
  const auto placeOf = [](double n) {
    const double r = 0.1 + n * 0.00003 - 0.0001;
    return std::pair{std::cos(n * 0.01745) * r, std::sin(n * 0.01745) * r};
  };
  const Vertex& from = drawn[drawn.size() - 2].vertices[0];
  const Vertex& to = drawn[drawn.size() - 2].vertices[1];
  EXPECT_NEAR(from.x, placeOf(32719).first, 1e-4);
  EXPECT_NEAR(from.y, placeOf(32719).second, 1e-4);
  EXPECT_NEAR(to.x, placeOf(32749).first, 1e-4);
  EXPECT_NEAR(to.y, placeOf(32749).second, 1e-4);
}

TEST_F(PrimeSpiral, LinkColourGoesFromDarkBlueToYellowWithLength) {
  const auto drawn = Draw(1);
  float longest = 0;
  for (const Primitive& p : drawn) {
    if (p.kind != PrimitiveKind::Lines) continue;
    const double d = Distance(p.vertices[0], p.vertices[1]);
    ASSERT_NEAR(p.colour.r, d, 1e-6);
    ASSERT_EQ(p.colour.g, p.colour.r);
    ASSERT_NEAR(p.colour.b, (1.0 - d) * 0.5, 1e-6);
    longest = std::max(longest, p.colour.r);
  }
  // Into 31,469 after the gap of 72; its blue is left negative for the screen to clamp.
  EXPECT_NEAR(longest, 1.2257, 1e-4);
}

TEST_F(PrimeSpiral, SinglePrecisionStepsDecideDepthRadiusAndVisibility) {
  const auto drawn = Draw(0);
  const Vertex& last = drawn.back().vertices[0];
  // Accumulated in double these would be 1.14354 and 1.08247.
  EXPECT_NEAR(last.z, 1.14352, 3e-6);
  EXPECT_NEAR(std::hypot(last.x, last.y), 1.08234, 3e-5);
  int deeper = 0, visible = 0;
  for (const Primitive& p : drawn) {
    const Vertex& v = p.vertices[0];
    deeper += v.z > 1.0f;
    visible += std::abs(v.x) <= 1.0f && std::abs(v.y) <= 1.0f && std::abs(v.z) <= 1.0f;
  }
  EXPECT_EQ(deeper, 236);  // from 30,313 on
  EXPECT_EQ(visible, 3274);
}

}  // namespace
}  // namespace tallyforge
