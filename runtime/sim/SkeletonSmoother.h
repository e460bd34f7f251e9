// The skeleton smoothing filter of the simulated runtime: per tracked skeleton (by tracking
// id) and per joint, double exponential smoothing of the camera-space points (a smoothed
// value and a trend), the output kept within a few centimetres of the raw point.
// A point that stands still comes out exactly as it went in; a point moving at constant speed
// is followed without lag once the trend has settled. A skeleton seen for the first time, or
// a joint that was not tracked in the previous frame, starts from its raw point.
#pragma once

#include <array>
#include <cstdint>
#include <map>

#include "runtime/NuiTypes.h"

namespace sim {

class SkeletonSmoother {
 public:
  // Smooths the joints and positions of the frame's tracked and position-only skeletons in
  // place, and forgets skeletons no longer in the frame.
  void Smooth(runtime::NUI_SKELETON_FRAME& frame);

 private:
  struct PointFilter {
    bool started = false;
    float value[3] = {};
    float trend[3] = {};
  };
  // Joints 0..19, then the skeleton's position.
  using SkeletonFilter = std::array<PointFilter, runtime::NUI_SKELETON_POSITION_COUNT + 1>;

  static void Filter(PointFilter& filter, runtime::Vector4& point);

  std::map<std::uint32_t, SkeletonFilter> m_skeletons;
};

}  // namespace sim
