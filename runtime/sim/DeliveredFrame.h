// One frame set as the simulated runtime hands it out: the pixels in the runtime's own
// formats, the skeleton frame, and the people's ground truth (faces) for the face tracker.
// Frames are shared read-only between the streams that deliver them and the textures that
// expose them; a frame never changes while anyone holds it.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/NuiTypes.h"
#include "runtime/sim/Frames.h"

namespace sim {

struct DeliveredFrame {
  std::uint32_t frameNumber = 0;
  std::int64_t timeStampMs = 0;
  std::vector<std::uint8_t> color;                       // 640 x 480 x 4, BGRX
  std::vector<std::uint16_t> depth;                      // 640 x 480, mm << 3 | player
  std::vector<runtime::NUI_DEPTH_IMAGE_PIXEL> extended;  // 640 x 480
  std::vector<runtime::NUI_DEPTH_IMAGE_POINT> pointMap;  // one per colour pixel
  runtime::NUI_SKELETON_FRAME skeletons{};
  std::vector<PersonView> people;
};

// Fills `out` from a rendered frame set; reuses out's storage.
void FillDeliveredFrame(const FrameSet& frames, std::uint32_t frameNumber, std::int64_t timeStampMs,
                        DeliveredFrame& out);

}  // namespace sim
