// A provider with no sensor attached: the count is 0, nothing can be created. The program
// then behaves as with an unplugged sensor.
#pragma once

#include "runtime/NuiRuntime.h"

namespace runtime {

class NoSensorRuntime : public NuiRuntime {
 public:
  HRESULT NuiGetSensorCount(int* count) override;
  HRESULT NuiCreateSensorByIndex(int index, INuiSensor** sensor) override;
  HRESULT NuiCreateBackgroundRemovedColorStream(INuiSensor* sensor,
                                                INuiBackgroundRemovedColorStream** stream) override;
  IFTFaceTracker* FTCreateFaceTracker() override { return nullptr; }
  IFTImage* FTCreateImage() override { return nullptr; }
};

}  // namespace runtime
