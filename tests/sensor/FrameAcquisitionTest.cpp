#include <algorithm>
#include <string>
#include <vector>

#include "support/SensorFixture.h"

namespace {

using testsupport::FakeColorFrame;
using testsupport::FakeDepthFrame;
using testsupport::SensorFixture;
using namespace runtime;

bool Called(const std::vector<std::string>& calls, const std::string& prefix) {
  return std::any_of(calls.begin(), calls.end(),
                     [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
}

FakeColorFrame ColorFilled(std::uint8_t value) {
  FakeColorFrame frame;
  std::fill(frame.pixels.begin(), frame.pixels.end(), value);
  return frame;
}

FakeDepthFrame DepthFilled(std::uint16_t millimetres) {
  FakeDepthFrame frame;
  std::fill(frame.pixels.begin(), frame.pixels.end(),
            static_cast<std::uint16_t>(millimetres << 3 | 1));
  std::fill(frame.extended.begin(), frame.extended.end(), NUI_DEPTH_IMAGE_PIXEL{1, millimetres});
  return frame;
}

NUI_SKELETON_FRAME OneTrackedSkeleton(std::uint32_t id) {
  NUI_SKELETON_FRAME frame{};
  frame.skeletonData[0] = testsupport::MakeSkeleton(NUI_SKELETON_TRACKED, id, 2.0f);
  return frame;
}

TEST_F(SensorFixture, NothingSignalledReturnsOkAndTouchesNothing) {
  OpenQuietly();
  EXPECT_EQ(dialog.AcquireFrames(), S_OK);
  EXPECT_TRUE(runtime.Calls().empty());
  EXPECT_EQ(dialog.m_colorPitch, 0);
}

TEST_F(SensorFixture, TakesColourDepthAndSkeletonInOrder) {
  OpenQuietly();
  runtime.PushColorFrame(ColorFilled(7));
  runtime.PushDepthFrame(DepthFilled(2000));
  runtime.PushSkeletonFrame(OneTrackedSkeleton(42));
  EXPECT_EQ(dialog.AcquireFrames(), S_OK);
  EXPECT_EQ(runtime.Calls(),
            (std::vector<std::string>{
                "NuiImageStreamGetNextFrame(color,0)", "LockRect(colortexture,0,0x0)",
                "UnlockRect(colortexture,0)", "NuiImageStreamReleaseFrame(color)",
                "NuiImageStreamGetNextFrame(depth,0)",
                "NuiImageFrameGetDepthImagePixelFrameTexture(depth)", "LockRect(extended,0,0x0)",
                "NuiGetCoordinateMapper()", "MapColorFrameToDepthFrame(1,2,2,307200,307200)",
                "Release(mapper)", "UnlockRect(extended,0)", "Release(extended)",
                "LockRect(depthtexture,0,0x0)", "UnlockRect(depthtexture,0)",
                "NuiImageStreamReleaseFrame(depth)", "NuiSkeletonGetNextFrame(0)",
                "NuiTransformSmooth()", "SetTrackedPlayer(brstream1,42)"}));
  EXPECT_EQ(dialog.m_colorPitch, 2560);
  EXPECT_EQ(dialog.m_colorPixels.back(), 7);
  EXPECT_EQ(dialog.m_depthPixels[1234], (2000 << 3) | 1);
  EXPECT_EQ(dialog.m_pDepthPoints[640 * 3 + 5].x, 5);
  EXPECT_EQ(dialog.m_pDepthPoints[640 * 3 + 5].y, 3);
  EXPECT_EQ(dialog.m_pDepthPoints[640 * 3 + 5].depth, 2000);
  EXPECT_EQ(dialog.m_userCount, 1);
  EXPECT_EQ(runtime.OutstandingFrames(), 0);
  EXPECT_FALSE(dialog.m_hNextColorFrameEvent->IsSet());
}

TEST_F(SensorFixture, DepthFrameRefreshesNearMode) {
  OpenQuietly();
  FakeDepthFrame frame = DepthFilled(600);
  frame.nearMode = true;
  runtime.PushDepthFrame(frame);
  dialog.AcquireFrames();
  EXPECT_TRUE(dialog.m_nearMode);
  runtime.PushDepthFrame(DepthFilled(600));
  dialog.AcquireFrames();
  EXPECT_FALSE(dialog.m_nearMode);
}

TEST_F(SensorFixture, ColourFrameWithoutTextureFailsBeforeDepthAndSkeleton) {
  OpenQuietly();
  FakeColorFrame frame;
  frame.noTexture = true;
  runtime.PushColorFrame(frame);
  runtime.PushDepthFrame(DepthFilled(2000));
  runtime.PushSkeletonFrame(OneTrackedSkeleton(42));
  EXPECT_EQ(dialog.AcquireFrames(), E_FAIL);
  EXPECT_EQ(runtime.Calls(), std::vector<std::string>{"NuiImageStreamGetNextFrame(color,0)"});
  EXPECT_EQ(dialog.m_userCount, 0);
}

TEST_F(SensorFixture, DepthWithoutExtendedTextureReleasesTheFrameAndFails) {
  OpenQuietly();
  FakeDepthFrame frame = DepthFilled(2000);
  frame.noExtendedTexture = true;
  runtime.PushDepthFrame(frame);
  runtime.PushSkeletonFrame(OneTrackedSkeleton(42));
  EXPECT_EQ(dialog.AcquireFrames(), E_FAIL);
  const std::vector<std::string> calls = runtime.Calls();
  EXPECT_EQ(calls.back(), "NuiImageStreamReleaseFrame(depth)");
  EXPECT_FALSE(Called(calls, "NuiSkeletonGetNextFrame"));
  EXPECT_EQ(dialog.m_depthPixels[0], 0);
  EXPECT_EQ(runtime.OutstandingFrames(), 0);
}

TEST_F(SensorFixture, DepthFrameWithoutTextureFailsAndLeaksNoExtendedTexture) {
  OpenQuietly();
  FakeDepthFrame frame = DepthFilled(2000);
  frame.noTexture = true;
  runtime.PushDepthFrame(frame);
  const int live = runtime.LiveObjects();
  EXPECT_EQ(dialog.AcquireFrames(), E_FAIL);
  EXPECT_EQ(runtime.LiveObjects(), live);
}

struct ReleaseFailure {
  const char* refused;
  bool depthCopied;
};

class FrameReleaseFailure : public SensorFixture,
                            public ::testing::WithParamInterface<ReleaseFailure> {};

TEST_P(FrameReleaseFailure, ReturnsItsCodeAtOnce) {
  constexpr HRESULT kCode = static_cast<HRESULT>(0x80070015u);
  OpenQuietly();
  runtime.Refuse(GetParam().refused, kCode);
  runtime.PushColorFrame(ColorFilled(9));
  runtime.PushDepthFrame(DepthFilled(1500));
  runtime.PushSkeletonFrame(OneTrackedSkeleton(42));
  EXPECT_EQ(dialog.AcquireFrames(), kCode);
  EXPECT_EQ(dialog.m_colorPixels[0], 9);  // the copy happened before the release
  EXPECT_EQ(dialog.m_depthPixels[0] != 0, GetParam().depthCopied);
  EXPECT_FALSE(Called(runtime.Calls(), "NuiSkeletonGetNextFrame"));
}

INSTANTIATE_TEST_SUITE_P(
    Streams, FrameReleaseFailure,
    ::testing::Values(ReleaseFailure{"NuiImageStreamReleaseFrame(color", false},
                      ReleaseFailure{"NuiImageStreamReleaseFrame(depth", true}));

TEST_F(SensorFixture, PlayerChoiceFailureSkipsSkeletonProcessing) {
  constexpr HRESULT kCode = static_cast<HRESULT>(0x8000FFFFu);
  OpenQuietly();
  runtime.Refuse("SetTrackedPlayer", kCode);
  runtime.PushSkeletonFrame(OneTrackedSkeleton(42));
  EXPECT_EQ(dialog.AcquireFrames(), kCode);
  EXPECT_EQ(dialog.m_userCount, 0);
  EXPECT_EQ(dialog.m_users[0].skeletonSlot, -1);
}

TEST_F(SensorFixture, FailedSkeletonFetchProcessesAZeroedFrame) {
  OpenQuietly();
  runtime.PushSkeletonFrame(OneTrackedSkeleton(42));
  dialog.AcquireFrames();
  ASSERT_EQ(dialog.m_userCount, 1);
  runtime.Refuse("NuiSkeletonGetNextFrame");
  runtime.PushSkeletonFrame(OneTrackedSkeleton(42));
  EXPECT_EQ(dialog.AcquireFrames(), S_OK);
  EXPECT_EQ(dialog.m_userCount, 0);
  EXPECT_EQ(dialog.m_users[0].skeletonSlot, -1);
}

TEST_F(SensorFixture, SkeletonFrameIsProcessedAgainstTheLastDepthWithoutNewImages) {
  OpenQuietly();
  runtime.PushDepthFrame(DepthFilled(2000));
  dialog.AcquireFrames();
  runtime.ClearCalls();
  NUI_SKELETON_FRAME frame = OneTrackedSkeleton(42);
  // The head projects into the middle of depth pixel (400, 300).
  frame.skeletonData[0].skeletonPositions[NUI_SKELETON_POSITION_HEAD] = {
      80.5f / 285.63f, -60.5f / 285.63f, 2.0f, 1.0f};
  runtime.PushSkeletonFrame(frame);
  EXPECT_EQ(dialog.AcquireFrames(), S_OK);
  EXPECT_FALSE(Called(runtime.Calls(), "NuiImageStreamGetNextFrame"));
  EXPECT_EQ(dialog.m_userCount, 1);
  const Vector4& head = dialog.m_skeletons[0].skeletonPositions[NUI_SKELETON_POSITION_HEAD];
  EXPECT_FLOAT_EQ(head.x, 0.28008f);
  EXPECT_FLOAT_EQ(head.z, 2.0f);
}

TEST_F(SensorFixture, WithoutPointMapDepthIsCopiedButNotMapped) {
  OpenQuietly();
  dialog.m_pDepthPoints.reset();
  dialog.m_depthPointCount = 0;
  runtime.PushDepthFrame(DepthFilled(1000));
  EXPECT_EQ(dialog.AcquireFrames(), S_OK);
  const std::vector<std::string> calls = runtime.Calls();
  EXPECT_TRUE(Called(calls, "NuiGetCoordinateMapper"));
  EXPECT_FALSE(Called(calls, "MapColorFrameToDepthFrame"));
  EXPECT_EQ(dialog.m_depthPixels[0], (1000 << 3) | 1);
}

TEST_F(SensorFixture, CopiesNeverExceedTheBuffers) {
  OpenQuietly();
  FakeColorFrame big;
  big.pixels.assign(640 * 480 * 4 + 4096, 3);
  runtime.PushColorFrame(big);
  FakeDepthFrame bigDepth = DepthFilled(800);
  bigDepth.pixels.resize(640 * 480 + 999, 0xFFFF);
  runtime.PushDepthFrame(bigDepth);
  EXPECT_EQ(dialog.AcquireFrames(), S_OK);
  EXPECT_EQ(dialog.m_colorPixels.size(), 640u * 480 * 4);
  EXPECT_EQ(dialog.m_colorPixels.back(), 3);
  EXPECT_EQ(dialog.m_depthPixels.size(), 640u * 480);
}

TEST_F(SensorFixture, ShortExtendedDepthTextureIsNotMapped) {
  OpenQuietly();
  FakeDepthFrame frame = DepthFilled(1000);
  frame.extended.resize(100);
  runtime.PushDepthFrame(frame);
  EXPECT_EQ(dialog.AcquireFrames(), S_OK);
  EXPECT_FALSE(Called(runtime.Calls(), "MapColorFrameToDepthFrame"));
  EXPECT_EQ(dialog.m_depthPixels[0], (1000 << 3) | 1);
}

TEST_F(SensorFixture, NoStreamsOpenNoFramesTaken) {
  runtime.sensorCount = 0;
  dialog.OpenSensor();
  dialog.m_hNextColorFrameEvent->Set();
  EXPECT_EQ(dialog.AcquireFrames(), S_OK);
  EXPECT_EQ(runtime.Calls().size(), 1u);
}

}  // namespace
