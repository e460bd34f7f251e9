// The background-removed colour stream of the background-removal library. The program only
// tells it which skeleton to follow; it takes no frames from it. A negative HRESULT is a
// failure.
#pragma once

#include <cstdint>

#include "platform/ResultCodes.h"
#include "runtime/NuiTypes.h"

namespace runtime {

class INuiBackgroundRemovedColorStream {
 public:
  virtual HRESULT Enable(NUI_IMAGE_RESOLUTION colorResolution, NUI_IMAGE_RESOLUTION depthResolution,
                         EventHandle backgroundRemovedFrameEvent) = 0;
  // Follows the skeleton with this (non-zero) tracking id from now on.
  virtual HRESULT SetTrackedPlayer(std::uint32_t trackingId) = 0;
  virtual void Release() = 0;

 protected:
  ~INuiBackgroundRemovedColorStream() = default;
};

}  // namespace runtime
