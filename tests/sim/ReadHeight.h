// The height a perfect display would show for a simulated person: the glabella's colour pixel,
// through the point map to a depth pixel, the depth and row there turned into a height above
// the floor, plus the fixed 10 cm allowance, truncated.
#pragma once

#include <optional>

#include "runtime/sim/Cameras.h"
#include "runtime/sim/Frames.h"

namespace simtest {

inline std::optional<int> ReadHeightCm(const sim::FrameSet& frames, const sim::PersonView& person,
                                       float sensorHeightCm) {
  const sim::Vec2 point = person.face.shapePoints[sim::kGlabellaPoint];
  const int cx = static_cast<int>(point.x);
  const int cy = static_cast<int>(point.y);
  if (cx < 0 || cy < 0 || cx >= sim::kImageWidth || cy >= sim::kImageHeight) return std::nullopt;
  const sim::DepthImagePoint mapped = frames.pointMap[cy * sim::kImageWidth + cx];
  if (mapped.x < 0 || mapped.y < 0 || mapped.x >= sim::kImageWidth || mapped.y >= sim::kImageHeight)
    return std::nullopt;
  const unsigned raw = frames.depth[mapped.y * sim::kImageWidth + mapped.x];
  const float z = static_cast<float>(raw >> 3) / 1000.0f;
  const float y = ((static_cast<float>(mapped.y) - 240.0f) * 0.5f) * -0.003501f * z;
  return static_cast<int>(y * 100.0f + sensorHeightCm + 10.0f);
}

}  // namespace simtest
