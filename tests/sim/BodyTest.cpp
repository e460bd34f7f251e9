#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/sim/Body.h"
#include "runtime/sim/Cameras.h"
#include "sim/StandingScene.h"

namespace {

struct BodyCase {
  double heightCm;
  double facingDeg;
};

class BodyGlabellaTest : public testing::TestWithParam<BodyCase> {};

TEST_P(BodyGlabellaTest, GlabellaIsTenCentimetresBelowTheHeadTopOnTheFace) {
  const sim::Person person =
      simtest::StandingPerson(GetParam().heightCm, 0.4, 2.5, GetParam().facingDeg);
  const sim::Body body = sim::BuildBody(person, sim::PoseAt(person, 0.0), 0.0, 0.755f, 1);
  const float floorY = -0.755f;
  EXPECT_NEAR(body.headTop.y - floorY, GetParam().heightCm / 100.0, 1e-5);
  EXPECT_NEAR(body.headTop.y - body.Glabella().y, 0.10, 1e-5);
  // The head ellipsoid's top is the head top, and the glabella lies on its surface, in front.
  const sim::Shape& head = body.shapes[0];
  EXPECT_NEAR(head.a.y + head.radii.y, body.headTop.y, 1e-5);
  const sim::Vec3 fromCentre = body.Glabella() - head.a;
  const float ex = sim::Dot(fromCentre, head.axisX) / head.radii.x;
  const float ey = sim::Dot(fromCentre, head.axisY) / head.radii.y;
  const float ez = sim::Dot(fromCentre, head.axisZ) / head.radii.z;
  EXPECT_NEAR(ex * ex + ey * ey + ez * ez, 1.0, 1e-4);
  EXPECT_GT(sim::Dot(fromCentre, body.forward), 0.08f * head.radii.z / 0.097f);
  // Nothing of the person rises above the head top.
  for (const sim::Shape& s : body.shapes) {
    const float top = s.kind == sim::Shape::Kind::Ellipsoid ? s.a.y + s.radii.y
                                                            : std::max(s.a.y, s.b.y) + s.radii.x;
    EXPECT_LE(top, body.headTop.y + 1e-5);
  }
}

INSTANTIATE_TEST_SUITE_P(Heights, BodyGlabellaTest,
                         testing::Values(BodyCase{90, 0}, BodyCase{118, 0}, BodyCase{172, 0},
                                         BodyCase{172, 30}, BodyCase{210, -60}, BodyCase{60, 180}));

TEST(BodyTest, JointsFollowTheStandardOrderAndSides) {
  const sim::Person person = simtest::StandingPerson(172, 0.0, 3.0);  // facing the sensor
  const sim::Body body = sim::BuildBody(person, sim::PoseAt(person, 0.0), 0.0, 0.755f, 1);
  const auto& j = body.joints;
  // Head above shoulder centre above spine above hip centre, feet near the floor.
  EXPECT_GT(j[sim::kHead].y, j[sim::kShoulderCentre].y);
  EXPECT_GT(j[sim::kShoulderCentre].y, j[sim::kSpine].y);
  EXPECT_GT(j[sim::kSpine].y, j[sim::kHipCentre].y);
  EXPECT_LT(j[sim::kFootLeft].y, -0.755f + 0.06f);
  // Facing the sensor, the person's left is on the picture's right (+x).
  EXPECT_GT(j[sim::kShoulderLeft].x, j[sim::kShoulderRight].x);
  EXPECT_GT(j[sim::kHandLeft].x, j[sim::kHandRight].x);
  EXPECT_GT(j[sim::kFootLeft].x, j[sim::kFootRight].x);
  // Each limb runs downwards joint by joint.
  for (int first : {sim::kShoulderLeft, sim::kShoulderRight, sim::kHipLeft, sim::kHipRight})
    for (int k = first; k < first + 2; ++k) EXPECT_GT(j[k].y, j[k + 1].y) << "joint " << k;
  EXPECT_NEAR(j[sim::kHead].y, body.headCentre.y, 1e-6);
}

TEST(BodyTest, FacingTurnsThePerson) {
  const sim::Person away = simtest::StandingPerson(172, 0.0, 3.0, 180.0);
  const sim::Body body = sim::BuildBody(away, sim::PoseAt(away, 0.0), 0.0, 0.755f, 1);
  EXPECT_GT(body.Glabella().z, body.headCentre.z);  // the face looks away from the sensor
  EXPECT_LT(body.joints[sim::kShoulderLeft].x, body.joints[sim::kShoulderRight].x);
}

}  // namespace
