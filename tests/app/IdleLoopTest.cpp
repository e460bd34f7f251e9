// The idle pass: pacing of pictures, order of the steps, recovery after a failed fetch.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/NoSensorRuntime.h"
#include "support/FakeCanvas.h"
#include "support/ManualClock.h"
#include "support/RecordingDialog.h"

namespace {

using Calls = std::vector<std::string>;

class IdleLoopTest : public ::testing::Test {
 protected:
  platform::headless::HeadlessShell shell{{}};
  testsupport::FakeCanvas canvas;
  testsupport::ManualClock clock;
  runtime::NoSensorRuntime runtime;
  testsupport::RecordingDialog dialog{shell, canvas, clock, runtime};

  Calls Pass() {
    shell.calls.clear();
    EXPECT_EQ(dialog.OnKickIdle(0, 0), 1);
    return shell.calls;
  }
};

const Calls kPassWithoutPicture = {"AcquireFrames", "TrackFace:0", "TrackFace:1"};
const Calls kPassWithPicture = {"AcquireFrames", "RenderFrame", "TrackFace:0", "TrackFace:1"};

TEST_F(IdleLoopTest, FirstPassStartsTheClockAndDrawsNothing) {
  clock.now = 5000;
  EXPECT_EQ(Pass(), kPassWithoutPicture);
  EXPECT_EQ(dialog.m_lastRenderTime, 5000u);
  EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>{1});
}

struct PacingCase {
  std::uint32_t lastRender;
  std::uint32_t now;
  bool draws;
};

void PrintTo(const PacingCase& c, std::ostream* os) {
  *os << "last " << c.lastRender << " now " << c.now;
}

class IdlePacingTest : public IdleLoopTest, public ::testing::WithParamInterface<PacingCase> {};

TEST_P(IdlePacingTest, DrawsOnlyWhenMoreThan33MsHavePassed) {
  const PacingCase c = GetParam();
  dialog.m_lastRenderTime = c.lastRender;
  clock.now = c.now;
  EXPECT_EQ(Pass(), c.draws ? kPassWithPicture : kPassWithoutPicture);
  // The picture's time is the pass's start time; without a picture nothing changes.
  EXPECT_EQ(dialog.m_lastRenderTime, c.draws ? c.now : c.lastRender);
}

INSTANTIATE_TEST_SUITE_P(
    Elapsed, IdlePacingTest,
    ::testing::Values(PacingCase{1000, 1033, false}, PacingCase{1000, 1034, true},
                      PacingCase{1000, 1000, false},
                      // The counter wraps: 2^32 - 16 to 16 is 32 ms, to 18 is 34 ms.
                      PacingCase{4294967280u, 16, false}, PacingCase{4294967280u, 18, true}));

TEST_F(IdleLoopTest, CounterReadingZeroInADrawingPassRestartsTheClock) {
  dialog.m_lastRenderTime = 4294967000u;
  clock.now = 0;
  EXPECT_EQ(Pass(), kPassWithPicture);
  EXPECT_EQ(dialog.m_lastRenderTime, 0u);
  // The next pass takes 0 as "not started": it restarts the clock and draws nothing.
  clock.now = 40;
  EXPECT_EQ(Pass(), kPassWithoutPicture);
  EXPECT_EQ(dialog.m_lastRenderTime, 40u);
  clock.now = 74;
  EXPECT_EQ(Pass(), kPassWithPicture);
}

TEST_F(IdleLoopTest, FailedFetchInADrawingPassStillDrawsThenRestartsTheSensor) {
  dialog.m_lastRenderTime = 1000;
  clock.now = 2000;
  dialog.acquireResult = E_FAIL;
  const Calls expected = {"AcquireFrames", "RenderFrame", "TrackFace:0",
                          "TrackFace:1",   "CloseSensor", "OpenSensor"};
  EXPECT_EQ(Pass(), expected);
  EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>{1});
}

TEST_F(IdleLoopTest, PositiveResultOfTheFetchIsNoFailure) {
  dialog.acquireResult = 1;
  EXPECT_EQ(Pass(), kPassWithoutPicture);
}

TEST_F(IdleLoopTest, PicturesAreAtLeast34MsApartMeasuredBetweenPassStarts) {
  clock.now = 100;
  Pass();
  std::vector<std::uint32_t> drawnAt;
  for (std::uint32_t t = 101; t <= 300; ++t) {
    clock.now = t;
    const Calls calls = Pass();
    if (calls == kPassWithPicture) {
      drawnAt.push_back(t);
    }
  }
  EXPECT_EQ(drawnAt, (std::vector<std::uint32_t>{134, 168, 202, 236, 270}));
}

}  // namespace
