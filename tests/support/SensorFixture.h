// A main dialog over the fake runtime, the headless shell and a manual clock, for tests of
// the sensor subsystem. RenderFrame and InitOpenGL do nothing, so idle passes run without a
// GL surface.
#pragma once

#include <gtest/gtest.h>

#include "app/MeziroDlg.h"
#include "platform/headless/HeadlessShell.h"
#include "support/FakeCanvas.h"
#include "support/FakeNuiRuntime.h"
#include "support/ManualClock.h"
#include "support/SensorTestDialog.h"

namespace testsupport {

// A skeleton in the given state with every joint in jointState at (0, 0, z).
inline runtime::NUI_SKELETON_DATA MakeSkeleton(
    runtime::NUI_SKELETON_TRACKING_STATE state, std::uint32_t trackingId, float z,
    runtime::NUI_SKELETON_POSITION_TRACKING_STATE jointState =
        runtime::NUI_SKELETON_POSITION_TRACKED) {
  runtime::NUI_SKELETON_DATA skeleton{};
  skeleton.trackingState = state;
  skeleton.trackingId = trackingId;
  skeleton.position = {0.0f, 0.0f, z, 1.0f};
  for (int joint = 0; joint < runtime::NUI_SKELETON_POSITION_COUNT; ++joint) {
    skeleton.skeletonPositions[joint] = {0.0f, 0.0f, z, 1.0f};
    skeleton.skeletonPositionTrackingState[joint] = jointState;
  }
  return skeleton;
}

class SensorFixture : public ::testing::Test {
 protected:
  // The fake outlives the dialog: it owns every object the dialog holds.
  FakeNuiRuntime runtime;
  platform::headless::HeadlessShell shell{{}};
  FakeCanvas canvas;
  ManualClock clock;
  SensorTestDialog dialog{shell, canvas, clock, runtime};

  // Opens the connection and forgets the calls and messages of the open.
  void OpenQuietly() {
    ASSERT_EQ(dialog.OpenSensor(), S_OK);
    runtime.ClearCalls();
    shell.messages.clear();
  }
};

}  // namespace testsupport
