// Skeleton slot content from a posed body.
#include "runtime/sim/Skeletons.h"

#include "runtime/sim/Cameras.h"

namespace sim {

namespace {

bool InsideDepthImage(Vec3 p) {
  if (!(p.z > 0.0f)) return false;
  const Vec2 d = kDepthCamera.Project(p);
  return d.x > 0.0f && d.y > 0.0f && d.x < static_cast<float>(kImageWidth) &&
         d.y < static_cast<float>(kImageHeight);
}

Vector4 Point(Vec3 p) {
  return {p.x, p.y, p.z, 1.0f};
}

}  // namespace

SkeletonData ObserveSkeleton(const Body& body) {
  SkeletonData data;
  const Vec3 hip = body.joints[kHipCentre];
  if (!InsideDepthImage(hip)) return data;
  data.trackingId = static_cast<std::uint32_t>(body.playerIndex);
  data.position = Point(hip);
  if (hip.z > kSkeletonRangeM) {
    data.trackingState = kSkeletonPositionOnly;
    return data;
  }
  data.trackingState = kSkeletonTracked;
  for (int j = 0; j < kJointCount; ++j) {
    data.joints[j] = Point(body.joints[j]);
    data.jointStates[j] = InsideDepthImage(body.joints[j]) ? kJointTracked : kJointNotTracked;
  }
  return data;
}

}  // namespace sim
