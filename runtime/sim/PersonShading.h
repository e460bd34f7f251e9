// The colour of a point on a person: clothing, skin and hair, with the face painted on the
// front of the head (brows, eyes, mouth), lit by a light above and in front of the person.
#pragma once

#include "runtime/sim/Body.h"
#include "runtime/sim/Scene.h"

namespace sim {

// `point` lies on body.shapes[shapeIndex].
Rgb ShadePerson(const Body& body, int shapeIndex, Vec3 point);

}  // namespace sim
