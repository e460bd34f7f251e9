// The program's own sensor code (open, acquisition, skeletons, face tracking, player choice)
// over the simulated runtime: what it ends up holding matches the scene's ground truth.
#include <cstring>
#include <memory>
#include <vector>

#include "runtime/sim/Simulator.h"
#include "sim/StandingScene.h"
#include "simruntime/SimDialog.h"

namespace {

using simruntimetest::SimDialog;
using simtest::StandingPerson;
using simtest::StandingScene;

struct StandingCase {
  double heightCm;
  double x;
  double z;
};

class StandingPersonTest : public ::testing::TestWithParam<StandingCase> {};

TEST_P(StandingPersonTest, FaceIsTrackedAndReadsTheTrueHeight) {
  const StandingCase c = GetParam();
  SimDialog sim(StandingScene(c.heightCm, c.x, c.z));
  ASSERT_EQ(sim.dialog.OpenSensor(), S_OK);
  for (std::uint32_t ms : {0u, 34u, 67u}) {
    sim.PassAt(ms);
  }

  EXPECT_EQ(sim.dialog.m_userCount, 1);
  EXPECT_EQ(sim.dialog.m_users[0].skeletonSlot, 1);
  EXPECT_EQ(sim.dialog.m_users[1].skeletonSlot, -1);
  ASSERT_TRUE(sim.dialog.m_users[0].faceTracked);
  EXPECT_GE(sim.dialog.m_users[0].shapePointCount, 16u);
  const std::optional<std::int32_t> height = sim.DisplayedHeight(0);
  ASSERT_TRUE(height.has_value());
  EXPECT_NEAR(*height, c.heightCm, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Places, StandingPersonTest,
                         ::testing::Values(StandingCase{172.0, 0.0, 3.5},
                                           StandingCase{118.0, 0.4, 2.5},
                                           StandingCase{150.0, -0.5, 3.0},
                                           StandingCase{95.0, 0.2, 1.8}));

struct HiddenFaceCase {
  const char* name;
  sim::Scene scene;
};

class HiddenFaceTest : public ::testing::TestWithParam<HiddenFaceCase> {};

TEST_P(HiddenFaceTest, SkeletonTrackedButNoFace) {
  SimDialog sim(GetParam().scene);
  ASSERT_EQ(sim.dialog.OpenSensor(), S_OK);
  for (std::uint32_t ms : {0u, 34u, 67u}) {
    sim.PassAt(ms);
  }
  EXPECT_EQ(sim.dialog.m_userCount, 1);
  EXPECT_FALSE(sim.dialog.m_users[0].faceTracked);
  EXPECT_FALSE(sim.DisplayedHeight(0).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HiddenFaceTest,
    ::testing::Values(HiddenFaceCase{"TurnedAway", StandingScene(172.0, 0.0, 3.5, 180.0)},
                      HiddenFaceCase{"Sideways", StandingScene(172.0, 0.0, 3.5, 90.0)},
                      // The head is above the top of both pictures this close.
                      HiddenFaceCase{"HeadAbovePicture", StandingScene(190.0, 0.0, 1.0)}),
    [](const auto& info) { return std::string(info.param.name); });

// Slot 1 holds an adult who walks out of view after 1 s; slot 2 a child who stays.
sim::Scene AdultLeavesChildStays() {
  sim::Scene scene;
  sim::Person adult = StandingPerson(172.0, -0.6, 3.0);
  adult.path = {{0.0, -0.6, 3.0, 0.0}, {1.0, -0.6, 3.0, 0.0}, {1.5, -4.5, 3.0, -90.0}};
  scene.people = {adult, StandingPerson(118.0, 0.45, 2.4)};
  return scene;
}

TEST(ProgramOverSimTest, WhenTheLowerSlotLeavesTheOtherMovesToUserRecordZero) {
  SimDialog sim(AdultLeavesChildStays());
  ASSERT_EQ(sim.dialog.OpenSensor(), S_OK);
  for (std::uint32_t ms = 0; ms <= 500; ms += 34) {
    sim.PassAt(ms);
  }
  ASSERT_EQ(sim.dialog.m_userCount, 2);
  EXPECT_EQ(sim.dialog.m_users[0].skeletonSlot, 1);
  EXPECT_EQ(sim.dialog.m_users[1].skeletonSlot, 2);
  ASSERT_TRUE(sim.DisplayedHeight(0).has_value());
  ASSERT_TRUE(sim.DisplayedHeight(1).has_value());
  EXPECT_NEAR(*sim.DisplayedHeight(0), 172.0, 1.0);
  EXPECT_NEAR(*sim.DisplayedHeight(1), 118.0, 1.0);

  for (std::uint32_t ms = 1600; ms <= 2000; ms += 34) {
    sim.PassAt(ms);
  }
  EXPECT_EQ(sim.dialog.m_userCount, 1);
  EXPECT_EQ(sim.dialog.m_users[0].skeletonSlot, 2);
  EXPECT_EQ(sim.dialog.m_users[1].skeletonSlot, -1);
  ASSERT_TRUE(sim.DisplayedHeight(0).has_value());
  EXPECT_NEAR(*sim.DisplayedHeight(0), 118.0, 1.0);
}

TEST(ProgramOverSimTest, BackgroundRemovalFollowsTheNearestPlayer) {
  sim::Scene scene;
  scene.people = {StandingPerson(172.0, -0.6, 3.5), StandingPerson(160.0, 0.5, 2.2)};
  SimDialog sim(scene);
  ASSERT_EQ(sim.dialog.OpenSensor(), S_OK);
  EXPECT_TRUE(sim.runtime.BackgroundRemoval().enabled);
  EXPECT_EQ(sim.runtime.BackgroundRemoval().trackedPlayerCalls, 0);

  sim.PassAt(0);
  sim.PassAt(34);
  const sim::BackgroundRemovalRecord record = sim.runtime.BackgroundRemoval();
  // The tracking ids as the scene renderer hands them out.
  sim::Simulator truth(scene);
  const sim::FrameSet& frames = truth.Render(0.0);
  ASSERT_EQ(frames.skeletons[0].trackingState, sim::kSkeletonTracked);
  ASSERT_EQ(frames.skeletons[1].trackingState, sim::kSkeletonTracked);
  ASSERT_NE(frames.skeletons[0].trackingId, frames.skeletons[1].trackingId);
  EXPECT_EQ(record.trackedPlayer, frames.skeletons[1].trackingId);
  EXPECT_EQ(record.trackedPlayerCalls, 1);
  EXPECT_EQ(sim.dialog.m_trackedPlayerId, record.trackedPlayer);
}

// What the program holds after a run: every buffer and the users' shape points.
std::vector<std::uint8_t> RunBytes(const sim::Scene& scene) {
  SimDialog sim(scene);
  EXPECT_EQ(sim.dialog.OpenSensor(), S_OK);
  std::vector<std::uint8_t> bytes;
  const auto append = [&](const void* data, std::size_t size) {
    const auto* first = static_cast<const std::uint8_t*>(data);
    bytes.insert(bytes.end(), first, first + size);
  };
  for (std::uint32_t ms : {0u, 1000u, 3500u, 5000u, 9000u}) {
    sim.PassAt(ms);
    append(sim.dialog.m_colorPixels.data(), sim.dialog.m_colorPixels.size());
    append(sim.dialog.m_depthPixels.data(), sim.dialog.m_depthPixels.size() * 2);
    append(sim.dialog.m_pDepthPoints.get(),
           sim.dialog.m_depthPointCount * sizeof(runtime::NUI_DEPTH_IMAGE_POINT));
    append(&sim.dialog.m_skeletons, sizeof sim.dialog.m_skeletons);
    for (const TrackedUser& user : sim.dialog.m_users) {
      append(&user.skeletonSlot, sizeof user.skeletonSlot);
      if (user.faceTracked && user.shapePoints != nullptr) {
        append(user.shapePoints, user.shapePointCount * sizeof(runtime::FT_VECTOR2D));
      }
    }
  }
  return bytes;
}

TEST(ProgramOverSimTest, SameSceneGivesTheSameBytes) {
  sim::Scene scene;
  sim::Person walker = StandingPerson(165.0, -1.0, 3.2);
  walker.path = {{0.0, -1.0, 3.2, 90.0}, {4.0, 0.2, 3.2, 90.0}, {4.6, 0.2, 3.2, 0.0}};
  scene.people = {walker, StandingPerson(125.0, 0.6, 2.5)};
  const std::vector<std::uint8_t> first = RunBytes(scene);
  const std::vector<std::uint8_t> second = RunBytes(scene);
  ASSERT_EQ(first.size(), second.size());
  EXPECT_TRUE(first == second);
}

TEST(ProgramOverSimTest, FaceStepUsesTheFrameTakenNotANewerOne) {
  sim::Scene scene;
  sim::Person walker = StandingPerson(170.0, -0.8, 3.2);
  walker.path = {{0.0, -0.8, 3.2, 0.0}, {3.0, 0.8, 3.2, 0.0}};  // sidles, face to the sensor
  scene.people = {walker};
  SimDialog sim(scene);
  ASSERT_EQ(sim.dialog.OpenSensor(), S_OK);
  for (std::uint32_t ms : {0u, 34u, 67u}) {
    sim.PassAt(ms);
  }
  ASSERT_TRUE(sim.dialog.m_users[0].faceTracked);
  const runtime::FT_VECTOR2D taken = sim.dialog.m_users[0].shapePoints[15];

  // A newer frame is ready but not taken: the face stays where the held picture shows it.
  sim.runtime.AdvanceTo(1000);
  ASSERT_TRUE(sim.dialog.m_hNextColorFrameEvent->IsSet());
  sim.dialog.TrackFace(0);
  ASSERT_TRUE(sim.dialog.m_users[0].faceTracked);
  EXPECT_EQ(sim.dialog.m_users[0].shapePoints[15].x, taken.x);
  EXPECT_EQ(sim.dialog.m_users[0].shapePoints[15].y, taken.y);

  // Once taken, it moves.
  sim.PassAt(1000);
  ASSERT_TRUE(sim.dialog.m_users[0].faceTracked);
  EXPECT_GT(sim.dialog.m_users[0].shapePoints[15].x, taken.x + 20.0f);
}

TEST(ProgramOverSimTest, ConnectionRestartKeepsDelivering) {
  SimDialog sim(StandingScene(172.0, 0.0, 3.5));
  ASSERT_EQ(sim.dialog.OpenSensor(), S_OK);
  sim.PassAt(0);
  sim.dialog.CloseSensor();
  ASSERT_EQ(sim.dialog.OpenSensor(), S_OK);
  EXPECT_FALSE(sim.dialog.m_hNextColorFrameEvent->IsSet());
  for (std::uint32_t ms : {34u, 67u, 100u}) {
    sim.PassAt(ms);
  }
  EXPECT_EQ(sim.dialog.m_userCount, 1);
  ASSERT_TRUE(sim.DisplayedHeight(0).has_value());
  EXPECT_NEAR(*sim.DisplayedHeight(0), 172.0, 1.0);
}

TEST(ProgramOverSimTest, RuntimeMayGoBeforeTheDialog) {
  auto runtime = std::make_unique<sim::SimRuntime>(StandingScene(172.0, 0.0, 3.5),
                                                   sim::SimRuntime::Timing::kManual);
  platform::headless::HeadlessShell shell{{}};
  testsupport::FakeCanvas canvas;
  testsupport::ManualClock clock;
  testsupport::SensorTestDialog dialog{shell, canvas, clock, *runtime};
  ASSERT_EQ(dialog.OpenSensor(), S_OK);
  runtime->AdvanceTo(0);
  dialog.OnKickIdle(0, 0);
  ASSERT_TRUE(dialog.m_users[0].faceTracked);

  runtime.reset();
  // The objects the dialog holds still answer; no frame comes any more.
  EXPECT_FALSE(dialog.m_hNextColorFrameEvent->IsSet());
  dialog.OnKickIdle(0, 0);
  EXPECT_EQ(dialog.m_userCount, 1);
  dialog.CloseSensor();
}

}  // namespace
