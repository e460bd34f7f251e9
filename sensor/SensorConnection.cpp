// The sensor connection: frame events, the initialised sensor with its colour, depth and
// skeleton streams, background removal, the levelled camera and both users' face trackers.
#include <memory>

#include "app/MeziroDlg.h"

using namespace runtime;

namespace {

constexpr std::uint32_t kFrameLimit = 2;
constexpr std::uint32_t kWidth = 640;
constexpr std::uint32_t kHeight = 480;

}  // namespace

HRESULT CMeziroDlg::ShowFailure(std::string_view message) {
  m_shell.MessageBox(message);
  return E_FAIL;
}

HRESULT CMeziroDlg::OpenSensor() {
  m_hNextColorFrameEvent = std::make_shared<platform::ManualResetEvent>();
  m_hNextDepthFrameEvent = std::make_shared<platform::ManualResetEvent>();
  m_hNextSkeletonEvent = std::make_shared<platform::ManualResetEvent>();
  m_hBackgroundRemovedFrameEvent = std::make_shared<platform::ManualResetEvent>();

  int sensorCount = 0;
  if (FAILED(m_runtime.NuiGetSensorCount(&sensorCount))) {
    return ShowFailure("ERROR:NuiGetSensorCount");
  }
  if (sensorCount == 0) {
    return ShowFailure("Kinectが接続されていません");
  }

  INuiSensor* sensor = nullptr;
  const HRESULT created = m_runtime.NuiCreateSensorByIndex(0, &sensor);
  m_pNuiSensor.reset(sensor);
  if (FAILED(created) || !m_pNuiSensor) {
    return ShowFailure("ERROR:NuiCreateSensorByIndex");
  }

  if (FAILED(m_pNuiSensor->NuiStatus())) {
    return ShowFailure("Kinectが利用可能ではありません");
  }

  if (FAILED(m_pNuiSensor->NuiInitialize(NUI_INITIALIZE_FLAG_USES_DEPTH_AND_PLAYER_INDEX |
                                         NUI_INITIALIZE_FLAG_USES_COLOR |
                                         NUI_INITIALIZE_FLAG_USES_SKELETON))) {
    return ShowFailure("ERROR:NuiInitialize");
  }

  if (FAILED(m_pNuiSensor->NuiImageStreamOpen(NUI_IMAGE_TYPE_COLOR, NUI_IMAGE_RESOLUTION_640x480, 0,
                                              kFrameLimit, m_hNextColorFrameEvent,
                                              &m_hColorStream))) {
    return ShowFailure("ERROR:NuiImageStreamOpen RGBカメラ");
  }

  // A depth stream that refuses near mode is opened once more without it.
  const std::uint32_t depthFlags = m_nearMode ? NUI_IMAGE_STREAM_FLAG_ENABLE_NEAR_MODE : 0;
  const auto openDepth = [this](std::uint32_t flags) {
    return m_pNuiSensor->NuiImageStreamOpen(NUI_IMAGE_TYPE_DEPTH_AND_PLAYER_INDEX,
                                            NUI_IMAGE_RESOLUTION_640x480, flags, kFrameLimit,
                                            m_hNextDepthFrameEvent, &m_hDepthStream);
  };
  if (FAILED(openDepth(depthFlags)) && FAILED(openDepth(0))) {
    return ShowFailure("ERROR:NuiImageStreamOpen 深度カメラ");
  }

  // Skeleton tracking asks for the near range whenever near mode is wanted, even when the
  // depth stream fell back to the default range.
  const std::uint32_t skeletonFlags =
      m_nearMode ? NUI_SKELETON_TRACKING_FLAG_ENABLE_IN_NEAR_RANGE : 0;
  if (FAILED(m_pNuiSensor->NuiSkeletonTrackingEnable(m_hNextSkeletonEvent, skeletonFlags))) {
    return ShowFailure("ERROR:NuiSkeletonTrackingEnable");
  }

  INuiBackgroundRemovedColorStream* stream = nullptr;
  const HRESULT streamCreated =
      m_runtime.NuiCreateBackgroundRemovedColorStream(m_pNuiSensor.get(), &stream);
  m_pBackgroundRemovalStream.reset(stream);
  if (FAILED(streamCreated)) {
    return streamCreated;
  }
  if (!m_pBackgroundRemovalStream) {
    return E_POINTER;
  }

  const HRESULT result = m_pBackgroundRemovalStream->Enable(
      NUI_IMAGE_RESOLUTION_640x480, NUI_IMAGE_RESOLUTION_640x480, m_hBackgroundRemovedFrameEvent);

  m_colorWidth = kWidth;
  m_colorHeight = kHeight;
  m_depthWidth = kWidth;
  m_depthHeight = kHeight;

  if (!m_pDepthPoints) {
    m_depthPointCount = std::size_t{m_colorWidth} * m_colorHeight;
    m_pDepthPoints = std::make_unique<NUI_DEPTH_IMAGE_POINT[]>(m_depthPointCount);
  }

  m_pNuiSensor->NuiCameraElevationSetAngle(0);

  // A failed creation has shown its own message; the buffers are sized all the same (new
  // bytes are zero, a buffer of the right size keeps its pixels).
  for (int user = 0; user < 2; ++user) {
    CreateFaceTracking(user);
  }
  m_colorPixels.resize(std::size_t{m_colorWidth} * m_colorHeight * 4);
  m_depthPixels.resize(std::size_t{m_depthWidth} * m_depthHeight);
  return result;
}

void CMeziroDlg::CloseSensor() {
  if (m_pNuiSensor) {
    m_pNuiSensor->NuiShutdown();
  }

  for (int user = 0; user < 2; ++user) {
    m_pFaceResult[user].reset();
    m_pFaceColorImage[user].reset();
    m_pFaceDepthImage[user].reset();
    m_pFaceTracker[user].reset();
  }
  // The shape points belonged to the released results.
  for (TrackedUser& user : m_users) {
    user.ForgetFace();
  }

  m_hNextColorFrameEvent.reset();
  m_hNextDepthFrameEvent.reset();
  m_hNextSkeletonEvent.reset();
  m_hBackgroundRemovedFrameEvent.reset();

  m_pBackgroundRemovalStream.reset();

  m_pDepthPoints.reset();
  m_depthPointCount = 0;

  m_pNuiSensor.reset();
}
