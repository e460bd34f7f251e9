// The simulated runtime in real time: its producer thread renders frames by the steady clock
// and sets the events while the idle loop takes them. Run under ThreadSanitizer (a build
// with -DVANTOLU_SANITIZE=thread) to check the hand-over.
#include <chrono>
#include <thread>

#include "runtime/sim/SimRuntime.h"
#include "sim/StandingScene.h"
#include "support/SensorFixture.h"

namespace {

using namespace std::chrono;

// Counts the colour frames the idle loop takes.
class CountingDialog : public testsupport::SensorTestDialog {
 public:
  using SensorTestDialog::SensorTestDialog;
  HRESULT AcquireFrames() override {
    if (m_hNextColorFrameEvent && m_hNextColorFrameEvent->IsSet()) {
      ++colorFrames;
    }
    return SensorTestDialog::AcquireFrames();
  }
  int colorFrames = 0;
};

TEST(SimProducerThreadTest, IdleLoopTakesFramesTheProducerRendersInRealTime) {
  sim::SimRuntime runtime(simtest::StandingScene(172.0, 0.0, 3.5),
                          sim::SimRuntime::Timing::kRealTime);
  platform::headless::HeadlessShell shell{{}};
  testsupport::FakeCanvas canvas;
  testsupport::ManualClock clock;
  CountingDialog dialog{shell, canvas, clock, runtime};
  ASSERT_EQ(dialog.OpenSensor(), S_OK);

  // About half a second; longer only when rendering is slow (sanitizers), until three frames.
  const auto start = steady_clock::now();
  while ((steady_clock::now() - start < milliseconds(500) || dialog.colorFrames < 3) &&
         steady_clock::now() - start < seconds(20)) {
    dialog.OnKickIdle(0, 0);
    std::this_thread::sleep_for(milliseconds(1));
  }
  const double seconds = duration<double>(steady_clock::now() - start).count();

  EXPECT_GE(dialog.colorFrames, 3);
  // Never more than 30 frames a second (one spare for the frame due at the start).
  EXPECT_LE(dialog.colorFrames, static_cast<int>(seconds * 30.0) + 1);
  EXPECT_EQ(dialog.m_colorPitch, 640 * 4);
  EXPECT_EQ(dialog.m_userCount, 1);
  EXPECT_TRUE(dialog.m_users[0].faceTracked);

  // After the close no frame is signalled any more.
  const runtime::EventHandle colorEvent = dialog.m_hNextColorFrameEvent;
  dialog.CloseSensor();
  colorEvent->Reset();
  std::this_thread::sleep_for(milliseconds(100));
  EXPECT_FALSE(colorEvent->IsSet());
}

}  // namespace
