// Storage for delivered frames. A frame taken from the pool belongs to its shared owners
// (pending streams, taken textures); when the last of them lets go, from whatever thread,
// the storage comes back to the pool for the next frame, so steady running allocates no
// image storage (only small bookkeeping per frame: the owners' control block, the textures
// handed out and their entries in the device's lists). The pool may go first: frames still
// held are then freed normally.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "runtime/sim/DeliveredFrame.h"

namespace sim {

class FramePool : public std::enable_shared_from_this<FramePool> {
 public:
  // A frame nobody else holds, with whatever contents its storage had.
  std::shared_ptr<DeliveredFrame> Take();

 private:
  void GiveBack(DeliveredFrame* frame);

  std::mutex m_mutex;
  std::vector<std::unique_ptr<DeliveredFrame>> m_free;
};

}  // namespace sim
