// Storage the simulator renders a frame set into. Besides the frames it remembers the
// rectangles the people covered when it was last rendered: outside them its images show the
// empty room, so rendering into it again restores only those rectangles. A target starts
// empty; the first render fills it whole. A target belongs to the simulator that first
// rendered into it.
//
// The point map is the largest image and differs from the room's only where people are. A
// target with pointMapInPatches set keeps frames.pointMap empty and holds instead, for each
// rectangle of colorCovered in turn, that rectangle's points row by row; the simulator's
// CopyPointMap lays them over the room's point map.
#pragma once

#include <vector>

#include "runtime/sim/DepthNoise.h"
#include "runtime/sim/Frames.h"

namespace sim {

struct FrameTarget {
  bool pointMapInPatches = false;
  FrameSet frames;
  std::vector<PixelRect> depthCovered;   // in the packed and extended depth images
  std::vector<PixelRect> colorCovered;   // in the colour picture and the point map
  std::vector<DepthImagePoint> patches;  // with pointMapInPatches only
};

}  // namespace sim
