// The two cameras of the simulated sensor. Camera space is the depth camera's: metres, x right,
// y up, z away from the sensor, optical axis level. The colour camera sits 25 mm to the right
// (+x) of the depth camera and looks the same way. Pixel u covers the continuous coordinate
// range [u, u + 1), so rays are cast through pixel centres and a projected point falls into
// the pixel its coordinates truncate to.
#pragma once

#include "runtime/sim/Vec3.h"

namespace sim {

inline constexpr int kImageWidth = 640;
inline constexpr int kImageHeight = 480;
inline constexpr int kPixelCount = kImageWidth * kImageHeight;

struct PinholeCamera {
  float focal;    // pixels
  float centreX;  // pixels
  float centreY;  // pixels
  float offsetX;  // camera position along x in camera space, metres

  Vec3 Origin() const { return {offsetX, 0.0f, 0.0f}; }

  // Direction of the ray through the centre of pixel (u, v), scaled so that its z is 1: the
  // ray parameter of a hit is then the hit's depth z.
  Vec3 RayDirection(int u, int v) const {
    const float perPixel = 1.0f / focal;
    return {(static_cast<float>(u) + 0.5f - centreX) * perPixel,
            -(static_cast<float>(v) + 0.5f - centreY) * perPixel, 1.0f};
  }

  // Continuous pixel coordinates of a camera-space point in front of the camera (z > 0).
  Vec2 Project(Vec3 p) const {
    return {centreX + (p.x - offsetX) * focal / p.z, centreY - p.y * focal / p.z};
  }
};

inline constexpr PinholeCamera kDepthCamera{571.26f, 320.0f, 240.0f, 0.0f};
inline constexpr PinholeCamera kColorCamera{531.15f, 320.0f, 240.0f, 0.025f};

}  // namespace sim
