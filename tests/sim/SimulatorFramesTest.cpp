#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "runtime/sim/Cameras.h"
#include "runtime/sim/DemoScene.h"
#include "runtime/sim/Simulator.h"
#include "sim/StandingScene.h"

namespace {

using sim::kImageWidth;

int Player(const sim::FrameSet& f, int x, int y) {
  return f.depth[y * kImageWidth + x] & 7;
}
int DepthMm(const sim::FrameSet& f, int x, int y) {
  return f.depth[y * kImageWidth + x] >> 3;
}

TEST(SimulatorFramesTest, PlayerIndexMarksThePersonAndOnlyThePerson) {
  sim::Scene scene = simtest::StandingScene(172.0, -0.5, 3.0);
  scene.people.push_back(simtest::StandingPerson(130.0, 0.8, 2.0));
  sim::Simulator simulator(scene);
  const sim::FrameSet& f = simulator.Render(0.0);
  // The depth pixel in front of each person's chest belongs to that person.
  for (const sim::PersonView& p : f.people) {
    const sim::Vec3 chest{p.headCentre.x, p.headCentre.y - 0.35f, p.headCentre.z};
    const sim::Vec2 d = sim::kDepthCamera.Project(chest);
    EXPECT_EQ(Player(f, static_cast<int>(d.x), static_cast<int>(d.y)), p.playerIndex);
  }
  // Room pixels carry no player; every player pixel is nearer than the room behind it.
  EXPECT_EQ(Player(f, 5, 5), 0);
  EXPECT_EQ(Player(f, 320, 470), 0);
  int playerPixels[3] = {0, 0, 0};
  for (int y = 0; y < sim::kImageHeight; ++y) {
    for (int x = 0; x < kImageWidth; ++x) {
      const int player = Player(f, x, y);
      ASSERT_LE(player, 2);
      ++playerPixels[player];
      const sim::DepthImagePixel ext = f.extendedDepth[y * kImageWidth + x];
      ASSERT_EQ(ext.playerIndex, player);
      ASSERT_EQ(ext.depth, DepthMm(f, x, y));
    }
  }
  EXPECT_GT(playerPixels[1], 2000);
  EXPECT_GT(playerPixels[2], 2000);
}

TEST(SimulatorFramesTest, DepthIsThePerpendicularDistance) {
  // The floor straight below the axis, seen in the bottom row, lies where the geometry says.
  sim::Simulator simulator(simtest::StandingScene(172.0, 5.0, 3.0));  // person out of view
  const sim::FrameSet& f = simulator.Render(0.0);
  const float rayY = -(479.5f - 240.0f) / 571.26f;
  EXPECT_NEAR(DepthMm(f, 320, 479), 0.755f / -rayY * 1000.0f, 1.0f);
  // The back wall at 5.5 m fills the middle of the picture.
  EXPECT_EQ(DepthMm(f, 320, 200), 5500);
  EXPECT_EQ(DepthMm(f, 100, 200), 5500);
  // The side walls at 2.8 m to either side close the picture's edges.
  EXPECT_NEAR(DepthMm(f, 10, 200), 2.8f / ((320.0f - 10.5f) / 571.26f) * 1000.0f, 1.0f);
}

TEST(SimulatorFramesTest, PointMapProjectsTheSeenPointIntoTheDepthImage) {
  sim::Simulator simulator(simtest::StandingScene(172.0, 0.0, 2.5));
  const sim::FrameSet& f = simulator.Render(0.0);
  const sim::Vec2 g = f.people[0].face.shapePoints[sim::kGlabellaPoint];
  const sim::DepthImagePoint onFace =
      f.pointMap[static_cast<int>(g.y) * kImageWidth + static_cast<int>(g.x)];
  const sim::Vec2 expected = sim::kDepthCamera.Project(f.people[0].glabella);
  EXPECT_NEAR(onFace.x, expected.x, 1.5);
  EXPECT_NEAR(onFace.y, expected.y, 1.5);
  EXPECT_NEAR(onFace.depth, f.people[0].glabella.z * 1000.0f, 5.0);
  EXPECT_EQ(Player(f, onFace.x, onFace.y), 1);
  // A room pixel in the middle maps to the back wall, shifted by the cameras' 25 mm offset.
  const sim::DepthImagePoint wall = f.pointMap[100 * kImageWidth + 100];
  EXPECT_EQ(wall.depth, 5500);
  const float wallX = (100.5f - 320.0f) / 531.15f * 5.5f + 0.025f;
  EXPECT_EQ(wall.x, static_cast<int>(std::floor(320.0f + wallX * 571.26f / 5.5f)));
  // The colour camera sees wider than the depth camera: its corner maps outside.
  EXPECT_LT(f.pointMap[0].x, 0);
  EXPECT_LT(f.pointMap[0].y, 0);
}

TEST(SimulatorFramesTest, SameTimeGivesTheSameBytes) {
  sim::Simulator a(sim::DemoScene());
  sim::Simulator b(sim::DemoScene());
  const sim::FrameSet expected = a.Render(6.0);
  // b passes through other moments first: what people covered then must not linger.
  b.Render(2.0);
  b.Render(10.3);
  const sim::FrameSet& again = b.Render(26.0);  // the demo loops every 20 s
  EXPECT_EQ(again.color, expected.color);
  EXPECT_EQ(again.depth, expected.depth);
  ASSERT_EQ(again.pointMap.size(), expected.pointMap.size());
  for (std::size_t i = 0; i < expected.pointMap.size(); ++i) {
    ASSERT_EQ(again.pointMap[i].x, expected.pointMap[i].x) << i;
    ASSERT_EQ(again.pointMap[i].y, expected.pointMap[i].y) << i;
    ASSERT_EQ(again.pointMap[i].depth, expected.pointMap[i].depth) << i;
  }
  for (std::size_t i = 0; i < expected.extendedDepth.size(); ++i)
    ASSERT_EQ(again.extendedDepth[i].depth, expected.extendedDepth[i].depth) << i;
}

std::vector<sim::DepthImagePoint> PointMapOf(const sim::Simulator& simulator,
                                             const sim::FrameTarget& target) {
  std::vector<sim::DepthImagePoint> map(sim::kPixelCount);
  simulator.CopyPointMap(target, map.data(), map.size());
  return map;
}

bool SamePoints(const std::vector<sim::DepthImagePoint>& a,
                const std::vector<sim::DepthImagePoint>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0;
}

// Targets of the caller's are rendered at moments far apart and in turn, as pooled frames are:
// each must hold exactly the frames the simulator renders for that moment on its own, with
// the point map kept whole or as patches over the room's. Moments include people walking
// into each other's rectangles and everyone gone.
class SimulatorTargetTest : public ::testing::TestWithParam<bool> {};

TEST_P(SimulatorTargetTest, TargetsRenderedInTurnHoldTheFramesOfTheirMoment) {
  sim::Scene scene = sim::DemoScene();
  scene.noise = GetParam();
  sim::Simulator reference(scene);
  sim::Simulator simulator(scene);
  sim::FrameTarget targets[3];
  targets[1].pointMapInPatches = true;
  targets[2].pointMapInPatches = true;
  const double moments[] = {6.0, 2.0, 19.5, 10.3, 6.0, 14.0, 3.3, 8.8, 19.5, 12.1};
  for (int i = 0; i < 10; ++i) {
    sim::FrameTarget& target = targets[i % 3];
    simulator.Render(moments[i], target);
    const sim::FrameSet& expected = reference.Render(moments[i]);
    SCOPED_TRACE(testing::Message() << "moment " << moments[i] << ", target " << i % 3);
    ASSERT_EQ(target.frames.color, expected.color);
    ASSERT_EQ(target.frames.depth, expected.depth);
    ASSERT_EQ(target.frames.extendedDepth.size(), expected.extendedDepth.size());
    ASSERT_EQ(std::memcmp(target.frames.extendedDepth.data(), expected.extendedDepth.data(),
                          expected.extendedDepth.size() * sizeof(sim::DepthImagePixel)),
              0);
    EXPECT_EQ(target.frames.pointMap.empty(), target.pointMapInPatches);
    ASSERT_TRUE(SamePoints(PointMapOf(simulator, target), expected.pointMap));
    ASSERT_EQ(target.frames.people.size(), expected.people.size());
  }
}

INSTANTIATE_TEST_SUITE_P(NoiseOffAndOn, SimulatorTargetTest, ::testing::Bool());

// A short output gets the beginning of the map and nothing past its end.
TEST(SimulatorFramesTest, PatchedPointMapCopiesNoMoreThanAsked) {
  sim::Simulator simulator(sim::DemoScene());
  sim::FrameTarget target;
  target.pointMapInPatches = true;
  simulator.Render(6.0, target);
  const std::vector<sim::DepthImagePoint> whole = PointMapOf(simulator, target);
  ASSERT_FALSE(target.colorCovered.empty());
  // End the output inside the first row of a person's rectangle.
  const sim::PixelRect r = target.colorCovered.front();
  const std::size_t count = static_cast<std::size_t>(r.y0) * kImageWidth + (r.x0 + r.x1) / 2;
  std::vector<sim::DepthImagePoint> out(count + 100, sim::DepthImagePoint{-7, -7, -7, -7});
  simulator.CopyPointMap(target, out.data(), count);
  EXPECT_EQ(std::memcmp(out.data(), whole.data(), count * sizeof whole[0]), 0);
  for (std::size_t i = count; i < out.size(); ++i) ASSERT_EQ(out[i].x, -7) << i;
}

TEST(SimulatorFramesTest, AnEmptyMomentShowsOnlyTheRoom) {
  sim::Simulator simulator(sim::DemoScene());
  simulator.Render(6.0);
  const sim::FrameSet& f = simulator.Render(19.5);  // both have left
  for (std::size_t i = 0; i < f.depth.size(); ++i) ASSERT_EQ(f.depth[i] & 7, 0) << i;
  for (const sim::SkeletonData& s : f.skeletons)
    EXPECT_EQ(s.trackingState, sim::kSkeletonNotTracked);
}

}  // namespace
