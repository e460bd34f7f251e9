// Depth quantisation and silhouette holes.
#include "runtime/sim/DepthNoise.h"

#include <cmath>

#include "runtime/sim/Cameras.h"

namespace sim {

namespace {

// Focal length times projector baseline, in pixel metres: disparity = kFocalBaseline / z.
constexpr float kFocalBaseline = 571.26f * 0.075f;
constexpr float kDisparityStep = 0.125f;
constexpr float kJumpM = 0.08f;  // a depth jump that makes a silhouette

std::uint32_t Mix(std::uint32_t h) {
  h ^= h >> 16;
  h *= 0x7feb352du;
  h ^= h >> 15;
  h *= 0x846ca68bu;
  h ^= h >> 16;
  return h;
}

}  // namespace

float QuantisedDepthM(float z) {
  if (!(z > 0.0f)) return z;
  const float steps = std::round(kFocalBaseline / z / kDisparityStep);
  return steps > 0.0f ? kFocalBaseline / (steps * kDisparityStep) : z;
}

void PunchSilhouetteHoles(std::span<const float> trueDepthM, PixelRect rect, std::uint32_t seed,
                          std::span<std::uint16_t> depth, std::span<DepthImagePixel> extended) {
  for (int y = rect.y0; y < rect.y1; ++y) {
    const float* row = trueDepthM.data() + static_cast<std::size_t>(y) * kImageWidth;
    for (int x = rect.x0; x < rect.x1; ++x) {
      const float z = row[x];
      // Shadow: a nearer surface one or two pixels to the left.
      bool hole = (x >= 1 && row[x - 1] < z - kJumpM) || (x >= 2 && row[x - 2] < z - kJumpM);
      // Ragged edge: a farther neighbour on either side, every other pixel or so.
      if (!hole) {
        const bool edge = (x >= 1 && row[x - 1] > z + kJumpM) ||
                          (x + 1 < kImageWidth && row[x + 1] > z + kJumpM) ||
                          (y >= 1 && row[x - kImageWidth] > z + kJumpM) ||
                          (y + 1 < kImageHeight && row[x + kImageWidth] > z + kJumpM);
        hole = edge && (Mix(seed ^ static_cast<std::uint32_t>(y * kImageWidth + x)) & 1u) != 0;
      }
      if (hole) {
        const std::size_t i = static_cast<std::size_t>(y) * kImageWidth + x;
        depth[i] = 0;
        extended[i] = {};
      }
    }
  }
}

}  // namespace sim
