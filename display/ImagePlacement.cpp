#include "display/ImagePlacement.h"

#include "display/Truncate.h"

std::optional<ImagePlacement> PlaceCameraImage(std::int32_t canvasWidth, std::int32_t canvasHeight,
                                               std::uint32_t imageWidth,
                                               std::uint32_t imageHeight) {
  if (imageWidth == 0 || imageHeight == 0 || canvasWidth < 0 || canvasHeight < 0) {
    return std::nullopt;
  }
  const float iw = static_cast<float>(imageWidth);
  const float ih = static_cast<float>(imageHeight);
  const float sx = static_cast<float>(canvasWidth) / iw;
  const float sy = static_cast<float>(canvasHeight) / ih;

  ImagePlacement placement;
  if (sy > sx) {
    const std::optional<std::int32_t> drawnWidth = TruncateToInt32(iw * sy);
    if (!drawnWidth) {
      return std::nullopt;
    }
    placement.scale = sy;
    placement.drawnWidth = *drawnWidth;
    placement.drawnHeight = canvasHeight;
    placement.originX = -((placement.drawnWidth - canvasWidth) / 2);
  } else {
    const std::optional<std::int32_t> drawnHeight = TruncateToInt32(ih * sx);
    if (!drawnHeight) {
      return std::nullopt;
    }
    placement.scale = sx;
    placement.drawnWidth = canvasWidth;
    placement.drawnHeight = *drawnHeight;
    placement.originY = -((placement.drawnHeight - canvasHeight) / 2);
  }
  return placement;
}
