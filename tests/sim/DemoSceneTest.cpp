#include <gtest/gtest.h>

#include "runtime/sim/Cameras.h"
#include "runtime/sim/DemoScene.h"
#include "runtime/sim/Simulator.h"
#include "sim/ReadHeight.h"

namespace {

// The readout's digits: 48 x 64 picture pixels, the first centred 50 pixels left of and 80
// above the face point, the unit (60 wide) ending about 135 pixels right of it.
bool ReadoutInsidePicture(sim::Vec2 face) {
  return face.y - 80.0f - 32.0f >= 0.0f && face.x - 50.1f - 24.0f >= 0.0f &&
         face.x + 104.9f + 30.0f <= static_cast<float>(sim::kImageWidth);
}

TEST(DemoSceneTest, BothStandWithReadoutsWhollyInThePicture) {
  sim::Simulator simulator(sim::DemoScene());
  for (double t : {5.0, 7.5, 13.0, 15.0}) {
    const sim::FrameSet& f = simulator.Render(t);
    ASSERT_EQ(f.people.size(), 2u);
    for (const sim::PersonView& p : f.people) {
      SCOPED_TRACE(testing::Message() << "t " << t << ", player " << p.playerIndex);
      EXPECT_EQ(f.skeletons[p.playerIndex - 1].trackingState, sim::kSkeletonTracked);
      ASSERT_EQ(p.face.visibility, sim::FaceVisibility::Visible);
      EXPECT_TRUE(ReadoutInsidePicture(p.face.shapePoints[sim::kGlabellaPoint]));
      const auto height = simtest::ReadHeightCm(f, p, 75.5f);
      ASSERT_TRUE(height.has_value());
      EXPECT_LE(std::abs(*height - static_cast<int>(p.heightCm)), 1);
    }
  }
}

TEST(DemoSceneTest, NobodyFacesTheSensorWhileWalkingAndTheRoomEmptiesBeforeTheLoop) {
  sim::Simulator simulator(sim::DemoScene());
  for (double t : {1.5, 10.0, 17.5}) {
    for (const sim::PersonView& p : simulator.Render(t).people)
      EXPECT_NE(p.face.visibility, sim::FaceVisibility::Visible) << "t " << t;
  }
  for (const sim::SkeletonData& s : simulator.Render(19.5).skeletons)
    EXPECT_EQ(s.trackingState, sim::kSkeletonNotTracked);
  EXPECT_EQ(simulator.Render(20.5).sceneTime, simulator.Render(0.5).sceneTime);
}

}  // namespace
