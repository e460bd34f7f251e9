#include "runtime/sim/SimFrameTexture.h"

#include "runtime/sim/Cameras.h"
#include "runtime/sim/SimDevice.h"

namespace sim {

SimFrameTexture::SimFrameTexture(std::shared_ptr<const DeliveredFrame> frame, Plane plane,
                                 std::shared_ptr<SimDevice> device)
    : m_frame(std::move(frame)), m_plane(plane), m_device(std::move(device)) {}

HRESULT SimFrameTexture::LockRect(std::uint32_t level, runtime::NUI_LOCKED_RECT* lockedRect,
                                  std::uint32_t) {
  if (lockedRect == nullptr) {
    return E_POINTER;
  }
  if (level != 0) {
    return E_FAIL;
  }
  // The runtime interface hands out writable pointers; nobody writes through them here.
  const void* bits = nullptr;
  std::size_t bytes = 0;
  std::int32_t bytesPerPixel = 0;
  const FrameSet& frames = m_frame->Frames();
  switch (m_plane) {
    case Plane::kColor:
      bits = frames.color.data();
      bytes = frames.color.size();
      bytesPerPixel = 4;
      break;
    case Plane::kDepth:
      bits = frames.depth.data();
      bytes = frames.depth.size() * sizeof(std::uint16_t);
      bytesPerPixel = 2;
      break;
    case Plane::kExtendedDepth:
      bits = frames.extendedDepth.data();
      bytes = frames.extendedDepth.size() * sizeof(runtime::NUI_DEPTH_IMAGE_PIXEL);
      bytesPerPixel = sizeof(runtime::NUI_DEPTH_IMAGE_PIXEL);
      break;
  }
  lockedRect->pitch = kImageWidth * bytesPerPixel;
  lockedRect->size = static_cast<std::int32_t>(bytes);
  lockedRect->pBits = static_cast<std::uint8_t*>(const_cast<void*>(bits));
  return S_OK;
}

HRESULT SimFrameTexture::UnlockRect(std::uint32_t level) {
  return level == 0 ? S_OK : E_FAIL;
}

void SimFrameTexture::Release() {
  if (m_plane != Plane::kExtendedDepth) {
    return;
  }
  if (m_device) {
    m_device->ForgetExtendedTexture(this);
  }
  delete this;
}

}  // namespace sim
