// Sensor-like depth noise, applied only when the scene asks for it. A structured-light sensor
// measures disparity in steps of an eighth of a pixel, so the depth it reports comes in steps
// that grow with the square of the distance (about 4 mm at 1 m, 6 cm at 4 m). Beside the left
// edge of a nearer surface the projector's pattern is shadowed, and along silhouettes some
// pixels read nothing: those pixels read 0 with no player.
#pragma once

#include <cstdint>
#include <span>

#include "runtime/sim/Frames.h"

namespace sim {

// The depth a noisy sensor reports for a true depth z, both in metres.
float QuantisedDepthM(float z);

// A rectangle of pixels, first inclusive, last exclusive.
struct PixelRect {
  int x0 = 0;
  int y0 = 0;
  int x1 = 0;
  int y1 = 0;
  bool Empty() const { return x0 >= x1 || y0 >= y1; }
};

// Punches holes into the depth images along depth jumps inside `rect`. `trueDepthM` holds the
// noise-free depth per pixel (metres), which decides where the jumps are. `seed` varies the
// scattered holes from frame to frame, deterministically.
void PunchSilhouetteHoles(std::span<const float> trueDepthM, PixelRect rect, std::uint32_t seed,
                          std::span<std::uint16_t> depth, std::span<DepthImagePixel> extended);

}  // namespace sim
