// The height a perfect display would show for a simulated person: the glabella's colour pixel,
// through the point map to a depth pixel, the depth and row there turned into a height by the
// display's own conversion.
#pragma once

#include <cstdint>
#include <optional>

#include "display/HeightReadout.h"
#include "runtime/sim/Cameras.h"
#include "runtime/sim/Frames.h"

namespace simtest {

inline std::optional<std::int32_t> ReadHeightCm(const sim::FrameSet& frames,
                                                const sim::PersonView& person,
                                                float sensorHeightCm) {
  const sim::Vec2 point = person.face.shapePoints[sim::kGlabellaPoint];
  const int cx = static_cast<int>(point.x);
  const int cy = static_cast<int>(point.y);
  if (cx < 0 || cy < 0 || cx >= sim::kImageWidth || cy >= sim::kImageHeight) return std::nullopt;
  const sim::DepthImagePoint mapped = frames.pointMap[cy * sim::kImageWidth + cx];
  if (mapped.x < 0 || mapped.y < 0 || mapped.x >= sim::kImageWidth || mapped.y >= sim::kImageHeight)
    return std::nullopt;
  const std::uint32_t depthMm = frames.depth[mapped.y * sim::kImageWidth + mapped.x] >> 3u;
  return HeightFromDepth(mapped.y, depthMm, sensorHeightCm);
}

}  // namespace simtest
