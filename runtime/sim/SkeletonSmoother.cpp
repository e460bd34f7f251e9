#include "runtime/sim/SkeletonSmoother.h"

#include <algorithm>
#include <cmath>

namespace sim {

using namespace runtime;

namespace {

// Whether the frame smooths a skeleton with this tracking id.
bool Smoothed(const NUI_SKELETON_FRAME& frame, std::uint32_t trackingId) {
  return std::ranges::any_of(frame.skeletonData, [&](const NUI_SKELETON_DATA& skeleton) {
    return skeleton.trackingState != NUI_SKELETON_NOT_TRACKED && skeleton.trackingId == trackingId;
  });
}

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
  for (NUI_SKELETON_DATA& skeleton : frame.skeletonData) {
    if (skeleton.trackingState == NUI_SKELETON_NOT_TRACKED || skeleton.trackingId == 0) {
      continue;
    }
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
  // Ids of 0 never enter the map, so a filter is kept exactly when its skeleton was smoothed.
  std::erase_if(m_skeletons, [&](const auto& entry) { return !Smoothed(frame, entry.first); });
}

}  // namespace sim
