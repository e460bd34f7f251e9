// The height shown for a person: from the depth-image row of the face point and the depth
// under it, the point's height above the sensor's optical axis, plus the installation
// height and a fixed 10 cm, truncated to whole centimetres.
#pragma once

#include <cstdint>
#include <optional>

// depthRow is the row in the 640 x 480 depth image, depthMm the depth in millimetres. Empty
// when the result has no 32-bit integer (an absurd installation height, NaN, infinity).
std::optional<std::int32_t> HeightFromDepth(std::int32_t depthRow, std::uint32_t depthMm,
                                            float sensorHeightCm);
