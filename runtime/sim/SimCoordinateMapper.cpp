#include "runtime/sim/SimCoordinateMapper.h"

#include <algorithm>

#include "runtime/sim/Cameras.h"

namespace sim {

using namespace runtime;

HRESULT SimCoordinateMapper::MapColorFrameToDepthFrame(NUI_IMAGE_TYPE colorType,
                                                       NUI_IMAGE_RESOLUTION colorResolution,
                                                       NUI_IMAGE_RESOLUTION depthResolution,
                                                       std::uint32_t depthPixelCount,
                                                       const NUI_DEPTH_IMAGE_PIXEL* depthPixels,
                                                       std::uint32_t depthPointCount,
                                                       NUI_DEPTH_IMAGE_POINT* depthPoints) {
  if (depthPixels == nullptr || depthPoints == nullptr) {
    return E_POINTER;
  }
  if (colorType != NUI_IMAGE_TYPE_COLOR || colorResolution != NUI_IMAGE_RESOLUTION_640x480 ||
      depthResolution != NUI_IMAGE_RESOLUTION_640x480 || depthPixelCount < kPixelCount) {
    return E_FAIL;
  }
  const std::shared_ptr<const DeliveredFrame> frame = m_device->FrameOfExtendedPixels(depthPixels);
  if (!frame) {
    return E_FAIL;
  }
  // Never more points than the output holds, nor than one colour image has.
  m_device->CopyPointMap(*frame, depthPoints, std::min<std::size_t>(depthPointCount, kPixelCount));
  return S_OK;
}

}  // namespace sim
