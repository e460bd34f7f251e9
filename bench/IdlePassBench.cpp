// Cost of one idle pass of the main dialog when no frame is ready, without the 1 ms sleep.
#include <benchmark/benchmark.h>

#include "SteppingClock.h"
#include "app/MeziroDlg.h"
#include "platform/headless/HeadlessShell.h"
#include "runtime/NoSensorRuntime.h"
#include "support/FakeCanvas.h"

namespace {

void BM_IdlePassNoFrames(benchmark::State& state) {
  platform::headless::HeadlessShell shell({});
  testsupport::FakeCanvas canvas;
  SteppingClock clock;
  runtime::NoSensorRuntime runtime;
  CMeziroDlg dialog(shell, canvas, clock, runtime);
  for (auto _ : state) {
    benchmark::DoNotOptimize(dialog.OnKickIdle(0, 0));
  }
}
BENCHMARK(BM_IdlePassNoFrames);

}  // namespace
