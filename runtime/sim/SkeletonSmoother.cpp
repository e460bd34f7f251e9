#include "runtime/sim/SkeletonSmoother.h"

#include <cmath>
#include <set>

namespace sim {

using namespace runtime;

namespace {

// Share of the new point in the smoothed value, share of the new trend, and how far (metres)
// the output may stray from the raw point.
constexpr float kNewPointWeight = 0.5f;
constexpr float kTrendWeight = 0.5f;
constexpr float kMaxDeviationM = 0.04f;

}  // namespace

void SkeletonSmoother::Filter(PointFilter& filter, Vector4& point) {
  float raw[3] = {point.x, point.y, point.z};
  if (!filter.started) {
    filter.started = true;
    for (int c = 0; c < 3; ++c) {
      filter.value[c] = raw[c];
      filter.trend[c] = 0.0f;
    }
    return;
  }
  float out[3];
  float deviation = 0.0f;
  for (int c = 0; c < 3; ++c) {
    // Written as corrections to the prediction, so a still point stays exactly where it is.
    const float predicted = filter.value[c] + filter.trend[c];
    const float value = predicted + kNewPointWeight * (raw[c] - predicted);
    filter.trend[c] += kTrendWeight * ((value - filter.value[c]) - filter.trend[c]);
    filter.value[c] = value;
    out[c] = value;
    deviation += (out[c] - raw[c]) * (out[c] - raw[c]);
  }
  deviation = std::sqrt(deviation);
  if (deviation > kMaxDeviationM) {
    const float scale = kMaxDeviationM / deviation;
    for (int c = 0; c < 3; ++c) {
      out[c] = raw[c] + (out[c] - raw[c]) * scale;
    }
  }
  point.x = out[0];
  point.y = out[1];
  point.z = out[2];
}

void SkeletonSmoother::Smooth(NUI_SKELETON_FRAME& frame) {
  std::set<std::uint32_t> seen;
  for (NUI_SKELETON_DATA& skeleton : frame.skeletonData) {
    if (skeleton.trackingState == NUI_SKELETON_NOT_TRACKED || skeleton.trackingId == 0) {
      continue;
    }
    seen.insert(skeleton.trackingId);
    SkeletonFilter& filters = m_skeletons[skeleton.trackingId];
    Filter(filters[NUI_SKELETON_POSITION_COUNT], skeleton.position);
    for (int j = 0; j < NUI_SKELETON_POSITION_COUNT; ++j) {
      if (skeleton.trackingState != NUI_SKELETON_TRACKED ||
          skeleton.skeletonPositionTrackingState[j] == NUI_SKELETON_POSITION_NOT_TRACKED) {
        filters[j] = PointFilter{};
        continue;
      }
      Filter(filters[j], skeleton.skeletonPositions[j]);
    }
  }
  std::erase_if(m_skeletons, [&](const auto& entry) { return !seen.contains(entry.first); });
}

}  // namespace sim
