// A texture over one plane of a delivered frame: the colour pixels, the packed depth pixels
// or the extended depth pixels. It keeps the frame alive, so its pixels stay valid and
// unchanged for as long as the texture exists. A frame's own texture goes with the frame
// (the device deletes it when the frame is released; Release does nothing); an
// extended-depth texture is its holder's and Release frees it.
#pragma once

#include <memory>

#include "runtime/NuiSensor.h"
#include "runtime/sim/DeliveredFrame.h"

namespace sim {

class SimDevice;

class SimFrameTexture final : public runtime::INuiFrameTexture {
 public:
  enum class Plane { kColor, kDepth, kExtendedDepth };

  // device is given for extended-depth textures only: they tell it when they go.
  SimFrameTexture(std::shared_ptr<const DeliveredFrame> frame, Plane plane,
                  std::shared_ptr<SimDevice> device = nullptr);
  ~SimFrameTexture() = default;

  HRESULT LockRect(std::uint32_t level, runtime::NUI_LOCKED_RECT* lockedRect,
                   std::uint32_t flags) override;
  HRESULT UnlockRect(std::uint32_t level) override;
  void Release() override;

  const std::shared_ptr<const DeliveredFrame>& Frame() const { return m_frame; }
  Plane GetPlane() const { return m_plane; }

 private:
  std::shared_ptr<const DeliveredFrame> m_frame;
  Plane m_plane;
  std::shared_ptr<SimDevice> m_device;
};

}  // namespace sim
