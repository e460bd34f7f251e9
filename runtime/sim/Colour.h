// An RGB colour of the simulated scene and its brightness scaling.
#pragma once

#include <algorithm>
#include <cstdint>

namespace sim {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  // Pads a colour to four bytes: returned from a function it then travels in one register
  // instead of being put together byte by byte on the stack, which stalled the shading loop.
  std::uint8_t unused = 0;
};

// The colour with each channel multiplied by f, saturating at 0 and 255.
inline Rgb Scaled(Rgb c, float f) {
  auto channel = [f](std::uint8_t v) {
    return static_cast<std::uint8_t>(std::clamp(static_cast<float>(v) * f, 0.0f, 255.0f));
  };
  return {channel(c.r), channel(c.g), channel(c.b)};
}

}  // namespace sim
