// Face tracking per user record: a tracker, its result and two images that read the
// acquisition buffers in place. Each step starts or continues tracking with the user's neck
// and head as a hint and keeps the face's 2-D shape points.
#include "app/MeziroDlg.h"
#include "sensor/DepthCamera.h"

using namespace runtime;

namespace {

constexpr float kColorFocal = 531.15f;

}  // namespace

HRESULT CMeziroDlg::CreateFaceTracking(int userIndex) {
  m_pFaceTracker[userIndex].reset(m_runtime.FTCreateFaceTracker());
  if (!m_pFaceTracker[userIndex]) {
    return ShowFailure("ERROR:FTCreateFaceTracker");
  }

  m_videoCameraConfig = {m_colorWidth, m_colorHeight,
                         static_cast<float>(m_colorWidth / 640) * kColorFocal};
  m_depthCameraConfig = {m_depthWidth, m_depthHeight,
                         static_cast<float>(m_depthWidth / 320) * kDepthFocal};
  if (FAILED(m_pFaceTracker[userIndex]->Initialize(&m_videoCameraConfig, &m_depthCameraConfig))) {
    return ShowFailure("ERROR:FTInitialize");
  }

  IFTResult* result = nullptr;
  const HRESULT created = m_pFaceTracker[userIndex]->CreateFTResult(&result);
  m_pFaceResult[userIndex].reset(result);
  if (FAILED(created) || !m_pFaceResult[userIndex]) {
    return ShowFailure("ERROR:CreateFTResult");
  }

  m_pFaceColorImage[userIndex].reset(m_runtime.FTCreateImage());
  m_pFaceDepthImage[userIndex].reset(m_runtime.FTCreateImage());
  if (!m_pFaceColorImage[userIndex] || !m_pFaceDepthImage[userIndex]) {
    return ShowFailure("ERROR:FTCreateImage");
  }
  return created;
}

HRESULT CMeziroDlg::TrackFace(int userIndex) {
  TrackedUser& user = m_users[userIndex];
  IFTFaceTracker* tracker = m_pFaceTracker[userIndex].get();
  IFTResult* result = m_pFaceResult[userIndex].get();
  IFTImage* colorImage = m_pFaceColorImage[userIndex].get();
  IFTImage* depthImage = m_pFaceDepthImage[userIndex].get();
  if (!tracker || !result || !colorImage || !depthImage) {
    user.ForgetFace();
    return S_OK;
  }

  colorImage->Attach(m_colorWidth, m_colorHeight, m_colorPixels.data(),
                     FTIMAGEFORMAT_UINT8_B8G8R8X8, m_colorWidth * 4);
  depthImage->Attach(m_depthWidth, m_depthHeight, m_depthPixels.data(), FTIMAGEFORMAT_UINT16_D13P3,
                     m_depthWidth * 2);
  const FT_SENSOR_DATA sensorData{colorImage, depthImage, 1.0f, {0, 0}};

  FTHeadHints& hints = m_headHints[userIndex];
  const FTHeadHints* hint = SUCCEEDED(GetHeadHint(userIndex, &hints)) ? &hints : nullptr;
  if (user.faceTracked) {
    tracker->ContinueTracking(&sensorData, hint, result);
  } else {
    tracker->StartTracking(&sensorData, hint, result);
  }

  // Until the points are read again, none are offered: the old ones went with the update.
  user.ForgetFace();
  user.faceTracked = SUCCEEDED(result->GetStatus());
  if (!user.faceTracked) {
    result->Reset();
    return S_OK;
  }

  FT_VECTOR2D* points = nullptr;
  std::uint32_t pointCount = 0;
  const HRESULT read = result->Get2DShapePoints(&points, &pointCount);
  if (FAILED(read)) {
    m_shell.OutputDebugString("Get2DShapePoints Failed\n");
    return read;
  }
  user.shapePoints = points;
  user.shapePointCount = points != nullptr ? pointCount : 0;
  return read;
}

HRESULT CMeziroDlg::GetHeadHint(int userIndex, FTHeadHints* hints) {
  if (hints == nullptr) {
    return E_POINTER;
  }
  const std::int32_t slot = m_users[userIndex].skeletonSlot;
  if (slot < 1 || slot > NUI_SKELETON_COUNT) {
    return E_FAIL;
  }
  const NUI_SKELETON_DATA& skeleton = m_skeletons[slot - 1];
  if (skeleton.trackingState != NUI_SKELETON_TRACKED ||
      skeleton.skeletonPositionTrackingState[NUI_SKELETON_POSITION_HEAD] !=
          NUI_SKELETON_POSITION_TRACKED ||
      skeleton.skeletonPositionTrackingState[NUI_SKELETON_POSITION_SHOULDER_CENTER] !=
          NUI_SKELETON_POSITION_TRACKED) {
    return E_FAIL;
  }
  const Vector4& neck = skeleton.skeletonPositions[NUI_SKELETON_POSITION_SHOULDER_CENTER];
  const Vector4& head = skeleton.skeletonPositions[NUI_SKELETON_POSITION_HEAD];
  (*hints)[0] = {neck.x, neck.y, neck.z};
  (*hints)[1] = {head.x, head.y, head.z};
  return S_OK;
}
