#include "runtime/sim/SimSensor.h"

#include "runtime/sim/SimCoordinateMapper.h"

namespace sim {

using namespace runtime;

SimSensor::SimSensor(std::shared_ptr<SimDevice> device) : m_device(std::move(device)) {}

HRESULT SimSensor::NuiInitialize(std::uint32_t flags) {
  const HRESULT hr = m_device->Initialize(flags);
  m_initialized = SUCCEEDED(hr);
  return hr;
}

void SimSensor::NuiShutdown() {
  m_device->Shutdown();
  m_initialized = false;
}

// Frames are never queued beyond the newest one, so the frame limit changes nothing.
HRESULT SimSensor::NuiImageStreamOpen(NUI_IMAGE_TYPE imageType, NUI_IMAGE_RESOLUTION resolution,
                                      std::uint32_t frameFlags, std::uint32_t,
                                      EventHandle nextFrameEvent, NuiStreamHandle* stream) {
  return m_device->OpenStream(imageType, resolution, frameFlags, std::move(nextFrameEvent), stream);
}

// Frames are only ever taken without waiting.
HRESULT SimSensor::NuiImageStreamGetNextFrame(NuiStreamHandle stream, std::uint32_t,
                                              NUI_IMAGE_FRAME* frame) {
  return m_device->TakeImageFrame(stream, frame);
}

HRESULT SimSensor::NuiImageStreamReleaseFrame(NuiStreamHandle stream,
                                              const NUI_IMAGE_FRAME* frame) {
  return m_device->ReleaseImageFrame(stream, frame);
}

HRESULT SimSensor::NuiImageFrameGetDepthImagePixelFrameTexture(NuiStreamHandle stream,
                                                               const NUI_IMAGE_FRAME* frame,
                                                               bool* nearMode,
                                                               INuiFrameTexture** texture) {
  return m_device->ExtendedDepthTexture(stream, frame, nearMode, texture);
}

// Skeletons are tracked the same way in near range.
HRESULT SimSensor::NuiSkeletonTrackingEnable(EventHandle nextSkeletonEvent, std::uint32_t) {
  return m_device->EnableSkeletonTracking(std::move(nextSkeletonEvent));
}

HRESULT SimSensor::NuiSkeletonGetNextFrame(std::uint32_t, NUI_SKELETON_FRAME* frame) {
  return m_device->TakeSkeletonFrame(frame);
}

HRESULT SimSensor::NuiTransformSmooth(NUI_SKELETON_FRAME* frame) {
  if (frame == nullptr) {
    return E_POINTER;
  }
  m_smoother.Smooth(*frame);
  return S_OK;
}

HRESULT SimSensor::NuiGetCoordinateMapper(INuiCoordinateMapper** mapper) {
  if (mapper == nullptr) {
    return E_POINTER;
  }
  *mapper = new SimCoordinateMapper(m_device);
  return S_OK;
}

void SimSensor::Release() {
  if (m_initialized) {
    m_device->Shutdown();
  }
  delete this;
}

}  // namespace sim
