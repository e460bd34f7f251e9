// Conversion of a rendered frame set into the runtime's records.
#include "runtime/sim/DeliveredFrame.h"

#include <cstddef>
#include <type_traits>

namespace sim {

namespace {

// The simulator's pixel records have the runtime's layout, so textures and the mapper hand
// out the simulator's images as they are.
static_assert(sizeof(DepthImagePixel) == sizeof(runtime::NUI_DEPTH_IMAGE_PIXEL));
static_assert(sizeof(DepthImagePoint) == sizeof(runtime::NUI_DEPTH_IMAGE_POINT));
static_assert(offsetof(DepthImagePixel, playerIndex) ==
                  offsetof(runtime::NUI_DEPTH_IMAGE_PIXEL, playerIndex) &&
              offsetof(DepthImagePixel, depth) == offsetof(runtime::NUI_DEPTH_IMAGE_PIXEL, depth));
static_assert(offsetof(DepthImagePoint, x) == offsetof(runtime::NUI_DEPTH_IMAGE_POINT, x) &&
              offsetof(DepthImagePoint, y) == offsetof(runtime::NUI_DEPTH_IMAGE_POINT, y) &&
              offsetof(DepthImagePoint, depth) == offsetof(runtime::NUI_DEPTH_IMAGE_POINT, depth));
static_assert(std::is_trivially_copyable_v<DepthImagePixel> &&
              std::is_trivially_copyable_v<runtime::NUI_DEPTH_IMAGE_PIXEL>);
static_assert(std::is_trivially_copyable_v<DepthImagePoint> &&
              std::is_trivially_copyable_v<runtime::NUI_DEPTH_IMAGE_POINT>);

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
