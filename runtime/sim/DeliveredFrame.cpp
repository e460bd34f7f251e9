// Conversion of a rendered frame set into the runtime's records.
#include "runtime/sim/DeliveredFrame.h"

namespace sim {

namespace {

runtime::Vector4 ToVector4(const Vector4& v) {
  return {v.x, v.y, v.z, v.w};
}

runtime::NUI_SKELETON_DATA ToSkeletonData(const SkeletonData& s) {
  runtime::NUI_SKELETON_DATA data{};
  data.trackingState = static_cast<runtime::NUI_SKELETON_TRACKING_STATE>(s.trackingState);
  data.trackingId = s.trackingId;
  data.position = ToVector4(s.position);
  for (int j = 0; j < runtime::NUI_SKELETON_POSITION_COUNT; ++j) {
    data.skeletonPositions[j] = ToVector4(s.joints[j]);
    data.skeletonPositionTrackingState[j] =
        static_cast<runtime::NUI_SKELETON_POSITION_TRACKING_STATE>(s.jointStates[j]);
  }
  return data;
}

}  // namespace

void RenderDeliveredFrame(Simulator& simulator, double seconds, std::uint32_t frameNumber,
                          std::int64_t timeStampMs, DeliveredFrame& out) {
  static_assert(kJointCount == runtime::NUI_SKELETON_POSITION_COUNT);
  static_assert(kSkeletonSlots == runtime::NUI_SKELETON_COUNT);
  simulator.Render(seconds, out.rendered);
  out.frameNumber = frameNumber;
  out.timeStampMs = timeStampMs;
  out.skeletons.timeStamp = timeStampMs;
  out.skeletons.frameNumber = frameNumber;
  for (int s = 0; s < kSkeletonSlots; ++s) {
    out.skeletons.skeletonData[s] = ToSkeletonData(out.Frames().skeletons[s]);
  }
}

}  // namespace sim
