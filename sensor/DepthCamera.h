// The depth camera's nominal model: focal length in pixels at 320 x 240 and its reciprocal,
// rounded. Skeleton points are re-derived with it and the face trackers are configured with it.
#pragma once

inline constexpr float kDepthFocal = 285.63f;
inline constexpr float kDepthFocalReciprocal = 0.003501f;
