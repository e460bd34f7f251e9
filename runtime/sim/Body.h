// A person as a set of simple solids posed at one moment: head ellipsoid, neck, torso, pelvis,
// arms, hands, legs and feet, plus the 20 skeleton joints and the face's shape points in camera
// space. Proportions follow the person's height; the head is proportionally larger for small
// people. The face's shape point 15 is the glabella: on the front surface of the head, exactly
// 10 cm below the top of the head, so that a perfect sensor reads the person's true height.
#pragma once

#include <array>

#include "runtime/sim/Scene.h"
#include "runtime/sim/Shapes.h"
#include "runtime/sim/Vec3.h"

namespace sim {

// The standard 20-joint order; left and right are the person's own.
enum Joint {
  kHipCentre,
  kSpine,
  kShoulderCentre,
  kHead,
  kShoulderLeft,
  kElbowLeft,
  kWristLeft,
  kHandLeft,
  kShoulderRight,
  kElbowRight,
  kWristRight,
  kHandRight,
  kHipLeft,
  kKneeLeft,
  kAnkleLeft,
  kFootLeft,
  kHipRight,
  kKneeRight,
  kAnkleRight,
  kFootRight,
  kJointCount
};

// Face shape points: brows, eyes, nose, mouth, chin, forehead, glabella, cheeks, jaw.
inline constexpr int kShapePointCount = 20;
inline constexpr int kGlabellaPoint = 15;

// Distance from the top of the head down to the glabella, metres.
inline constexpr float kGlabellaBelowTop = 0.10f;

inline constexpr int kBodyShapeCount = 16;

struct Body {
  int playerIndex = 0;  // 1..6, the person's place in the scene plus one
  float heightM = 0.0f;
  Clothing clothing;
  // The person's own axes in camera space: to their right, up, and the way they face.
  Vec3 right;
  Vec3 up{0.0f, 1.0f, 0.0f};
  Vec3 forward;
  Vec3 headCentre;
  Vec3 headRadii;  // along right, up, forward
  Vec3 headTop;
  std::array<Shape, kBodyShapeCount> shapes;  // shapes[0] is the head
  std::array<Vec3, kJointCount> joints;
  std::array<Vec3, kShapePointCount> facePoints;  // on the head's front surface

  Vec3 Glabella() const { return facePoints[kGlabellaPoint]; }
};

// Poses a person at scene time t (the time drives the walking swing of arms and legs).
// sensorHeightM puts the floor at y = -sensorHeightM.
Body BuildBody(const Person& person, const Pose& pose, double t, float sensorHeightM,
               int playerIndex);

}  // namespace sim
