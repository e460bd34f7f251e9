// Storage the simulator renders a frame set into. Besides the frames it remembers the
// rectangles the people covered when it was last rendered: outside them its images show the
// empty room, so rendering into it again restores only those rectangles. A target starts
// empty; the first render fills it whole. A target belongs to the simulator that first
// rendered into it.
#pragma once

#include <vector>

#include "runtime/sim/DepthNoise.h"
#include "runtime/sim/Frames.h"

namespace sim {

struct FrameTarget {
  FrameSet frames;
  std::vector<PixelRect> depthCovered;  // in the packed and extended depth images
  std::vector<PixelRect> colorCovered;  // in the colour picture and the point map
};

}  // namespace sim
