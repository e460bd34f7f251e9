// Which face the simulated face tracker follows: the hinted head's person, the person it
// followed, or the nearest visible face; and when it reports no face.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "runtime/ReleasePtr.h"
#include "runtime/sim/SimRuntime.h"
#include "runtime/sim/Simulator.h"
#include "sim/StandingScene.h"

namespace {

using namespace runtime;
using simtest::StandingPerson;

// Player 1 far and facing the sensor, player 2 near and facing the sensor, player 3 turned
// away.
sim::Scene ThreePeople() {
  sim::Scene scene;
  scene.people = {StandingPerson(172.0, -0.9, 3.6), StandingPerson(120.0, 0.0, 2.4),
                  StandingPerson(150.0, 0.9, 3.0, 180.0)};
  return scene;
}

class SimFaceTrackerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INuiSensor* created = nullptr;
    ASSERT_EQ(runtime.NuiCreateSensorByIndex(0, &created), S_OK);
    sensor.reset(created);
    ASSERT_EQ(sensor->NuiInitialize(0x0B), S_OK);
    NuiStreamHandle color = kInvalidStreamHandle;
    ASSERT_EQ(sensor->NuiImageStreamOpen(NUI_IMAGE_TYPE_COLOR, NUI_IMAGE_RESOLUTION_640x480, 0, 2,
                                         std::make_shared<platform::ManualResetEvent>(), &color),
              S_OK);
    runtime.AdvanceTo(0);
    NUI_IMAGE_FRAME frame{};
    ASSERT_EQ(sensor->NuiImageStreamGetNextFrame(color, 0, &frame), S_OK);
    ASSERT_EQ(sensor->NuiImageStreamReleaseFrame(color, &frame), S_OK);

    tracker.reset(runtime.FTCreateFaceTracker());
    const FT_CAMERA_CONFIG video{640, 480, 531.15f};
    const FT_CAMERA_CONFIG depth{640, 480, 571.26f};
    ASSERT_EQ(tracker->Initialize(&video, &depth), S_OK);
    IFTResult* created2 = nullptr;
    ASSERT_EQ(tracker->CreateFTResult(&created2), S_OK);
    result.reset(created2);
    colorImage.reset(runtime.FTCreateImage());
    depthImage.reset(runtime.FTCreateImage());
    ASSERT_EQ(colorImage->Attach(640, 480, colorPixels.data(), FTIMAGEFORMAT_UINT8_B8G8R8X8, 2560),
              S_OK);
    ASSERT_EQ(depthImage->Attach(640, 480, depthPixels.data(), FTIMAGEFORMAT_UINT16_D13P3, 1280),
              S_OK);
  }

  // The glabella of the face the result holds; fails the test when there is none.
  FT_VECTOR2D Glabella() {
    FT_VECTOR2D* points = nullptr;
    std::uint32_t count = 0;
    EXPECT_EQ(result->Get2DShapePoints(&points, &count), S_OK);
    EXPECT_GE(count, 16u);
    return points != nullptr && count > 15 ? points[15] : FT_VECTOR2D{-1.0f, -1.0f};
  }

  static FTHeadHints HintAt(const sim::PersonView& person) {
    const sim::Vec3 head = person.headCentre;
    // Like a hint re-derived from the depth pixel on the face: 10 cm in front of the centre.
    return {FT_VECTOR3D{head.x, head.y - 0.2f, head.z}, FT_VECTOR3D{head.x, head.y, head.z - 0.1f}};
  }

  sim::SimRuntime runtime{ThreePeople(), sim::SimRuntime::Timing::kManual};
  sim::Simulator truthSimulator{ThreePeople()};
  const sim::FrameSet& truth = truthSimulator.Render(0.0);
  ReleasePtr<INuiSensor> sensor;
  ReleasePtr<IFTFaceTracker> tracker;
  ReleasePtr<IFTResult> result;
  ReleasePtr<IFTImage> colorImage;
  ReleasePtr<IFTImage> depthImage;
  std::vector<std::uint8_t> colorPixels = std::vector<std::uint8_t>(640 * 480 * 4);
  std::vector<std::uint16_t> depthPixels = std::vector<std::uint16_t>(640 * 480);
  FT_SENSOR_DATA data() const { return {colorImage.get(), depthImage.get(), 1.0f, {0, 0}}; }
};

