// One frame set as the simulated runtime hands it out: the frames the simulator rendered
// (their pixel records have the runtime's layouts; the point map kept as patches over the
// room's, see FrameTarget), the skeleton frame in the runtime's record, and the people's
// ground truth (faces) for the face tracker. Frames are shared
// read-only between the streams that deliver them and the textures that expose them; a frame
// never changes while anyone holds it.
#pragma once

#include <cstdint>

#include "runtime/NuiTypes.h"
#include "runtime/sim/FrameTarget.h"
#include "runtime/sim/Simulator.h"

namespace sim {

struct DeliveredFrame {
  DeliveredFrame() { rendered.pointMapInPatches = true; }

  std::uint32_t frameNumber = 0;
  std::int64_t timeStampMs = 0;
  FrameTarget rendered;
  runtime::NUI_SKELETON_FRAME skeletons{};

  const FrameSet& Frames() const { return rendered.frames; }
};

// Renders the moment `seconds` into `out`, reusing out's storage, and stamps it.
void RenderDeliveredFrame(Simulator& simulator, double seconds, std::uint32_t frameNumber,
                          std::int64_t timeStampMs, DeliveredFrame& out);

}  // namespace sim
