// Face visibility and shape points.
#include "runtime/sim/FaceObservation.h"

#include <cmath>
#include <numbers>

#include "runtime/sim/Cameras.h"

namespace sim {

namespace {

bool InsideImage(Vec2 p) {
  return p.x >= 0.0f && p.y >= 0.0f && p.x < static_cast<float>(kImageWidth) &&
         p.y < static_cast<float>(kImageHeight);
}

}  // namespace

FaceView ObserveFace(const Body& body, std::span<const Body> everyone) {
  FaceView view;
  bool inside = true;
  for (int i = 0; i < kShapePointCount; ++i) {
    const Vec3 p = body.facePoints[i];
    if (!(p.z > 0.01f)) {
      inside = false;
      continue;
    }
    const Vec2 c = kColorCamera.Project(p);
    view.shapePoints[i] = c;
    inside = inside && InsideImage(c) && InsideImage(kDepthCamera.Project(p));
  }

  const Vec3 toCamera = Normalize(kColorCamera.Origin() - body.headCentre);
  const float cosLimit = std::cos(kFaceVisibleAngleDeg * std::numbers::pi_v<float> / 180.0f);
  if (Dot(toCamera, body.forward) < cosLimit) {
    view.visibility = FaceVisibility::TurnedAway;
    return view;
  }
  if (!inside) {
    view.visibility = FaceVisibility::OutsidePicture;
    return view;
  }

  // The glabella is hidden when another solid meets the ray to it first.
  const Vec3 origin = kColorCamera.Origin();
  const Vec3 dir = body.Glabella() - origin;  // the glabella lies at t = 1
  const float tolerance = 0.02f / Length(dir);
  for (const Body& other : everyone) {
    for (int s = 0; s < kBodyShapeCount; ++s) {
      if (&other == &body && s == 0) continue;
      const float t = Intersect(other.shapes[s], origin, dir);
      if (t > 0.0f && t < 1.0f - tolerance) {
        view.visibility = FaceVisibility::Hidden;
        return view;
      }
    }
  }
  view.visibility = FaceVisibility::Visible;
  return view;
}

}  // namespace sim
