#include <gtest/gtest.h>

#include "runtime/sim/Cameras.h"
#include "runtime/sim/Simulator.h"
#include "sim/StandingScene.h"

namespace {

struct FaceCase {
  const char* what;
  double x;
  double z;
  double facingDeg;
  sim::FaceVisibility expected;
};

class FaceVisibilityTest : public testing::TestWithParam<FaceCase> {};

TEST_P(FaceVisibilityTest, Visibility) {
  sim::Simulator simulator(
      simtest::StandingScene(170.0, GetParam().x, GetParam().z, GetParam().facingDeg));
  EXPECT_EQ(simulator.Render(0.0).people[0].face.visibility, GetParam().expected)
      << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FaceVisibilityTest,
    testing::Values(
        FaceCase{"facing the sensor", 0.0, 3.0, 0.0, sim::FaceVisibility::Visible},
        FaceCase{"slightly turned", 0.0, 3.0, 30.0, sim::FaceVisibility::Visible},
        FaceCase{"turned aside", 0.0, 3.0, 60.0, sim::FaceVisibility::TurnedAway},
        FaceCase{"walking across", 0.0, 3.0, -90.0, sim::FaceVisibility::TurnedAway},
        FaceCase{"back to the sensor", 0.0, 3.0, 180.0, sim::FaceVisibility::TurnedAway},
        FaceCase{"head above the picture", 0.0, 1.2, 0.0, sim::FaceVisibility::OutsidePicture},
        FaceCase{"beside the picture", 2.0, 2.5, -30.0, sim::FaceVisibility::OutsidePicture},
        FaceCase{"in the colour picture only", 1.38, 2.5, -30.0,
                 sim::FaceVisibility::OutsidePicture}));

TEST(FaceObservationTest, APersonInFrontHidesTheFace) {
  sim::Scene scene = simtest::StandingScene(170.0, 0.0, 3.5);
  // A taller person right between the face and the sensor.
  scene.people.push_back(simtest::StandingPerson(200.0, 0.02, 1.8, 180.0));
  sim::Simulator simulator(scene);
  const sim::FrameSet& f = simulator.Render(0.0);
  EXPECT_EQ(f.people[0].face.visibility, sim::FaceVisibility::Hidden);
  // Stepping aside shows it again.
  scene.people[1].path[0].x = 1.2;
  sim::Simulator aside(scene);
  EXPECT_EQ(aside.Render(0.0).people[0].face.visibility, sim::FaceVisibility::Visible);
}

TEST(FaceObservationTest, ShapePointsLieOnTheFaceInThePicture) {
  sim::Simulator simulator(simtest::StandingScene(170.0, 0.0, 2.5));
  const sim::FrameSet& f = simulator.Render(0.0);
  const sim::FaceView& face = f.people[0].face;
  ASSERT_GE(face.shapePoints.size(), 16u);
  for (const sim::Vec2& p : face.shapePoints) {
    const int i = static_cast<int>(p.y) * sim::kImageWidth + static_cast<int>(p.x);
    const sim::DepthImagePoint mapped = f.pointMap[i];
    EXPECT_EQ(f.depth[mapped.y * sim::kImageWidth + mapped.x] & 7, 1);
  }
  // The glabella sits between the brows (points 1 and 2) and above the nose (point 8).
  const sim::Vec2 g = face.shapePoints[sim::kGlabellaPoint];
  EXPECT_GT(g.x, std::min(face.shapePoints[1].x, face.shapePoints[2].x));
  EXPECT_LT(g.x, std::max(face.shapePoints[1].x, face.shapePoints[2].x));
  EXPECT_LT(g.y, face.shapePoints[8].y);
}

}  // namespace
