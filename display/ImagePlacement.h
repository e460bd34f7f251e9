// Where the camera picture lies on the canvas: scaled by the larger of the two ratios so that
// it covers the canvas, centred, the overflow cut off (an odd extra pixel on the right or at
// the bottom).
#pragma once

#include <cstdint>
#include <optional>

struct ImagePlacement {
  float scale = 0.0f;        // window pixels per camera-image pixel
  std::int32_t originX = 0;  // window position of the picture's top-left corner, 0 or less
  std::int32_t originY = 0;
  std::int32_t drawnWidth = 0;  // size of the picture's quad in window pixels
  std::int32_t drawnHeight = 0;
};

// Places an imageWidth x imageHeight picture on a canvasWidth x canvasHeight canvas. Empty
// when the picture has no size (no sensor opened) or its drawn size has no integer.
std::optional<ImagePlacement> PlaceCameraImage(std::int32_t canvasWidth, std::int32_t canvasHeight,
                                               std::uint32_t imageWidth, std::uint32_t imageHeight);
