#include <cmath>
#include <limits>

#include "support/SensorFixture.h"

namespace {

using testsupport::MakeSkeleton;
using testsupport::SensorFixture;
using namespace runtime;

class SkeletonFixture : public SensorFixture {
 protected:
  void SetUp() override {
    dialog.m_depthWidth = 640;
    dialog.m_depthHeight = 480;
    dialog.m_depthPixels.assign(640 * 480, 0);
  }
  void SetDepth(int x, int y, std::uint16_t raw) { dialog.m_depthPixels[y * 640 + x] = raw; }
};

TEST_F(SkeletonFixture, FirstTwoTrackedSkeletonsBecomeUsersCountedFromOne) {
  NUI_SKELETON_FRAME frame{};
  frame.skeletonData[0] = MakeSkeleton(NUI_SKELETON_POSITION_ONLY, 5, 1.0f);
  frame.skeletonData[1] = MakeSkeleton(NUI_SKELETON_TRACKED, 11, 1.0f);
  frame.skeletonData[3] = MakeSkeleton(NUI_SKELETON_TRACKED, 13, 1.0f);
  frame.skeletonData[4] = MakeSkeleton(NUI_SKELETON_TRACKED, 14, 1.0f);
  SetDepth(320 + 1, 240 + 1, 1500 << 3);
  dialog.m_skeletons[4].position = {9.0f, 9.0f, 9.0f, 1.0f};
  dialog.ProcessSkeletonFrame(frame);
  EXPECT_EQ(dialog.m_userCount, 2);
  EXPECT_EQ(dialog.m_users[0].skeletonSlot, 2);
  EXPECT_EQ(dialog.m_users[1].skeletonSlot, 4);
  // Slot 4 gets its state and nothing else; slot 0 (position only) never becomes a user.
  EXPECT_EQ(dialog.m_skeletons[4].trackingState, NUI_SKELETON_TRACKED);
  EXPECT_EQ(dialog.m_skeletons[4].position.x, 9.0f);
  EXPECT_EQ(dialog.m_skeletons[0].trackingState, NUI_SKELETON_POSITION_ONLY);
  EXPECT_EQ(dialog.m_skeletons[4].skeletonPositionTrackingState[0],
            NUI_SKELETON_POSITION_NOT_TRACKED);
  EXPECT_EQ(dialog.m_skeletons[1].skeletonPositionTrackingState[0], NUI_SKELETON_POSITION_TRACKED);
}

TEST_F(SkeletonFixture, ZeroedFrameClearsTheUserRecords) {
  NUI_SKELETON_FRAME frame{};
  frame.skeletonData[2] = MakeSkeleton(NUI_SKELETON_TRACKED, 1, 1.0f);
  dialog.ProcessSkeletonFrame(frame);
  ASSERT_EQ(dialog.m_userCount, 1);
  dialog.m_users[0].faceTracked = true;
  dialog.ProcessSkeletonFrame(NUI_SKELETON_FRAME{});
  EXPECT_EQ(dialog.m_userCount, 0);
  EXPECT_EQ(dialog.m_users[0].skeletonSlot, -1);
  EXPECT_EQ(dialog.m_users[1].skeletonSlot, -1);
  EXPECT_EQ(dialog.m_skeletons[2].trackingState, NUI_SKELETON_NOT_TRACKED);
  EXPECT_TRUE(dialog.m_users[0].faceTracked);  // left to face tracking
}

TEST_F(SkeletonFixture, WorkedExampleAndJointStates) {
  // A joint projecting onto depth pixel (400, 300) whose raw value 16000 is 2000 mm.
  SetDepth(400, 300, 16000);
  NUI_SKELETON_FRAME frame{};
  frame.skeletonData[0] = MakeSkeleton(NUI_SKELETON_TRACKED, 1, 2.0f);
  NUI_SKELETON_DATA& source = frame.skeletonData[0];
  source.skeletonPositions[3] = {80.5f / 285.63f, -60.5f / 285.63f, 2.0f, 1.0f};
  source.skeletonPositions[4] = source.skeletonPositions[3];
  source.skeletonPositionTrackingState[4] = NUI_SKELETON_POSITION_INFERRED;
  source.skeletonPositions[5] = source.skeletonPositions[3];
  source.skeletonPositionTrackingState[5] = NUI_SKELETON_POSITION_NOT_TRACKED;
  dialog.m_skeletons[0].skeletonPositions[5] = {7.0f, 7.0f, 7.0f, 1.0f};
  dialog.ProcessSkeletonFrame(frame);

  const NUI_SKELETON_DATA& stored = dialog.m_skeletons[0];
  for (int joint : {3, 4}) {
    const Vector4& p = stored.skeletonPositions[joint];
    EXPECT_EQ(p.x, 80.0f * 0.5f * 0.003501f * 2.0f) << joint;
    EXPECT_FLOAT_EQ(p.x, 0.28008f) << joint;
    EXPECT_FLOAT_EQ(p.y, -0.21006f) << joint;
    EXPECT_EQ(p.z, 2.0f) << joint;
    EXPECT_EQ(p.w, 1.0f) << joint;
  }
  EXPECT_EQ(stored.skeletonPositions[5].x, 7.0f);
  EXPECT_EQ(stored.skeletonPositionTrackingState[4], NUI_SKELETON_POSITION_INFERRED);
  EXPECT_EQ(stored.skeletonPositionTrackingState[5], NUI_SKELETON_POSITION_NOT_TRACKED);
  // The position (0, 0, 2) lands on pixel (320, 240), which has no reading.
  EXPECT_EQ(stored.position.z, 0.0f);
  EXPECT_EQ(stored.position.w, 1.0f);
}

struct Projection {
  const char* name;
  Vector4 point;
  bool inside;
};

class RederiveCase : public SkeletonFixture, public ::testing::WithParamInterface<Projection> {};

TEST_P(RederiveCase, KeepsThePointUnlessItLandsInside) {
  std::fill(dialog.m_depthPixels.begin(), dialog.m_depthPixels.end(),
            static_cast<std::uint16_t>(1000 << 3));
  const Vector4 old{5.0f, 6.0f, 7.0f, 1.0f};
  Vector4 out = old;
  dialog.RederivePoint(GetParam().point, out);
  if (GetParam().inside) {
    EXPECT_EQ(out.z, 1.0f);
  } else {
    EXPECT_EQ(out.x, old.x);
    EXPECT_EQ(out.z, old.z);
  }
}

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kPx = 1.0f / 285.63f;  // one pixel at z = 2

INSTANTIATE_TEST_SUITE_P(
    Points, RederiveCase,
    ::testing::Values(Projection{"Centre", {0.0f, 0.0f, 2.0f, 1.0f}, true},
                      Projection{"ZAtEpsilon", {0.0f, 0.0f, 1.1920929e-7f, 1.0f}, false},
                      Projection{"ZNegative", {0.0f, 0.0f, -2.0f, 1.0f}, false},
                      Projection{"HalfPixelInsideLeft", {-319.5f * kPx, 0.0f, 2.0f, 1.0f}, true},
                      Projection{"LeftEdge", {-320.0f * kPx, 0.0f, 2.0f, 1.0f}, false},
                      Projection{"RightEdge", {320.0f * kPx, 0.0f, 2.0f, 1.0f}, false},
                      Projection{"LastColumn", {319.5f * kPx, 0.0f, 2.0f, 1.0f}, true},
                      Projection{"TopEdge", {0.0f, 240.0f * kPx, 2.0f, 1.0f}, false},
                      Projection{"BottomEdge", {0.0f, -240.0f * kPx, 2.0f, 1.0f}, false},
                      Projection{"NaNX", {kNaN, 0.0f, 2.0f, 1.0f}, false},
                      Projection{"NaNZ", {0.0f, 0.0f, kNaN, 1.0f}, false},
                      Projection{"InfiniteX", {kInf, 0.0f, 2.0f, 1.0f}, false},
                      Projection{"InfiniteZ", {1.0f, 1.0f, kInf, 1.0f}, true},
                      Projection{"HugeY", {0.0f, -3.0e38f, 1.0f, 1.0f}, false},
                      Projection{"TinyZ", {1.0f, 1.0f, 1.0e-6f, 1.0f}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SkeletonFixture, HalfPixelReadsColumnZero) {
  SetDepth(0, 240, 3000 << 3);
  Vector4 out{};
  dialog.RederivePoint({-319.5f * kPx, 0.0f, 2.0f, 1.0f}, out);
  EXPECT_EQ(out.z, 3.0f);
}

TEST_F(SkeletonFixture, ZeroSizedDepthImageNeverReads) {
  dialog.m_depthWidth = 0;
  dialog.m_depthHeight = 0;
  dialog.m_depthPixels.clear();
  Vector4 out{1.0f, 2.0f, 3.0f, 1.0f};
  dialog.RederivePoint({0.0f, 0.0f, 2.0f, 1.0f}, out);
  EXPECT_EQ(out.z, 3.0f);
}

TEST_F(SkeletonFixture, DepthBufferSmallerThanTheFrameSizeNeverReadsPastIt) {
  dialog.m_depthPixels.assign(640 * 10, static_cast<std::uint16_t>(1000 << 3));
  Vector4 out{1.0f, 2.0f, 3.0f, 1.0f};
  dialog.RederivePoint({0.0f, 0.0f, 2.0f, 1.0f}, out);  // row 240
  EXPECT_EQ(out.z, 3.0f);
}

}  // namespace
