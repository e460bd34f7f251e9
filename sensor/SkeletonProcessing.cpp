// Skeleton processing: the first two tracked skeletons of a frame become user records 0 and
// 1, and their points are moved onto the surface the depth image sees.
#include "app/MeziroDlg.h"
#include "sensor/DepthCamera.h"

using namespace runtime;

namespace {

constexpr float kCentreX = 320.0f;
constexpr float kCentreY = 240.0f;
constexpr float kEpsilon = 1.1920929e-7f;

}  // namespace

void CMeziroDlg::RederivePoint(const Vector4& in, Vector4& out) const {
  float dx = 0.0f;
  float dy = 0.0f;
  if (in.z > kEpsilon) {
    dx = in.x * 2.0f * kDepthFocal / in.z + kCentreX;
    dy = kCentreY - in.y * 2.0f * kDepthFocal / in.z;
  }
  // NaN fails every comparison and infinities fail the upper bounds, so only finite points
  // strictly inside the image get through.
  const bool inside = dx < static_cast<float>(m_depthWidth) &&
                      dy < static_cast<float>(m_depthHeight) && dx > 0.0f && dy > 0.0f;
  if (!inside) {
    return;
  }
  const auto px = static_cast<std::uint32_t>(dx);
  const auto py = static_cast<std::uint32_t>(dy);
  // Float rounding of a large frame size could let the last column through.
  if (px >= m_depthWidth || py >= m_depthHeight) {
    return;
  }
  const std::size_t index = std::size_t{py} * m_depthWidth + px;
  if (index >= m_depthPixels.size()) {
    return;
  }
  const float z =
      static_cast<float>(m_depthPixels[index] >> NUI_IMAGE_PLAYER_INDEX_SHIFT) / 1000.0f;
  const float x = (static_cast<float>(px) - kCentreX) * 0.5f * kDepthFocalReciprocal * z;
  const float y = (static_cast<float>(py) - kCentreY) * 0.5f * (-kDepthFocalReciprocal) * z;
  out = {x, y, z, 1.0f};
}

void CMeziroDlg::ProcessSkeletonFrame(const NUI_SKELETON_FRAME& frame) {
  for (TrackedUser& user : m_users) {
    user.skeletonSlot = -1;
  }
  m_userCount = 0;

  for (int slot = 0; slot < NUI_SKELETON_COUNT; ++slot) {
    const NUI_SKELETON_DATA& source = frame.skeletonData[slot];
    NUI_SKELETON_DATA& skeleton = m_skeletons[slot];
    skeleton.trackingState = source.trackingState;
    if (source.trackingState != NUI_SKELETON_TRACKED || m_userCount >= 2) {
      continue;
    }
    m_users[m_userCount].skeletonSlot = slot + 1;
    ++m_userCount;
    RederivePoint(source.position, skeleton.position);
    for (int joint = 0; joint < NUI_SKELETON_POSITION_COUNT; ++joint) {
      skeleton.skeletonPositionTrackingState[joint] = source.skeletonPositionTrackingState[joint];
      if (source.skeletonPositionTrackingState[joint] != NUI_SKELETON_POSITION_NOT_TRACKED) {
        RederivePoint(source.skeletonPositions[joint], skeleton.skeletonPositions[joint]);
      }
    }
  }
}
