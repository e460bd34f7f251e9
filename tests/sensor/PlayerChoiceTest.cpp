#include <string>
#include <vector>

#include "support/SensorFixture.h"

namespace {

using testsupport::MakeSkeleton;
using testsupport::SensorFixture;
using namespace runtime;

struct Tracked {
  int slot;
  std::uint32_t id;
  float z;
};

struct ChoiceCase {
  const char* name;
  std::vector<Tracked> skeletons;
  std::uint32_t followed;
  std::vector<std::string> calls;
  std::uint32_t followedAfter;
};

class PlayerChoice : public SensorFixture, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(PlayerChoice, HandsOverTheNearestUnlessTheFollowedOneIsTracked) {
  OpenQuietly();
  const ChoiceCase& c = GetParam();
  std::array<NUI_SKELETON_DATA, NUI_SKELETON_COUNT> skeletons{};
  for (const Tracked& t : c.skeletons) {
    skeletons[t.slot] = MakeSkeleton(NUI_SKELETON_TRACKED, t.id, t.z);
  }
  // A nearer skeleton that is not tracked never counts.
  skeletons[5] = MakeSkeleton(NUI_SKELETON_POSITION_ONLY, 99, 0.1f);
  dialog.m_trackedPlayerId = c.followed;
  EXPECT_EQ(dialog.ChooseBackgroundRemovalPlayer(skeletons), S_OK);
  EXPECT_EQ(runtime.Calls(), c.calls);
  EXPECT_EQ(dialog.m_trackedPlayerId, c.followedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlayerChoice,
    ::testing::Values(
        ChoiceCase{"NoneTracked", {}, 4, {}, 4},
        ChoiceCase{
            "Nearest", {{0, 10, 2.5f}, {3, 13, 1.8f}}, 0, {"SetTrackedPlayer(brstream1,13)"}, 13},
        ChoiceCase{"TieLowerSlotWins",
                   {{1, 11, 2.0f}, {2, 12, 2.0f}},
                   0,
                   {"SetTrackedPlayer(brstream1,11)"},
                   11},
        ChoiceCase{"FollowedStillTracked", {{1, 11, 1.0f}, {4, 14, 3.0f}}, 14, {}, 14},
        ChoiceCase{"FollowedLost",
                   {{1, 11, 3.0f}, {4, 14, 2.0f}},
                   7,
                   {"SetTrackedPlayer(brstream1,14)"},
                   14}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SensorFixture, PlayerChoiceFailureKeepsTheOldId) {
  constexpr HRESULT kCode = static_cast<HRESULT>(0x8000FFFFu);
  OpenQuietly();
  runtime.Refuse("SetTrackedPlayer", kCode);
  dialog.m_trackedPlayerId = 3;
  std::array<NUI_SKELETON_DATA, NUI_SKELETON_COUNT> skeletons{};
  skeletons[0] = MakeSkeleton(NUI_SKELETON_TRACKED, 8, 2.0f);
  EXPECT_EQ(dialog.ChooseBackgroundRemovalPlayer(skeletons), kCode);
  EXPECT_EQ(dialog.m_trackedPlayerId, 3u);
}

TEST_F(SensorFixture, PlayerChoiceWithoutAStreamCallsNothing) {
  runtime.Refuse("NuiCreateBackgroundRemovedColorStream");
  dialog.OpenSensor();
  runtime.ClearCalls();
  std::array<NUI_SKELETON_DATA, NUI_SKELETON_COUNT> skeletons{};
  skeletons[0] = MakeSkeleton(NUI_SKELETON_TRACKED, 8, 2.0f);
  EXPECT_EQ(dialog.ChooseBackgroundRemovalPlayer(skeletons), S_OK);
  EXPECT_TRUE(runtime.Calls().empty());
  EXPECT_EQ(dialog.m_trackedPlayerId, 0u);
}

TEST_F(SensorFixture, AfterARestartTheFollowedSkeletonIsNotHandedOverAgain) {
  OpenQuietly();
  std::array<NUI_SKELETON_DATA, NUI_SKELETON_COUNT> skeletons{};
  skeletons[2] = MakeSkeleton(NUI_SKELETON_TRACKED, 21, 2.0f);
  dialog.ChooseBackgroundRemovalPlayer(skeletons);
  dialog.CloseSensor();
  ASSERT_EQ(dialog.OpenSensor(), S_OK);
  runtime.ClearCalls();
  skeletons[0] = MakeSkeleton(NUI_SKELETON_TRACKED, 20, 1.0f);
  EXPECT_EQ(dialog.ChooseBackgroundRemovalPlayer(skeletons), S_OK);
  EXPECT_TRUE(runtime.Calls().empty());
  EXPECT_EQ(dialog.m_trackedPlayerId, 21u);
}

}  // namespace
