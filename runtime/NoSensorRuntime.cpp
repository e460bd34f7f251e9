#include "runtime/NoSensorRuntime.h"

namespace runtime {

HRESULT NoSensorRuntime::NuiGetSensorCount(int* count) {
  if (count == nullptr) {
    return E_POINTER;
  }
  *count = 0;
  return S_OK;
}

HRESULT NoSensorRuntime::NuiCreateSensorByIndex(int, INuiSensor** sensor) {
  if (sensor == nullptr) {
    return E_POINTER;
  }
  *sensor = nullptr;
  return E_FAIL;
}

HRESULT NoSensorRuntime::NuiCreateBackgroundRemovedColorStream(
    INuiSensor*, INuiBackgroundRemovedColorStream** stream) {
  if (stream == nullptr) {
    return E_POINTER;
  }
  *stream = nullptr;
  return E_FAIL;
}

}  // namespace runtime