TEST_F(SimFaceTrackerTest, HintSelectsThePersonAtTheHintedHead) {
  const FT_SENSOR_DATA sensorData = data();
  for (int p : {0, 1}) {
    const FTHeadHints hints = HintAt(truth.people[p]);
    tracker->StartTracking(&sensorData, &hints, result.get());
    ASSERT_GE(result->GetStatus(), 0) << "person " << p;
    const FT_VECTOR2D glabella = Glabella();
    EXPECT_FLOAT_EQ(glabella.x, truth.people[p].face.shapePoints[15].x);
    EXPECT_FLOAT_EQ(glabella.y, truth.people[p].face.shapePoints[15].y);
    result->Reset();
  }
}

TEST_F(SimFaceTrackerTest, NoFaceWhereTheHintedPersonIsTurnedAwayOrNobodyIs) {
  const FT_SENSOR_DATA sensorData = data();
  const FTHeadHints turnedAway = HintAt(truth.people[2]);
  EXPECT_LT(tracker->StartTracking(&sensorData, &turnedAway, result.get()), 0);
  EXPECT_LT(result->GetStatus(), 0);
  FT_VECTOR2D* points = nullptr;
  std::uint32_t count = 7;
  EXPECT_LT(result->Get2DShapePoints(&points, &count), 0);
  EXPECT_EQ(count, 0u);

  const FTHeadHints empty{FT_VECTOR3D{0.0f, 0.0f, 1.0f}, FT_VECTOR3D{0.0f, 0.2f, 1.0f}};
  tracker->StartTracking(&sensorData, &empty, result.get());
  EXPECT_LT(result->GetStatus(), 0);
}

TEST_F(SimFaceTrackerTest, WithoutHintTheNearestVisibleFaceThenTheSamePerson) {
  const FT_SENSOR_DATA sensorData = data();
  tracker->StartTracking(&sensorData, nullptr, result.get());
  ASSERT_GE(result->GetStatus(), 0);
  EXPECT_FLOAT_EQ(Glabella().x, truth.people[1].face.shapePoints[15].x);

  // Told about the far person, then continued without a hint: it stays with the far person.
  const FTHeadHints far = HintAt(truth.people[0]);
  tracker->ContinueTracking(&sensorData, &far, result.get());
  tracker->ContinueTracking(&sensorData, nullptr, result.get());
  ASSERT_GE(result->GetStatus(), 0);
  EXPECT_FLOAT_EQ(Glabella().x, truth.people[0].face.shapePoints[15].x);
}

TEST_F(SimFaceTrackerTest, StepFailsWithoutUsableImages) {
  ReleasePtr<IFTImage> detached(runtime.FTCreateImage());
  const FT_SENSOR_DATA noColor{detached.get(), depthImage.get(), 1.0f, {0, 0}};
  tracker->StartTracking(&noColor, nullptr, result.get());
  EXPECT_LT(result->GetStatus(), 0);
  // Depth pixels offered as the colour image.
  const FT_SENSOR_DATA swapped{depthImage.get(), colorImage.get(), 1.0f, {0, 0}};
  tracker->StartTracking(&swapped, nullptr, result.get());
  EXPECT_LT(result->GetStatus(), 0);
  EXPECT_LT(colorImage->Attach(640, 480, colorPixels.data(), FTIMAGEFORMAT_UINT8_B8G8R8X8, 100), 0);
  const FT_SENSOR_DATA badStride = data();
  tracker->StartTracking(&badStride, nullptr, result.get());
  EXPECT_LT(result->GetStatus(), 0);
}

}  // namespace
