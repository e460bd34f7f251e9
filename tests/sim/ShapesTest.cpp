#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "runtime/sim/ShapeRays.h"
#include "runtime/sim/Shapes.h"

namespace {

using sim::Vec3;

constexpr Vec3 kRight{1.0f, 0.0f, 0.0f};
constexpr Vec3 kUp{0.0f, 1.0f, 0.0f};
constexpr Vec3 kAway{0.0f, 0.0f, 1.0f};

sim::Shape Ellipsoid(Vec3 centre, Vec3 radii) {
  return sim::MakeEllipsoid(sim::Surface::Shirt, centre, kRight, kUp, kAway, radii);
}

struct RayCase {
  std::string name;
  sim::Shape shape;
  Vec3 origin;
  Vec3 dir;
  float expected;  // negative: the ray misses
};

class IntersectTest : public testing::TestWithParam<RayCase> {};

TEST_P(IntersectTest, FirstEntryIsWhereGeometrySaysAndPreparedRaysAgree) {
  const RayCase& c = GetParam();
  const float t = sim::Intersect(c.shape, c.origin, c.dir);
  if (c.expected < 0.0f) {
    EXPECT_LT(t, 0.0f);
  } else {
    EXPECT_NEAR(t, c.expected, 1e-5f);
  }
  // One prepared solid, reused for other rays first, still gives the same answer bit for bit.
  const Vec3 others[] = {{0.3f, -0.2f, 1.0f}, {-0.1f, 0.4f, 1.0f}, c.dir};
  float reused = 0.0f;
  if (c.shape.kind == sim::Shape::Kind::Ellipsoid) {
    const sim::EllipsoidRays rays(c.shape, c.origin);
    for (Vec3 d : others) reused = rays.Intersect(d);
  } else {
    const sim::CapsuleRays rays(c.shape, c.origin);
    for (Vec3 d : others) reused = rays.Intersect(d);
  }
  EXPECT_EQ(reused, t);
}

// A half-turn of the ellipsoid about y: its 0.3 m semi-axis lies along the camera's z.
sim::Shape TurnedEllipsoid() {
  return sim::MakeEllipsoid(sim::Surface::Head, {0.0f, 0.0f, 2.0f}, kAway, kUp, {-1.0f, 0.0f, 0.0f},
                            {0.3f, 0.2f, 0.1f});
}

INSTANTIATE_TEST_SUITE_P(
    Rays, IntersectTest,
    testing::Values(
        RayCase{"SphereStraightAhead",
                Ellipsoid({0.0f, 0.0f, 2.0f}, {0.5f, 0.5f, 0.5f}),
                {},
                kAway,
                1.5f},
        RayCase{"TurnedEllipsoidUsesTheAxisAlongTheRay", TurnedEllipsoid(), {}, kAway, 1.7f},
        RayCase{"EllipsoidMissedBeside",
                Ellipsoid({0.0f, 0.0f, 2.0f}, {0.5f, 0.5f, 0.5f}),
                {},
                {1.0f, 0.0f, 1.0f},
                -1.0f},
        RayCase{"EllipsoidFromAnOffsetOrigin",
                Ellipsoid({0.025f, 0.0f, 2.0f}, {0.5f, 0.5f, 0.5f}),
                {0.025f, 0.0f, 0.0f},
                kAway,
                1.5f},
        RayCase{"CapsuleSide",
                sim::MakeCapsule(sim::Surface::Skin, {-1.0f, 0.0f, 3.0f}, {1.0f, 0.0f, 3.0f}, 0.2f),
                {},
                kAway,
                2.8f},
        RayCase{"CapsuleEndCap",
                sim::MakeCapsule(sim::Surface::Skin, {0.1f, 0.0f, 3.0f}, {1.0f, 0.0f, 3.0f}, 0.2f),
                {},
                kAway,
                3.0f - std::sqrt(0.03f)},
        RayCase{"CapsuleAlongTheRayNearEndFirst",
                sim::MakeCapsule(sim::Surface::Skin, {0.0f, 0.0f, 2.0f}, {0.0f, 0.0f, 3.0f}, 0.1f),
                {},
                kAway,
                1.9f},
        RayCase{"CapsuleAlongTheRayFarEndFirst",
                sim::MakeCapsule(sim::Surface::Skin, {0.0f, 0.0f, 3.0f}, {0.0f, 0.0f, 2.0f}, 0.1f),
                {},
                kAway,
                1.9f},
        RayCase{"CapsuleMissedAbove",
                sim::MakeCapsule(sim::Surface::Skin, {-1.0f, 0.0f, 3.0f}, {1.0f, 0.0f, 3.0f}, 0.2f),
                {},
                {0.0f, 0.1f, 1.0f},
                -1.0f}),
    [](const testing::TestParamInfo<RayCase>& info) { return info.param.name; });

Vec3 Unit(Vec3 v) {
  return v * (1.0f / sim::Length(v));
}

void ExpectDirection(Vec3 actual, Vec3 expected) {
  ASSERT_GT(sim::Length(actual), 0.0f);
  const Vec3 a = Unit(actual);
  const Vec3 e = Unit(expected);
  EXPECT_NEAR(a.x, e.x, 1e-5f);
  EXPECT_NEAR(a.y, e.y, 1e-5f);
  EXPECT_NEAR(a.z, e.z, 1e-5f);
}

TEST(OutwardAtTest, CapsuleSideIsSquareToTheAxisAndBeyondAnEndIsRadial) {
  const sim::Shape arm =
      sim::MakeCapsule(sim::Surface::Skin, {-1.0f, 0.0f, 3.0f}, {1.0f, 0.0f, 3.0f}, 0.2f);
  ExpectDirection(sim::OutwardAt(arm, {0.5f, 0.2f, 3.0f}), kUp);
  ExpectDirection(sim::OutwardAt(arm, {0.5f, 0.0f, 2.8f}), {0.0f, 0.0f, -1.0f});
  ExpectDirection(sim::OutwardAt(arm, {1.2f, 0.0f, 3.0f}), kRight);
  const float s = 0.2f / std::sqrt(2.0f);
  ExpectDirection(sim::OutwardAt(arm, {-1.0f - s, s, 3.0f}), {-1.0f, 1.0f, 0.0f});
}

// A capsule whose ends meet is a sphere; its normal must stay a number.
TEST(OutwardAtTest, CapsuleWithBothEndsTogetherIsASphere) {
  const sim::Shape ball =
      sim::MakeCapsule(sim::Surface::Skin, {0.0f, 0.0f, 2.0f}, {0.0f, 0.0f, 2.0f}, 0.3f);
  ExpectDirection(sim::OutwardAt(ball, {0.0f, 0.0f, 1.7f}), {0.0f, 0.0f, -1.0f});
  ExpectDirection(sim::OutwardAt(ball, {0.3f, 0.0f, 2.0f}), kRight);
}

// On an ellipsoid the normal leans towards the short axes: along (x / a², y / b², z / c²).
TEST(OutwardAtTest, EllipsoidNormalFollowsTheGradient) {
  const Vec3 centre{0.2f, -0.1f, 2.5f};
  const sim::Shape body = Ellipsoid(centre, {0.3f, 0.2f, 0.1f});
  ExpectDirection(sim::OutwardAt(body, centre + Vec3{0.0f, 0.2f, 0.0f}), kUp);
  ExpectDirection(sim::OutwardAt(body, centre + Vec3{0.0f, 0.0f, -0.1f}), {0.0f, 0.0f, -1.0f});
  const float angle = 0.6f;
  const Vec3 local{0.3f * std::cos(angle), 0.2f * std::sin(angle), 0.0f};
  ExpectDirection(sim::OutwardAt(body, centre + local),
                  {std::cos(angle) / 0.3f, std::sin(angle) / 0.2f, 0.0f});
  ExpectDirection(sim::OutwardAt(TurnedEllipsoid(), {0.0f, 0.0f, 1.7f}), {0.0f, 0.0f, -1.0f});
}

}  // namespace
