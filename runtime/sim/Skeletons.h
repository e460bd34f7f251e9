// Skeleton tracking of the simulated sensor: a person whose hip centre lies inside the depth
// image is tracked up to 4 m away and tracked by position only beyond; each joint is tracked
// when it lies inside the depth image.
#pragma once

#include "runtime/sim/Body.h"
#include "runtime/sim/Frames.h"

namespace sim {

inline constexpr float kSkeletonRangeM = 4.0f;

// The skeleton slot content for one posed person.
SkeletonData ObserveSkeleton(const Body& body);

}  // namespace sim
