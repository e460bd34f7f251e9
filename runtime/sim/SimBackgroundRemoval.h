// The simulated background-removed colour stream. It produces no frames; it records on the
// device what it was asked (enabled, the player to follow), for tests to inspect. Released by
// its holder.
#pragma once

#include <memory>

#include "runtime/BackgroundRemoval.h"
#include "runtime/sim/SimDevice.h"

namespace sim {

class SimBackgroundRemoval final : public runtime::INuiBackgroundRemovedColorStream {
 public:
  explicit SimBackgroundRemoval(std::shared_ptr<SimDevice> device) : m_device(std::move(device)) {}
  ~SimBackgroundRemoval() = default;

  HRESULT Enable(runtime::NUI_IMAGE_RESOLUTION colorResolution,
                 runtime::NUI_IMAGE_RESOLUTION depthResolution,
                 runtime::EventHandle backgroundRemovedFrameEvent) override;
  // Fails for id 0, which names no skeleton.
  HRESULT SetTrackedPlayer(std::uint32_t trackingId) override;
  void Release() override { delete this; }

 private:
  std::shared_ptr<SimDevice> m_device;
};

}  // namespace sim
