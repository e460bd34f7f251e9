// Cost of one simulated frame set through the runtime provider: AdvanceTo renders the next
// frame of the demo scene and readies it on the streams, AcquireFrames takes the colour,
// depth (with the point map) and skeleton frames into the program's buffers.
#include <benchmark/benchmark.h>

#include "app/MeziroDlg.h"
#include "platform/headless/HeadlessShell.h"
#include "runtime/sim/DemoScene.h"
#include "runtime/sim/SimRuntime.h"
#include "support/FakeCanvas.h"
#include "support/ManualClock.h"
#include "support/SensorTestDialog.h"

namespace {

void BM_SimRuntimeFrameSet(benchmark::State& state) {
  sim::SimRuntime runtime(sim::DemoScene(), sim::SimRuntime::Timing::kManual);
  platform::headless::HeadlessShell shell{{}};
  testsupport::FakeCanvas canvas;
  testsupport::ManualClock clock;
  // Drawing is measured elsewhere.
  testsupport::SensorTestDialog dialog{shell, canvas, clock, runtime};
  dialog.OpenSensor();
  // Start where both people stand in view.
  std::uint32_t ms = 5000;
  for (auto _ : state) {
    ms += 34;
    runtime.AdvanceTo(ms);
    benchmark::DoNotOptimize(dialog.AcquireFrames());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SimRuntimeFrameSet)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
