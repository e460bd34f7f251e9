// The simulated INuiSensor: a handle on the simulated device, with the skeleton smoothing
// filter of its own. Released by its holder; a sensor released while initialised shuts the
// device down first.
#pragma once

#include <memory>

#include "runtime/NuiSensor.h"
#include "runtime/sim/SimDevice.h"
#include "runtime/sim/SkeletonSmoother.h"

namespace sim {

class SimSensor final : public runtime::INuiSensor {
 public:
  explicit SimSensor(std::shared_ptr<SimDevice> device);
  ~SimSensor() = default;

  SimDevice& Device() const { return *m_device; }

  HRESULT NuiStatus() override { return S_OK; }
  HRESULT NuiInitialize(std::uint32_t flags) override;
  void NuiShutdown() override;
  HRESULT NuiImageStreamOpen(runtime::NUI_IMAGE_TYPE imageType,
                             runtime::NUI_IMAGE_RESOLUTION resolution, std::uint32_t frameFlags,
                             std::uint32_t frameLimit, runtime::EventHandle nextFrameEvent,
                             runtime::NuiStreamHandle* stream) override;
  HRESULT NuiImageStreamGetNextFrame(runtime::NuiStreamHandle stream,
                                     std::uint32_t waitMilliseconds,
                                     runtime::NUI_IMAGE_FRAME* frame) override;
  HRESULT NuiImageStreamReleaseFrame(runtime::NuiStreamHandle stream,
                                     const runtime::NUI_IMAGE_FRAME* frame) override;
  HRESULT NuiImageFrameGetDepthImagePixelFrameTexture(runtime::NuiStreamHandle stream,
                                                      const runtime::NUI_IMAGE_FRAME* frame,
                                                      bool* nearMode,
                                                      runtime::INuiFrameTexture** texture) override;
  HRESULT NuiSkeletonTrackingEnable(runtime::EventHandle nextSkeletonEvent,
                                    std::uint32_t flags) override;
  HRESULT NuiSkeletonGetNextFrame(std::uint32_t waitMilliseconds,
                                  runtime::NUI_SKELETON_FRAME* frame) override;
  HRESULT NuiTransformSmooth(runtime::NUI_SKELETON_FRAME* frame) override;
  HRESULT NuiCameraElevationSetAngle(std::int32_t) override { return S_OK; }
  HRESULT NuiGetCoordinateMapper(runtime::INuiCoordinateMapper** mapper) override;
  void Release() override;

 private:
  std::shared_ptr<SimDevice> m_device;
  bool m_initialized = false;
  SkeletonSmoother m_smoother;
};

}  // namespace sim
