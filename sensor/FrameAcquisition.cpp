// Frame acquisition: takes the ready colour, depth and skeleton frames without waiting,
// copies their pixels into the buffers sized at connection open, refreshes the colour-to-depth
// point map and hands skeleton frames on to player choice and skeleton processing.
#include <algorithm>
#include <cstring>

#include "app/MeziroDlg.h"

using namespace runtime;

namespace {

// Copies the locked bytes of a texture into dest, never more than dest holds. Returns the
// row pitch the texture reported (0 when it could not be locked).
std::int32_t CopyTexture(INuiFrameTexture& texture, void* dest, std::size_t destBytes) {
  NUI_LOCKED_RECT locked{};
  texture.LockRect(0, &locked, 0);
  if (locked.pBits != nullptr && locked.size > 0) {
    const std::size_t bytes = std::min(static_cast<std::size_t>(locked.size), destBytes);
    if (bytes > 0) {
      std::memcpy(dest, locked.pBits, bytes);
    }
  }
  texture.UnlockRect(0);
  return locked.pitch;
}

bool IsSignalled(const EventHandle& event) {
  return event && event->IsSet();
}

}  // namespace

HRESULT CMeziroDlg::AcquireFrames() {
  // Events are only handed to a provider through an open sensor.
  if (!m_pNuiSensor) {
    return S_OK;
  }
  HRESULT result = S_OK;

  if (IsSignalled(m_hNextColorFrameEvent)) {
    NUI_IMAGE_FRAME frame{};
    m_pNuiSensor->NuiImageStreamGetNextFrame(m_hColorStream, 0, &frame);
    if (frame.pFrameTexture == nullptr) {
      return E_FAIL;
    }
    m_colorPitch = CopyTexture(*frame.pFrameTexture, m_colorPixels.data(), m_colorPixels.size());
    const HRESULT released = m_pNuiSensor->NuiImageStreamReleaseFrame(m_hColorStream, &frame);
    if (FAILED(released)) {
      return released;
    }
  }

  if (IsSignalled(m_hNextDepthFrameEvent)) {
    NUI_IMAGE_FRAME frame{};
    m_pNuiSensor->NuiImageStreamGetNextFrame(m_hDepthStream, 0, &frame);
    INuiFrameTexture* extended = nullptr;
    m_pNuiSensor->NuiImageFrameGetDepthImagePixelFrameTexture(m_hDepthStream, &frame, &m_nearMode,
                                                              &extended);
    ReleasePtr<INuiFrameTexture> extendedTexture(extended);
    if (frame.pFrameTexture == nullptr) {
      return E_FAIL;
    }
    if (!extendedTexture) {
      m_pNuiSensor->NuiImageStreamReleaseFrame(m_hDepthStream, &frame);
      return E_FAIL;
    }

    NUI_LOCKED_RECT locked{};
    extendedTexture->LockRect(0, &locked, 0);
    INuiCoordinateMapper* mapperObject = nullptr;
    m_pNuiSensor->NuiGetCoordinateMapper(&mapperObject);
    ReleasePtr<INuiCoordinateMapper> mapper(mapperObject);
    // The mapper reads a whole depth image: a texture holding fewer pixels is not mapped and
    // the point map keeps its older points.
    const std::size_t depthPixelCount = std::size_t{m_depthWidth} * m_depthHeight;
    const bool wholeImage =
        locked.pBits != nullptr && locked.size >= 0 &&
        static_cast<std::size_t>(locked.size) / sizeof(NUI_DEPTH_IMAGE_PIXEL) >= depthPixelCount;
    if (mapper && m_pDepthPoints && wholeImage) {
      mapper->MapColorFrameToDepthFrame(
          NUI_IMAGE_TYPE_COLOR, NUI_IMAGE_RESOLUTION_640x480, NUI_IMAGE_RESOLUTION_640x480,
          static_cast<std::uint32_t>(depthPixelCount),
          reinterpret_cast<const NUI_DEPTH_IMAGE_PIXEL*>(locked.pBits),
          static_cast<std::uint32_t>(m_depthPointCount), m_pDepthPoints.get());
    }
    mapper.reset();
    extendedTexture->UnlockRect(0);
    extendedTexture.reset();

    CopyTexture(*frame.pFrameTexture, m_depthPixels.data(),
                m_depthPixels.size() * sizeof(std::uint16_t));
    result = m_pNuiSensor->NuiImageStreamReleaseFrame(m_hDepthStream, &frame);
    if (FAILED(result)) {
      return result;
    }
  }

  if (!IsSignalled(m_hNextSkeletonEvent)) {
    return result;
  }
  NUI_SKELETON_FRAME skeletonFrame{};
  m_pNuiSensor->NuiSkeletonGetNextFrame(0, &skeletonFrame);
  m_pNuiSensor->NuiTransformSmooth(&skeletonFrame);
  const HRESULT chosen = ChooseBackgroundRemovalPlayer(skeletonFrame.skeletonData);
  if (FAILED(chosen)) {
    return chosen;
  }
  ProcessSkeletonFrame(skeletonFrame);
  return chosen;
}
