#include <algorithm>
#include <string>
#include <vector>

#include "support/SensorFixture.h"

namespace {

using testsupport::SensorFixture;

const std::vector<std::string> kFullOpen = {
    "NuiGetSensorCount()",
    "NuiCreateSensorByIndex(0)",
    "NuiStatus()",
    "NuiInitialize(0xb)",
    "NuiImageStreamOpen(color,2,0x0,2,event)",
    "NuiImageStreamOpen(depth,2,0x0,2,event)",
    "NuiSkeletonTrackingEnable(0x0,event)",
    "NuiCreateBackgroundRemovedColorStream(sensor)",
    "Enable(brstream1,2,2,event)",
    "NuiCameraElevationSetAngle(0)",
    "FTCreateFaceTracker()",
    "Initialize(tracker1,640,480,531.15,640,480,571.26)",
    "CreateFTResult(tracker1)",
    "FTCreateImage()",
    "FTCreateImage()",
    "FTCreateFaceTracker()",
    "Initialize(tracker2,640,480,531.15,640,480,571.26)",
    "CreateFTResult(tracker2)",
    "FTCreateImage()",
    "FTCreateImage()",
};

TEST_F(SensorFixture, OpenRunsEveryStepInOrderAndSizesTheBuffers) {
  EXPECT_EQ(dialog.OpenSensor(), S_OK);
  EXPECT_EQ(runtime.Calls(), kFullOpen);
  EXPECT_TRUE(shell.messages.empty());
  EXPECT_EQ(dialog.m_colorWidth, 640u);
  EXPECT_EQ(dialog.m_depthHeight, 480u);
  EXPECT_EQ(dialog.m_colorPixels.size(), 640u * 480 * 4);
  EXPECT_EQ(dialog.m_depthPixels.size(), 640u * 480);
  EXPECT_NE(dialog.m_pDepthPoints, nullptr);
  EXPECT_EQ(dialog.m_depthPointCount, 640u * 480);
  EXPECT_EQ(runtime.ColorEvent(), dialog.m_hNextColorFrameEvent);
  EXPECT_EQ(runtime.DepthEvent(), dialog.m_hNextDepthFrameEvent);
  EXPECT_EQ(runtime.SkeletonEvent(), dialog.m_hNextSkeletonEvent);
  EXPECT_EQ(runtime.BackgroundRemovedEvent(), dialog.m_hBackgroundRemovedFrameEvent);
  for (int user = 0; user < 2; ++user) {
    EXPECT_NE(dialog.m_pFaceTracker[user], nullptr);
    EXPECT_NE(dialog.m_pFaceDepthImage[user], nullptr);
  }
}

struct StepFailure {
  const char* refused;
  const char* message;
  std::size_t callsMade;  // calls of kFullOpen made, the refused one included
};

class OpenStepFailure : public SensorFixture, public ::testing::WithParamInterface<StepFailure> {};

TEST_P(OpenStepFailure, ShowsItsMessageReturnsEFailAndStops) {
  const StepFailure& step = GetParam();
  runtime.Refuse(step.refused);
  EXPECT_EQ(dialog.OpenSensor(), E_FAIL);
  EXPECT_EQ(shell.messages, std::vector<std::string>{step.message});
  const std::vector<std::string> expected(kFullOpen.begin(), kFullOpen.begin() + step.callsMade);
  EXPECT_EQ(runtime.Calls(), expected);
  // The events exist; nothing of the later steps does.
  EXPECT_NE(dialog.m_hNextColorFrameEvent, nullptr);
  EXPECT_NE(dialog.m_hBackgroundRemovedFrameEvent, nullptr);
  EXPECT_EQ(dialog.m_pBackgroundRemovalStream, nullptr);
  EXPECT_EQ(dialog.m_pDepthPoints, nullptr);
  EXPECT_EQ(dialog.m_colorWidth, 0u);
  EXPECT_TRUE(dialog.m_colorPixels.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, OpenStepFailure,
    ::testing::Values(
        StepFailure{"NuiGetSensorCount", "ERROR:NuiGetSensorCount", 1},
        StepFailure{"NuiCreateSensorByIndex", "ERROR:NuiCreateSensorByIndex", 2},
        StepFailure{"NuiStatus", "Kinectが利用可能ではありません", 3},
        StepFailure{"NuiInitialize", "ERROR:NuiInitialize", 4},
        StepFailure{"NuiImageStreamOpen(color", "ERROR:NuiImageStreamOpen RGBカメラ", 5},
        StepFailure{"NuiSkeletonTrackingEnable", "ERROR:NuiSkeletonTrackingEnable", 7}));

TEST_F(SensorFixture, NoSensorAttachedShowsItsMessage) {
  runtime.sensorCount = 0;
  EXPECT_EQ(dialog.OpenSensor(), E_FAIL);
  EXPECT_EQ(shell.messages, std::vector<std::string>{"Kinectが接続されていません"});
  EXPECT_EQ(runtime.Calls(), std::vector<std::string>{"NuiGetSensorCount()"});
  EXPECT_NE(dialog.m_hNextSkeletonEvent, nullptr);
}

TEST_F(SensorFixture, DepthStreamRefusingTwiceShowsItsMessage) {
  runtime.Refuse("NuiImageStreamOpen(depth");
  EXPECT_EQ(dialog.OpenSensor(), E_FAIL);
  EXPECT_EQ(shell.messages, std::vector<std::string>{"ERROR:NuiImageStreamOpen 深度カメラ"});
  const std::vector<std::string> calls = runtime.Calls();
  ASSERT_EQ(calls.size(), 7u);
  EXPECT_EQ(calls[4], "NuiImageStreamOpen(color,2,0x0,2,event)");
  // The second attempt is made with flags 0 even when the first already used 0.
  EXPECT_EQ(calls[5], "NuiImageStreamOpen(depth,2,0x0,2,event)");
  EXPECT_EQ(calls[6], "NuiImageStreamOpen(depth,2,0x0,2,event)");
}

TEST_F(SensorFixture, NearModeRefusedFallsBackButSkeletonsStillAskForNearRange) {
  dialog.m_nearMode = true;
  runtime.Refuse("NuiImageStreamOpen(depth,2,0x20000");
  EXPECT_EQ(dialog.OpenSensor(), S_OK);
  const std::vector<std::string> calls = runtime.Calls();
  EXPECT_EQ(calls[5], "NuiImageStreamOpen(depth,2,0x20000,2,event)");
  EXPECT_EQ(calls[6], "NuiImageStreamOpen(depth,2,0x0,2,event)");
  EXPECT_EQ(calls[7], "NuiSkeletonTrackingEnable(0x8,event)");
  EXPECT_TRUE(shell.messages.empty());
}

TEST_F(SensorFixture, BackgroundRemovalCreationFailureIsReturnedSilently) {
  constexpr HRESULT kCode = static_cast<HRESULT>(0x8007000Eu);
  runtime.Refuse("NuiCreateBackgroundRemovedColorStream", kCode);
  EXPECT_EQ(dialog.OpenSensor(), kCode);
  EXPECT_TRUE(shell.messages.empty());
  EXPECT_EQ(runtime.Calls().size(), 8u);
  EXPECT_EQ(dialog.m_pFaceTracker[0], nullptr);
  EXPECT_EQ(dialog.m_pFaceTracker[1], nullptr);
  EXPECT_EQ(dialog.m_pDepthPoints, nullptr);
  EXPECT_EQ(dialog.m_colorWidth, 0u);
  EXPECT_EQ(dialog.m_depthHeight, 0u);
}

TEST_F(SensorFixture, BackgroundRemovalCreationFailureKeepsEarlierFrameSizes) {
  ASSERT_EQ(dialog.OpenSensor(), S_OK);
  dialog.CloseSensor();
  runtime.Refuse("NuiCreateBackgroundRemovedColorStream");
  EXPECT_EQ(dialog.OpenSensor(), E_FAIL);
  EXPECT_EQ(dialog.m_colorWidth, 640u);
  EXPECT_EQ(dialog.m_pDepthPoints, nullptr);
}

TEST_F(SensorFixture, EnableFailureCompletesTheConnectionAndIsReturned) {
  constexpr HRESULT kCode = static_cast<HRESULT>(0x80070057u);
  runtime.Refuse("Enable(", kCode);
  EXPECT_EQ(dialog.OpenSensor(), kCode);
  EXPECT_EQ(runtime.Calls(), kFullOpen);
  EXPECT_TRUE(shell.messages.empty());
  EXPECT_NE(dialog.m_pDepthPoints, nullptr);
  EXPECT_EQ(dialog.m_colorPixels.size(), 640u * 480 * 4);
}

TEST_F(SensorFixture, CloseReleasesInItsOrder) {
  OpenQuietly();
  dialog.m_users[0].faceTracked = true;
  dialog.m_users[1].faceTracked = true;
  const auto colorEvent = dialog.m_hNextColorFrameEvent;
  dialog.CloseSensor();
  EXPECT_EQ(runtime.Calls(),
            (std::vector<std::string>{"NuiShutdown()", "Release(result1)", "Release(image1)",
                                      "Release(image2)", "Release(tracker1)", "Release(result2)",
                                      "Release(image3)", "Release(image4)", "Release(tracker2)",
                                      "Release(brstream1)", "Release(sensor1)"}));
  EXPECT_EQ(runtime.LiveObjects(), 0);
  EXPECT_EQ(dialog.m_hNextColorFrameEvent, nullptr);
  EXPECT_EQ(dialog.m_hBackgroundRemovedFrameEvent, nullptr);
  EXPECT_EQ(dialog.m_pDepthPoints, nullptr);
  EXPECT_FALSE(dialog.m_users[0].faceTracked);
  EXPECT_FALSE(dialog.m_users[1].faceTracked);
  // What the close leaves as it was.
  EXPECT_EQ(dialog.m_colorWidth, 640u);
  EXPECT_EQ(dialog.m_colorPixels.size(), 640u * 480 * 4);
  EXPECT_NE(dialog.m_hColorStream, runtime::kInvalidStreamHandle);
}

TEST_F(SensorFixture, CloseOfANeverOpenedOrClosedConnectionMakesNoCalls) {
  dialog.CloseSensor();
  EXPECT_TRUE(runtime.Calls().empty());
  OpenQuietly();
  dialog.CloseSensor();
  runtime.ClearCalls();
  dialog.CloseSensor();
  EXPECT_TRUE(runtime.Calls().empty());
  EXPECT_EQ(runtime.LiveObjects(), 0);
}

TEST_F(SensorFixture, CloseAfterAnOpenThatStoppedEarlyReleasesWhatWasMade) {
  runtime.Refuse("NuiInitialize");
  dialog.OpenSensor();
  runtime.ClearCalls();
  dialog.CloseSensor();
  EXPECT_EQ(runtime.Calls(), (std::vector<std::string>{"NuiShutdown()", "Release(sensor1)"}));
  EXPECT_EQ(dialog.m_hNextDepthFrameEvent, nullptr);
}

TEST_F(SensorFixture, ReopenAllocatesAFreshPointMapAndFollowsTheLastNearModeReport) {
  OpenQuietly();
  dialog.CloseSensor();
  dialog.m_nearMode = true;  // as the last depth frame reported
  ASSERT_EQ(dialog.OpenSensor(), S_OK);
  EXPECT_NE(dialog.m_pDepthPoints, nullptr);
  const std::vector<std::string> calls = runtime.Calls();
  EXPECT_NE(std::find(calls.begin(), calls.end(), "NuiImageStreamOpen(depth,2,0x20000,2,event)"),
            calls.end());
  EXPECT_NE(std::find(calls.begin(), calls.end(), "NuiSkeletonTrackingEnable(0x8,event)"),
            calls.end());
}

}  // namespace
