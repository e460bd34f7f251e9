#include <string>
#include <vector>

#include "support/SensorFixture.h"

namespace {

using testsupport::MakeSkeleton;
using testsupport::SensorFixture;
using namespace runtime;

struct CreationFailure {
  const char* refused;
  const char* message;
};

class FaceCreationFailure : public SensorFixture,
                            public ::testing::WithParamInterface<CreationFailure> {};

TEST_P(FaceCreationFailure, ShowsItsMessageForEachUserAndTheOpenGoesOn) {
  runtime.Refuse(GetParam().refused);
  EXPECT_EQ(dialog.OpenSensor(), S_OK);
  EXPECT_EQ(shell.messages, (std::vector<std::string>{GetParam().message, GetParam().message}));
  EXPECT_EQ(dialog.m_colorPixels.size(), 640u * 480 * 4);
  EXPECT_EQ(dialog.m_depthPixels.size(), 640u * 480);
  // A step with missing objects calls nothing and clears the tracked flag.
  dialog.m_users[0].faceTracked = true;
  runtime.ClearCalls();
  EXPECT_EQ(dialog.TrackFace(0), S_OK);
  EXPECT_TRUE(runtime.Calls().empty());
  EXPECT_FALSE(dialog.m_users[0].faceTracked);
  dialog.CloseSensor();
  EXPECT_EQ(runtime.LiveObjects(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FaceCreationFailure,
    ::testing::Values(CreationFailure{"FTCreateFaceTracker", "ERROR:FTCreateFaceTracker"},
                      CreationFailure{"Initialize(", "ERROR:FTInitialize"},
                      CreationFailure{"CreateFTResult", "ERROR:CreateFTResult"},
                      CreationFailure{"FTCreateImage", "ERROR:FTCreateImage"}));

TEST_F(SensorFixture, OneImageMissingIsEnoughToFail) {
  runtime.Refuse("FTCreateImage", E_FAIL, 1);
  EXPECT_EQ(dialog.OpenSensor(), S_OK);
  EXPECT_EQ(shell.messages, std::vector<std::string>{"ERROR:FTCreateImage"});
  EXPECT_EQ(dialog.m_pFaceColorImage[0], nullptr);
  EXPECT_NE(dialog.m_pFaceDepthImage[0], nullptr);
  EXPECT_NE(dialog.m_pFaceColorImage[1], nullptr);
}

class FaceFixture : public SensorFixture {
 protected:
  void SetUp() override {
    OpenQuietly();
    runtime.shapePoints.assign(87, FT_VECTOR2D{100.0f, 200.0f});
  }
  // User 0 follows skeleton slot 1 whose neck and head are in the given state.
  void GiveUserASkeleton(NUI_SKELETON_POSITION_TRACKING_STATE headState) {
    dialog.m_users[0].skeletonSlot = 2;
    dialog.m_skeletons[1] = MakeSkeleton(NUI_SKELETON_TRACKED, 7, 2.0f);
    dialog.m_skeletons[1].skeletonPositions[NUI_SKELETON_POSITION_SHOULDER_CENTER] = {0.1f, 0.2f,
                                                                                      2.0f, 1.0f};
    dialog.m_skeletons[1].skeletonPositions[NUI_SKELETON_POSITION_HEAD] = {0.1f, 0.5f, 2.1f, 1.0f};
    dialog.m_skeletons[1].skeletonPositionTrackingState[NUI_SKELETON_POSITION_HEAD] = headState;
  }
};

TEST_F(FaceFixture, StartContinueAndResetCycle) {
  GiveUserASkeleton(NUI_SKELETON_POSITION_TRACKED);
  runtime.faceStatuses = {S_OK, S_OK, E_FAIL, S_OK};

  EXPECT_EQ(dialog.TrackFace(0), S_OK);
  EXPECT_EQ(runtime.Calls(),
            (std::vector<std::string>{
                "Attach(image1,640,480,5,2560)", "Attach(image2,640,480,8,1280)",
                "StartTracking(tracker1,image1,image2,1.0,0,0,hint(0.100,0.200,2.000;0.100,0.500,"
                "2.100),result1)",
                "GetStatus(result1)", "Get2DShapePoints(result1)"}));
  EXPECT_TRUE(dialog.m_users[0].faceTracked);
  EXPECT_EQ(dialog.m_users[0].shapePointCount, 87u);
  EXPECT_EQ(dialog.m_users[0].shapePoints[15].x, 100.0f);
  // Attached in place: the images read the acquisition buffers themselves.
  EXPECT_EQ(runtime.AttachedData().at("image1"), dialog.m_colorPixels.data());
  EXPECT_EQ(runtime.AttachedData().at("image2"), dialog.m_depthPixels.data());

  runtime.ClearCalls();
  dialog.TrackFace(0);
  EXPECT_EQ(runtime.Calls()[2].rfind("ContinueTracking(tracker1,", 0), 0u);

  runtime.ClearCalls();
  dialog.TrackFace(0);  // the face is lost
  const std::vector<std::string> lost = runtime.Calls();
  EXPECT_EQ(lost[2].rfind("ContinueTracking(", 0), 0u);
  EXPECT_EQ(lost.back(), "Reset(result1)");
  EXPECT_FALSE(dialog.m_users[0].faceTracked);
  EXPECT_EQ(dialog.m_users[0].shapePoints, nullptr);
  EXPECT_EQ(dialog.m_users[0].shapePointCount, 0u);

  runtime.ClearCalls();
  dialog.TrackFace(0);
  EXPECT_EQ(runtime.Calls()[2].rfind("StartTracking(", 0), 0u);
  EXPECT_TRUE(dialog.m_users[0].faceTracked);
}

struct HintCase {
  const char* name;
  int slot;
  NUI_SKELETON_TRACKING_STATE skeletonState;
  NUI_SKELETON_POSITION_TRACKING_STATE headState;
  NUI_SKELETON_POSITION_TRACKING_STATE neckState;
  HRESULT expected;
};

class HeadHint : public FaceFixture, public ::testing::WithParamInterface<HintCase> {};

TEST_P(HeadHint, FollowsTheSkeletonStates) {
  const HintCase& c = GetParam();
  GiveUserASkeleton(c.headState);
  dialog.m_users[0].skeletonSlot = c.slot;
  dialog.m_skeletons[1].trackingState = c.skeletonState;
  dialog.m_skeletons[1].skeletonPositionTrackingState[NUI_SKELETON_POSITION_SHOULDER_CENTER] =
      c.neckState;
  FTHeadHints hints{};
  EXPECT_EQ(dialog.GetHeadHint(0, &hints), c.expected);
  if (c.expected == S_OK) {
    EXPECT_EQ(hints[0].y, 0.2f);
    EXPECT_EQ(hints[1].y, 0.5f);
    EXPECT_EQ(hints[1].z, 2.1f);
  } else {
    EXPECT_EQ(hints[0].y, 0.0f);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HeadHint,
    ::testing::Values(
        HintCase{"Tracked", 2, NUI_SKELETON_TRACKED, NUI_SKELETON_POSITION_TRACKED,
                 NUI_SKELETON_POSITION_TRACKED, S_OK},
        HintCase{"NoSkeleton", -1, NUI_SKELETON_TRACKED, NUI_SKELETON_POSITION_TRACKED,
                 NUI_SKELETON_POSITION_TRACKED, E_FAIL},
        HintCase{"HeadInferred", 2, NUI_SKELETON_TRACKED, NUI_SKELETON_POSITION_INFERRED,
                 NUI_SKELETON_POSITION_TRACKED, E_FAIL},
        HintCase{"NeckInferred", 2, NUI_SKELETON_TRACKED, NUI_SKELETON_POSITION_TRACKED,
                 NUI_SKELETON_POSITION_INFERRED, E_FAIL},
        HintCase{"SkeletonPositionOnly", 2, NUI_SKELETON_POSITION_ONLY,
                 NUI_SKELETON_POSITION_TRACKED, NUI_SKELETON_POSITION_TRACKED, E_FAIL}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FaceFixture, NullHintsIsAPointerError) {
  GiveUserASkeleton(NUI_SKELETON_POSITION_TRACKED);
  EXPECT_EQ(dialog.GetHeadHint(0, nullptr), E_POINTER);
}

TEST_F(FaceFixture, InferredHeadTracksWithoutHint) {
  GiveUserASkeleton(NUI_SKELETON_POSITION_INFERRED);
  dialog.TrackFace(0);
  EXPECT_EQ(runtime.Calls()[2], "StartTracking(tracker1,image1,image2,1.0,0,0,nohint,result1)");
}

TEST_F(FaceFixture, UserWithoutSkeletonStillRunsAStepWithoutHint) {
  runtime.faceStatus = S_OK;
  dialog.TrackFace(1);
  EXPECT_EQ(runtime.Calls()[2], "StartTracking(tracker2,image3,image4,1.0,0,0,nohint,result2)");
  EXPECT_TRUE(dialog.m_users[1].faceTracked);
}

TEST_F(FaceFixture, ShapePointFailureWritesTheDebugLineAndKeepsTheFace) {
  constexpr HRESULT kCode = static_cast<HRESULT>(0x80070490u);
  runtime.faceStatus = S_OK;
  dialog.TrackFace(0);
  ASSERT_EQ(dialog.m_users[0].shapePointCount, 87u);
  runtime.Refuse("Get2DShapePoints", kCode);
  EXPECT_EQ(dialog.TrackFace(0), kCode);
  EXPECT_EQ(shell.debugOutput, std::vector<std::string>{"Get2DShapePoints Failed\n"});
  EXPECT_TRUE(dialog.m_users[0].faceTracked);
  EXPECT_EQ(dialog.m_users[0].shapePoints, nullptr);
  EXPECT_EQ(dialog.m_users[0].shapePointCount, 0u);
}

TEST_F(FaceFixture, ShortOrEmptyShapePointListsKeepATruthfulCount) {
  runtime.faceStatus = S_OK;
  runtime.shapePoints.assign(5, FT_VECTOR2D{1.0f, 2.0f});
  dialog.TrackFace(0);
  EXPECT_EQ(dialog.m_users[0].shapePointCount, 5u);
  runtime.shapePoints.clear();  // the result offers a null list
  dialog.TrackFace(0);
  EXPECT_TRUE(dialog.m_users[0].faceTracked);
  EXPECT_EQ(dialog.m_users[0].shapePoints, nullptr);
  EXPECT_EQ(dialog.m_users[0].shapePointCount, 0u);
}

TEST_F(FaceFixture, CloseForgetsTheShapePointsOfTheReleasedResults) {
  runtime.faceStatus = S_OK;
  dialog.TrackFace(0);
  dialog.CloseSensor();
  EXPECT_FALSE(dialog.m_users[0].faceTracked);
  EXPECT_EQ(dialog.m_users[0].shapePoints, nullptr);
  EXPECT_EQ(dialog.m_users[0].shapePointCount, 0u);
}

}  // namespace
