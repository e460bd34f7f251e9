// The sensor runtime a provider supplies: the entry points of the sensor, background-removal
// and face-tracking libraries. A provider (the simulator, the real sensor, a test fake) is
// chosen by the entry point and handed to the main dialog at construction.
//
// Every object handed out is released by its holder (see ReleasePtr.h). Objects are used
// only from the user-interface thread; a provider signals events from its own threads.
#pragma once

#include "platform/ResultCodes.h"
#include "runtime/BackgroundRemoval.h"
#include "runtime/FaceTrack.h"
#include "runtime/NuiSensor.h"

namespace runtime {

class NuiRuntime {
 public:
  virtual ~NuiRuntime() = default;

  // Number of attached sensors.
  virtual HRESULT NuiGetSensorCount(int* count) = 0;
  virtual HRESULT NuiCreateSensorByIndex(int index, INuiSensor** sensor) = 0;
  // A background-removed colour stream for an initialised sensor, or a failure code.
  virtual HRESULT NuiCreateBackgroundRemovedColorStream(
      INuiSensor* sensor, INuiBackgroundRemovedColorStream** stream) = 0;
  // A face tracker, or null.
  virtual IFTFaceTracker* FTCreateFaceTracker() = 0;
  // An empty image without storage, or null.
  virtual IFTImage* FTCreateImage() = 0;
};

}  // namespace runtime
