#include "runtime/sim/SimBackgroundRemoval.h"

namespace sim {

using namespace runtime;

HRESULT SimBackgroundRemoval::Enable(NUI_IMAGE_RESOLUTION colorResolution,
                                     NUI_IMAGE_RESOLUTION depthResolution,
                                     EventHandle backgroundRemovedFrameEvent) {
  if (colorResolution != NUI_IMAGE_RESOLUTION_640x480 ||
      depthResolution != NUI_IMAGE_RESOLUTION_640x480) {
    return E_FAIL;
  }
  m_device->RecordBackgroundRemovalEnable(colorResolution, depthResolution,
                                          backgroundRemovedFrameEvent != nullptr);
  return S_OK;
}

HRESULT SimBackgroundRemoval::SetTrackedPlayer(std::uint32_t trackingId) {
  if (trackingId == 0) {
    return E_FAIL;
  }
  m_device->RecordTrackedPlayer(trackingId);
  return S_OK;
}

}  // namespace sim
