#include <gtest/gtest.h>

#include "runtime/sim/Cameras.h"
#include "runtime/sim/Simulator.h"
#include "sim/StandingScene.h"

namespace {

struct TrackingCase {
  double x;
  double z;
  int state;
};

class SkeletonTrackingTest : public testing::TestWithParam<TrackingCase> {};

TEST_P(SkeletonTrackingTest, StateFollowsViewAndRange) {
  sim::Scene scene = simtest::StandingScene(150.0, GetParam().x, GetParam().z);
  scene.people.insert(scene.people.begin(), simtest::StandingPerson(170.0, 0.0, 2.5));
  sim::Simulator simulator(scene);
  const sim::FrameSet& f = simulator.Render(0.0);
  EXPECT_EQ(f.skeletons[0].trackingState, sim::kSkeletonTracked);
  EXPECT_EQ(f.skeletons[0].trackingId, 1u);
  EXPECT_EQ(f.skeletons[1].trackingState, GetParam().state);
  EXPECT_EQ(f.skeletons[1].trackingId, GetParam().state == sim::kSkeletonNotTracked ? 0u : 2u);
  for (int slot = 2; slot < sim::kSkeletonSlots; ++slot)
    EXPECT_EQ(f.skeletons[slot].trackingState, sim::kSkeletonNotTracked);
}

INSTANTIATE_TEST_SUITE_P(Places, SkeletonTrackingTest,
                         testing::Values(TrackingCase{0.5, 3.9, sim::kSkeletonTracked},
                                         TrackingCase{0.5, 4.3, sim::kSkeletonPositionOnly},
                                         TrackingCase{3.5, 3.0, sim::kSkeletonNotTracked},
                                         TrackingCase{-0.3, 1.0, sim::kSkeletonTracked}));

TEST(SkeletonTest, JointsComeFromTheBodyAndAHeadOutOfViewIsNotTracked) {
  sim::Simulator simulator(simtest::StandingScene(190.0, 0.0, 1.0));
  const sim::FrameSet& f = simulator.Render(0.0);
  const sim::SkeletonData& s = f.skeletons[0];
  ASSERT_EQ(s.trackingState, sim::kSkeletonTracked);
  EXPECT_EQ(s.jointStates[sim::kHead], sim::kJointNotTracked);  // above the picture at 1 m
  EXPECT_EQ(s.jointStates[sim::kHipCentre], sim::kJointTracked);
  EXPECT_FLOAT_EQ(s.joints[sim::kHead].y, f.people[0].headCentre.y);
  EXPECT_FLOAT_EQ(s.joints[sim::kHead].w, 1.0f);
  EXPECT_FLOAT_EQ(s.position.z, s.joints[sim::kHipCentre].z);
}

// The display moves each joint onto the depth surface: project it with the depth camera's
// nominal constants, read the depth pixel, and turn row and column back into metres. For the
// head that must land on the front of the head, on the line of sight through the joint.
TEST(SkeletonTest, JointsRederivedFromDepthLandOnTheHead) {
  sim::Simulator simulator(simtest::StandingScene(172.0, 0.3, 3.0));
  const sim::FrameSet& f = simulator.Render(0.0);
  const sim::Vector4 head = f.skeletons[0].joints[sim::kHead];
  const float dx = head.x * 2.0f * 285.63f / head.z + 320.0f;
  const float dy = 240.0f - head.y * 2.0f * 285.63f / head.z;
  const int px = static_cast<int>(dx);
  const int py = static_cast<int>(dy);
  const std::uint16_t raw = f.depth[py * sim::kImageWidth + px];
  EXPECT_EQ(raw & 7, 1);
  const float z = static_cast<float>(raw >> 3) / 1000.0f;
  const float x = (static_cast<float>(px) - 320.0f) * 0.5f * 0.003501f * z;
  const float y = (static_cast<float>(py) - 240.0f) * 0.5f * -0.003501f * z;
  const float headDepth = 0.097f;  // a 172 cm head reaches this far in front of its centre
  EXPECT_NEAR(z, head.z - headDepth, 0.01);
  const float onePixel = 1.0f / 571.26f;  // as a slope of the line of sight
  EXPECT_NEAR(x / z, head.x / head.z, onePixel);
  EXPECT_NEAR(y / z, head.y / head.z, onePixel);
}

}  // namespace
