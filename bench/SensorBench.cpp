// Cost of frame acquisition with a colour, a depth and a skeleton frame ready, and of an idle
// pass with an open sensor and no frame ready (without the 1 ms sleep). Frames come from the
// in-memory fake runtime, which serves the same prepared frames on every request.
#include <benchmark/benchmark.h>

#include "SteppingClock.h"
#include "app/MeziroDlg.h"
#include "platform/headless/HeadlessShell.h"
#include "support/FakeCanvas.h"
#include "support/FakeNuiRuntime.h"
#include "support/SensorTestDialog.h"

namespace {

using namespace runtime;

struct Rig {
  testsupport::FakeNuiRuntime runtime;
  platform::headless::HeadlessShell shell{{}};
  testsupport::FakeCanvas canvas;
  SteppingClock clock;
  // Drawing is measured elsewhere.
  testsupport::SensorTestDialog dialog{shell, canvas, clock, runtime};

  Rig() {
    runtime.recordCalls = false;
    dialog.OpenSensor();
  }
};

// Argument: 1 when the fake mapper writes the whole point map (the runtime's own work), 0 when
// it writes nothing (the program's own cost alone).
void BM_AcquireFramesAllReady(benchmark::State& state) {
  Rig rig;
  rig.runtime.repeatFrames = true;
  rig.runtime.fillPointMap = state.range(0) != 0;
  rig.runtime.PushColorFrame({});
  rig.runtime.PushDepthFrame({});
  NUI_SKELETON_FRAME skeletons{};
  skeletons.skeletonData[0] = {};
  skeletons.skeletonData[0].trackingState = NUI_SKELETON_TRACKED;
  skeletons.skeletonData[0].trackingId = 1;
  skeletons.skeletonData[0].position = {0.1f, 0.2f, 2.0f, 1.0f};
  for (int joint = 0; joint < NUI_SKELETON_POSITION_COUNT; ++joint) {
    skeletons.skeletonData[0].skeletonPositions[joint] = {0.01f * joint, 0.02f * joint, 2.0f, 1.0f};
    skeletons.skeletonData[0].skeletonPositionTrackingState[joint] = NUI_SKELETON_POSITION_TRACKED;
  }
  rig.runtime.PushSkeletonFrame(skeletons);
  for (auto _ : state) {
    benchmark::DoNotOptimize(rig.dialog.AcquireFrames());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_AcquireFramesAllReady)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_IdlePassOpenSensorNoFrames(benchmark::State& state) {
  Rig rig;
  for (auto _ : state) {
    benchmark::DoNotOptimize(rig.dialog.OnKickIdle(0, 0));
  }
}
BENCHMARK(BM_IdlePassOpenSensorNoFrames)->Unit(benchmark::kMicrosecond);

}  // namespace
