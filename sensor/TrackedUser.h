// One of the two user records: which skeleton slot it follows and what face tracking found.
#pragma once

#include <cstdint>

#include "runtime/FaceTrack.h"

struct TrackedUser {
  // Skeleton slot counted from 1 (slot 0 is 1, slot 5 is 6); -1 when the record has none.
  std::int32_t skeletonSlot = -1;
  // The last face-tracking step found a face.
  bool faceTracked = false;
  // The face's 2-D shape points in colour-image pixels, owned by the face-tracking result and
  // valid until the next step on this record. Readers use at most shapePointCount points;
  // the count is 0 whenever the pointer is null.
  const runtime::FT_VECTOR2D* shapePoints = nullptr;
  std::uint32_t shapePointCount = 0;

  // No face and no points: after a lost face, released trackers or missing objects.
  void ForgetFace() {
    faceTracked = false;
    shapePoints = nullptr;
    shapePointCount = 0;
  }
};
