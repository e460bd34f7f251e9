#include "runtime/sim/FramePool.h"

namespace sim {

namespace {

// Frames come back one by one as the program releases them and the next render takes one at
// once, so one spare is enough; a second covers a frame released while another renders.
constexpr std::size_t kMaxFreeFrames = 2;

}  // namespace

std::shared_ptr<DeliveredFrame> FramePool::Take() {
  std::unique_ptr<DeliveredFrame> frame;
  {
    std::lock_guard lock(m_mutex);
    if (!m_free.empty()) {
      frame = std::move(m_free.back());
      m_free.pop_back();
    }
  }
  if (!frame) {
    frame = std::make_unique<DeliveredFrame>();
  }
  std::weak_ptr<FramePool> pool = weak_from_this();
  return std::shared_ptr<DeliveredFrame>(frame.release(), [pool](DeliveredFrame* taken) {
    if (std::shared_ptr<FramePool> owner = pool.lock()) {
      owner->GiveBack(taken);
    } else {
      delete taken;
    }
  });
}

void FramePool::GiveBack(DeliveredFrame* frame) {
  std::unique_ptr<DeliveredFrame> owned(frame);
  std::lock_guard lock(m_mutex);
  if (m_free.size() < kMaxFreeFrames) {
    m_free.push_back(std::move(owned));
  }
}

}  // namespace sim
