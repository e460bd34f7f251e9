// The simulated colour-to-depth mapper. The simulator renders the map together with each
// frame, so mapping hands back the map of the frame the given extended depth pixels belong
// to; pixels that are not those of an extended-depth texture the program holds cannot be
// mapped (E_FAIL). Released by its holder.
#pragma once

#include <memory>

#include "runtime/NuiSensor.h"
#include "runtime/sim/SimDevice.h"

namespace sim {

class SimCoordinateMapper final : public runtime::INuiCoordinateMapper {
 public:
  explicit SimCoordinateMapper(std::shared_ptr<SimDevice> device) : m_device(std::move(device)) {}
  ~SimCoordinateMapper() = default;

  HRESULT MapColorFrameToDepthFrame(runtime::NUI_IMAGE_TYPE colorType,
                                    runtime::NUI_IMAGE_RESOLUTION colorResolution,
                                    runtime::NUI_IMAGE_RESOLUTION depthResolution,
                                    std::uint32_t depthPixelCount,
                                    const runtime::NUI_DEPTH_IMAGE_PIXEL* depthPixels,
                                    std::uint32_t depthPointCount,
                                    runtime::NUI_DEPTH_IMAGE_POINT* depthPoints) override;
  void Release() override { delete this; }

 private:
  std::shared_ptr<SimDevice> m_device;
};

}  // namespace sim
