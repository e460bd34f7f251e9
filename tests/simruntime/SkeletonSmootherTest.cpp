// The simulated runtime's skeleton smoothing: no bias on still joints, no lasting lag on
// steady movement, bounded deviation on jumps, fresh start per skeleton and per joint.
#include <gtest/gtest.h>

#include <cmath>

#include "runtime/sim/SkeletonSmoother.h"

namespace {

using namespace runtime;

NUI_SKELETON_FRAME FrameWith(std::uint32_t trackingId, float x, float y, float z) {
  NUI_SKELETON_FRAME frame{};
  NUI_SKELETON_DATA& s = frame.skeletonData[2];
  s.trackingState = NUI_SKELETON_TRACKED;
  s.trackingId = trackingId;
  s.position = {x, y, z, 1.0f};
  for (int j = 0; j < NUI_SKELETON_POSITION_COUNT; ++j) {
    s.skeletonPositions[j] = {x + 0.01f * j, y - 0.03f * j, z, 1.0f};
    s.skeletonPositionTrackingState[j] = NUI_SKELETON_POSITION_TRACKED;
  }
  return frame;
}

float Distance(const Vector4& a, const Vector4& b) {
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) +
                   (a.z - b.z) * (a.z - b.z));
}

TEST(SkeletonSmootherTest, StillSkeletonComesOutExactly) {
  sim::SkeletonSmoother smoother;
  const NUI_SKELETON_FRAME raw = FrameWith(7, 0.123f, -0.456f, 3.21f);
  for (int k = 0; k < 30; ++k) {
    NUI_SKELETON_FRAME frame = raw;
    smoother.Smooth(frame);
    for (int j = 0; j < NUI_SKELETON_POSITION_COUNT; ++j) {
      ASSERT_EQ(frame.skeletonData[2].skeletonPositions[j].x,
                raw.skeletonData[2].skeletonPositions[j].x);
      ASSERT_EQ(frame.skeletonData[2].skeletonPositions[j].y,
                raw.skeletonData[2].skeletonPositions[j].y);
      ASSERT_EQ(frame.skeletonData[2].skeletonPositions[j].z,
                raw.skeletonData[2].skeletonPositions[j].z);
    }
    ASSERT_EQ(frame.skeletonData[2].position.x, raw.skeletonData[2].position.x);
  }
}

TEST(SkeletonSmootherTest, SteadyWalkIsFollowedWithoutLagOnceSettled) {
  sim::SkeletonSmoother smoother;
  const float step = 1.2f / 30.0f;  // 1.2 m/s
  float worstEarly = 0.0f;
  for (int k = 0; k < 60; ++k) {
    const NUI_SKELETON_FRAME raw = FrameWith(3, -1.0f + step * k, 0.0f, 3.0f);
    NUI_SKELETON_FRAME frame = raw;
    smoother.Smooth(frame);
    const float error = Distance(frame.skeletonData[2].skeletonPositions[3],
                                 raw.skeletonData[2].skeletonPositions[3]);
    if (k > 0 && k < 5) worstEarly = std::max(worstEarly, error);
    if (k >= 40) {
      ASSERT_LT(error, 0.001f) << "frame " << k;
    }
  }
  // The filter does smooth: while the trend builds up it trails the raw joint.
  EXPECT_GT(worstEarly, 0.005f);
}

TEST(SkeletonSmootherTest, JumpIsFollowedWithinTheDeviationBound) {
  sim::SkeletonSmoother smoother;
  NUI_SKELETON_FRAME first = FrameWith(3, 0.0f, 0.0f, 3.0f);
  smoother.Smooth(first);
  NUI_SKELETON_FRAME jumped = FrameWith(3, 0.5f, 0.0f, 3.0f);
  const NUI_SKELETON_FRAME raw = jumped;
  smoother.Smooth(jumped);
  const float error = Distance(jumped.skeletonData[2].position, raw.skeletonData[2].position);
  EXPECT_GT(error, 0.0f);
  EXPECT_LE(error, 0.0401f);
}

TEST(SkeletonSmootherTest, NewSkeletonAndReappearingJointStartFromTheirRawPoints) {
  sim::SkeletonSmoother smoother;
  NUI_SKELETON_FRAME frame = FrameWith(3, 0.0f, 0.0f, 3.0f);
  smoother.Smooth(frame);
  // Another person in the same slot: no trace of the first.
  NUI_SKELETON_FRAME other = FrameWith(4, 0.8f, 0.1f, 2.0f);
  const NUI_SKELETON_FRAME otherRaw = other;
  smoother.Smooth(other);
  EXPECT_EQ(Distance(other.skeletonData[2].position, otherRaw.skeletonData[2].position), 0.0f);

  // A joint lost for a frame is left alone, then restarts from where it reappears.
  NUI_SKELETON_FRAME lost = FrameWith(4, 0.8f, 0.1f, 2.0f);
  lost.skeletonData[2].skeletonPositionTrackingState[5] = NUI_SKELETON_POSITION_NOT_TRACKED;
  lost.skeletonData[2].skeletonPositions[5] = {9.0f, 9.0f, 9.0f, 1.0f};
  smoother.Smooth(lost);
  EXPECT_EQ(lost.skeletonData[2].skeletonPositions[5].x, 9.0f);
  NUI_SKELETON_FRAME back = FrameWith(4, 0.8f, 0.1f, 2.0f);
  back.skeletonData[2].skeletonPositions[5] = {1.5f, 0.5f, 2.5f, 1.0f};
  smoother.Smooth(back);
  EXPECT_EQ(back.skeletonData[2].skeletonPositions[5].x, 1.5f);
  EXPECT_EQ(back.skeletonData[2].skeletonPositions[5].z, 2.5f);
}

}  // namespace
