// Small single-precision vector used by the simulated scene: points and directions in camera
// space (metres, x right, y up, z away from the sensor).
#pragma once

#include <cmath>

namespace sim {

struct Vec3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, float s) {
  return {a.x * s, a.y * s, a.z * s};
}
inline Vec3 operator*(float s, Vec3 a) {
  return a * s;
}
inline float Dot(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline float Length(Vec3 a) {
  return std::sqrt(Dot(a, a));
}
inline Vec3 Normalize(Vec3 a) {
  const float len = Length(a);
  return len > 0.0f ? a * (1.0f / len) : a;
}

// A point in pixel coordinates of one of the two cameras.
struct Vec2 {
  float x = 0.0f;
  float y = 0.0f;
};

}  // namespace sim
