#include "runtime/sim/SimRuntime.h"

#include "runtime/sim/SimBackgroundRemoval.h"
#include "runtime/sim/SimFaceImage.h"
#include "runtime/sim/SimFaceTracker.h"
#include "runtime/sim/SimSensor.h"

namespace sim {

using namespace runtime;

SimRuntime::SimRuntime(Scene scene, Timing timing)
    : m_device(std::make_shared<SimDevice>(std::move(scene), timing == Timing::kRealTime)) {}

// Objects the program still holds keep the device; its streams stop now.
SimRuntime::~SimRuntime() {
  m_device->Shutdown();
}

void SimRuntime::AdvanceTo(std::uint32_t milliseconds) {
  m_device->AdvanceTo(milliseconds);
}

BackgroundRemovalRecord SimRuntime::BackgroundRemoval() const {
  return m_device->BackgroundRemoval();
}

HRESULT SimRuntime::NuiGetSensorCount(int* count) {
  if (count == nullptr) {
    return E_POINTER;
  }
  *count = 1;
  return S_OK;
}

HRESULT SimRuntime::NuiCreateSensorByIndex(int index, INuiSensor** sensor) {
  if (sensor == nullptr) {
    return E_POINTER;
  }
  *sensor = nullptr;
  if (index != 0) {
    return E_FAIL;
  }
  *sensor = new SimSensor(m_device);
  return S_OK;
}

HRESULT SimRuntime::NuiCreateBackgroundRemovedColorStream(
    INuiSensor* sensor, INuiBackgroundRemovedColorStream** stream) {
  if (stream == nullptr) {
    return E_POINTER;
  }
  *stream = nullptr;
  const auto* simSensor = dynamic_cast<const SimSensor*>(sensor);
  if (simSensor == nullptr || &simSensor->Device() != m_device.get() ||
      !m_device->IsInitialized()) {
    return E_FAIL;
  }
  *stream = new SimBackgroundRemoval(m_device);
  return S_OK;
}

IFTFaceTracker* SimRuntime::FTCreateFaceTracker() {
  return new SimFaceTracker(m_device);
}

IFTImage* SimRuntime::FTCreateImage() {
  return new SimFaceImage();
}

}  // namespace sim
