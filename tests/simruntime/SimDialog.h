// The program's main dialog over the simulated runtime in manual timing, the headless shell
// and a manual clock. Drawing does nothing, so idle passes run without a GL surface; each
// pass first makes the frame set due at a given time ready.
#pragma once

#include <cstdint>
#include <optional>

#include "display/HeightReadout.h"
#include "runtime/sim/SimRuntime.h"
#include "support/SensorFixture.h"

namespace simruntimetest {

inline constexpr float kSensorHeightCm = 75.5f;

struct SimDialog {
  explicit SimDialog(sim::Scene scene)
      : runtime(std::move(scene), sim::SimRuntime::Timing::kManual) {}

  // Frame set due at `milliseconds` ready, then one idle pass.
  void PassAt(std::uint32_t milliseconds) {
    runtime.AdvanceTo(milliseconds);
    clock.now += 34;
    dialog.OnKickIdle(0, 0);
  }

  // The height the readout would show for user record `user`: shape point 15 through the
  // point map to the depth pixel and its row. Empty when the readout would skip the user.
  std::optional<std::int32_t> DisplayedHeight(int user) const {
    const TrackedUser& record = dialog.m_users[user];
    if (record.skeletonSlot == -1 || !record.faceTracked || record.shapePoints == nullptr ||
        record.shapePointCount <= 15 || !dialog.m_pDepthPoints) {
      return std::nullopt;
    }
    const int cx = static_cast<int>(record.shapePoints[15].x);
    const int cy = static_cast<int>(record.shapePoints[15].y);
    if (cx < 0 || cy < 0 || cx >= 640 || cy >= 480) {
      return std::nullopt;
    }
    const runtime::NUI_DEPTH_IMAGE_POINT point = dialog.m_pDepthPoints[cy * 640 + cx];
    if (point.x < 0 || point.y < 0 || point.x >= 640 || point.y >= 480) {
      return std::nullopt;
    }
    const std::uint32_t depthMm = dialog.m_depthPixels[point.y * 640 + point.x] >> 3u;
    return HeightFromDepth(point.y, depthMm, kSensorHeightCm);
  }

  sim::SimRuntime runtime;
  platform::headless::HeadlessShell shell{{}};
  testsupport::FakeCanvas canvas;
  testsupport::ManualClock clock;
  testsupport::SensorTestDialog dialog{shell, canvas, clock, runtime};
};

}  // namespace simruntimetest
