// Cost of one idle pass of the main dialog when no frame is ready, without the 1 ms sleep.
#include <benchmark/benchmark.h>

#include "app/MeziroDlg.h"
#include "platform/Clock.h"
#include "platform/headless/HeadlessShell.h"
#include "runtime/NoSensorRuntime.h"

namespace {

// A clock that advances 1 ms per reading and does not sleep, so the pass is measured alone.
class SteppingClock : public platform::Clock {
 public:
  std::uint32_t TimeGetTime() override { return ++m_now; }
  void Sleep(std::uint32_t) override {}

 private:
  std::uint32_t m_now = 1;
};

class NullCanvas : public platform::Canvas {
 public:
  bool IsAttached() override { return false; }
  void GetDeviceContext() override {}
  void ReleaseDeviceContext() override {}
  bool SetupPixelFormat() override { return false; }
  void CreateContext() override {}
  void DeleteContext() override {}
  bool MakeCurrent() override { return false; }
  void DoneCurrent() override {}
  void SwapBuffers() override {}
  platform::ClientSize GetClientSize() override { return {}; }
  void MoveWindow(int, int, int, int) override {}
};

void BM_IdlePassNoFrames(benchmark::State& state) {
  platform::headless::HeadlessShell shell({});
  NullCanvas canvas;
  SteppingClock clock;
  runtime::NoSensorRuntime runtime;
  CMeziroDlg dialog(shell, canvas, clock, runtime);
  for (auto _ : state) {
    benchmark::DoNotOptimize(dialog.OnKickIdle(0, 0));
  }
}
BENCHMARK(BM_IdlePassNoFrames);

}  // namespace
