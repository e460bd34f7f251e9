#include <gtest/gtest.h>

#include <cmath>

#include "runtime/sim/Scene.h"

namespace {

sim::Person Walker() {
  sim::Person p;
  p.path = {{1.0, -1.0, 3.0, 90.0}, {3.0, 1.0, 2.0, 0.0}, {4.0, 1.0, 2.0, -20.0}};
  return p;
}

TEST(ScenePathTest, InterpolatesBetweenKeys) {
  const sim::Pose pose = sim::PoseAt(Walker(), 2.5);
  EXPECT_DOUBLE_EQ(pose.x, 0.5);
  EXPECT_DOUBLE_EQ(pose.z, 2.25);
  EXPECT_DOUBLE_EQ(pose.facingDeg, 22.5);
  EXPECT_NEAR(pose.speed, std::sqrt(5.0) / 2.0, 1e-12);
}

TEST(ScenePathTest, HoldsTheEndsAndStandsStill) {
  const sim::Pose before = sim::PoseAt(Walker(), -5.0);
  EXPECT_DOUBLE_EQ(before.x, -1.0);
  EXPECT_DOUBLE_EQ(before.facingDeg, 90.0);
  EXPECT_DOUBLE_EQ(before.speed, 0.0);
  const sim::Pose after = sim::PoseAt(Walker(), 9.0);
  EXPECT_DOUBLE_EQ(after.x, 1.0);
  EXPECT_DOUBLE_EQ(after.facingDeg, -20.0);
  EXPECT_DOUBLE_EQ(after.speed, 0.0);
  const sim::Pose atKey = sim::PoseAt(Walker(), 3.0);
  EXPECT_DOUBLE_EQ(atKey.x, 1.0);
  EXPECT_DOUBLE_EQ(atKey.facingDeg, 0.0);
  EXPECT_DOUBLE_EQ(atKey.speed, 0.0);  // turning on the spot
}

TEST(ScenePathTest, LoopingWrapsTime) {
  sim::Scene scene;
  scene.durationS = 20.0;
  EXPECT_DOUBLE_EQ(sim::SceneTime(scene, 25.5), 5.5);
  EXPECT_DOUBLE_EQ(sim::SceneTime(scene, 20.0), 0.0);
  scene.loop = false;
  EXPECT_DOUBLE_EQ(sim::SceneTime(scene, 25.5), 25.5);
}

}  // namespace
