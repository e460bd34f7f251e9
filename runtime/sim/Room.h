// The room the sensor looks into: a wooden floor at y = -(sensor height), a painted back wall
// at z = 5.5 m with a skirting board, a window, a picture and a height chart, side walls at
// x = -2.8 m and x = +2.8 m, and a ceiling 2.7 m above the floor. It never moves, so the
// renderer casts it once per scene.
#pragma once

#include "runtime/sim/Scene.h"
#include "runtime/sim/Vec3.h"

namespace sim {

struct RoomHit {
  float t = 0.0f;  // ray parameter of the hit
  Vec3 point;
  Rgb colour;  // textured and lit
};

class Room {
 public:
  explicit Room(float sensorHeightM) : m_floorY(-sensorHeightM) {}

  // The room surface a ray from inside the room meets. Every such ray meets one.
  RoomHit Cast(Vec3 origin, Vec3 dir) const;

 private:
  float m_floorY;
};

}  // namespace sim
