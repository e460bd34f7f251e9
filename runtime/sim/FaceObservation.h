// What a face tracker can see of a person's face: the shape points in the colour picture and
// whether the face is visible, turned away, partly outside the colour picture or the depth
// image (the tracker needs both), or hidden behind someone.
#pragma once

#include <span>

#include "runtime/sim/Body.h"
#include "runtime/sim/Frames.h"

namespace sim {

// A face is visible when it points within this angle of the colour camera.
inline constexpr float kFaceVisibleAngleDeg = 40.0f;

// The face of `body` with `everyone` (which includes `body`) as possible occluders.
FaceView ObserveFace(const Body& body, std::span<const Body> everyone);

}  // namespace sim
