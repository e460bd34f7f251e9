// Conversion of a rendered frame set into the runtime's records.
#include "runtime/sim/DeliveredFrame.h"

#include <cstring>
#include <type_traits>

namespace sim {

namespace {

// The simulator's pixel records have the runtime's layout, so whole images copy bytewise.
static_assert(sizeof(DepthImagePixel) == sizeof(runtime::NUI_DEPTH_IMAGE_PIXEL));
static_assert(sizeof(DepthImagePoint) == sizeof(runtime::NUI_DEPTH_IMAGE_POINT));
static_assert(std::is_trivially_copyable_v<DepthImagePixel> &&
              std::is_trivially_copyable_v<runtime::NUI_DEPTH_IMAGE_PIXEL>);
static_assert(std::is_trivially_copyable_v<DepthImagePoint> &&
              std::is_trivially_copyable_v<runtime::NUI_DEPTH_IMAGE_POINT>);

template <class To, class From>
void CopyImage(const std::vector<From>& from, std::vector<To>& to) {
  static_assert(sizeof(To) == sizeof(From));
  to.resize(from.size());
  if (!from.empty()) {
    std::memcpy(to.data(), from.data(), from.size() * sizeof(From));
  }
}

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

void FillDeliveredFrame(const FrameSet& frames, std::uint32_t frameNumber, std::int64_t timeStampMs,
                        DeliveredFrame& out) {
  static_assert(kJointCount == runtime::NUI_SKELETON_POSITION_COUNT);
  static_assert(kSkeletonSlots == runtime::NUI_SKELETON_COUNT);
  out.frameNumber = frameNumber;
  out.timeStampMs = timeStampMs;
  out.color = frames.color;
  out.depth = frames.depth;
  CopyImage(frames.extendedDepth, out.extended);
  CopyImage(frames.pointMap, out.pointMap);
  out.skeletons.timeStamp = timeStampMs;
  out.skeletons.frameNumber = frameNumber;
  for (int s = 0; s < kSkeletonSlots; ++s) {
    out.skeletons.skeletonData[s] = ToSkeletonData(frames.skeletons[s]);
  }
  out.people = frames.people;
}

}  // namespace sim
