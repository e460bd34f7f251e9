// Ray intersection of ellipsoids and capsules.
#include "runtime/sim/Shapes.h"

#include <algorithm>
#include <cmath>

#include "runtime/sim/ShapeRays.h"

namespace sim {

namespace {

Vec3 ToLocal(const Shape& s, Vec3 v) {
  return {Dot(v, s.unitX), Dot(v, s.unitY), Dot(v, s.unitZ)};
}

// Half extents of the ellipsoid's bounding box along the camera axes.
Vec3 EllipsoidHalfExtents(const Shape& s) {
  auto along = [&s](float x, float y, float z) {
    return std::sqrt(x * x * s.radii.x * s.radii.x + y * y * s.radii.y * s.radii.y +
                     z * z * s.radii.z * s.radii.z);
  };
  return {along(s.axisX.x, s.axisY.x, s.axisZ.x), along(s.axisX.y, s.axisY.y, s.axisZ.y),
          along(s.axisX.z, s.axisY.z, s.axisZ.z)};
}

}  // namespace

Vec3 Shape::BoxMin() const {
  if (kind == Kind::Ellipsoid) return a - EllipsoidHalfExtents(*this);
  const float r = radii.x;
  return {std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::min(a.z, b.z) - r};
}

Vec3 Shape::BoxMax() const {
  if (kind == Kind::Ellipsoid) return a + EllipsoidHalfExtents(*this);
  const float r = radii.x;
  return {std::max(a.x, b.x) + r, std::max(a.y, b.y) + r, std::max(a.z, b.z) + r};
}

Shape MakeEllipsoid(Surface surface, Vec3 centre, Vec3 axisX, Vec3 axisY, Vec3 axisZ, Vec3 radii) {
  Shape s;
  s.kind = Shape::Kind::Ellipsoid;
  s.surface = surface;
  s.a = centre;
  s.b = centre;
  s.axisX = axisX;
  s.axisY = axisY;
  s.axisZ = axisZ;
  s.radii = radii;
  s.unitX = axisX * (1.0f / radii.x);
  s.unitY = axisY * (1.0f / radii.y);
  s.unitZ = axisZ * (1.0f / radii.z);
  return s;
}

Shape MakeCapsule(Surface surface, Vec3 a, Vec3 b, float radius) {
  Shape s;
  s.kind = Shape::Kind::Capsule;
  s.surface = surface;
  s.a = a;
  s.b = b;
  s.radii = {radius, radius, radius};
  const Vec3 ba = b - a;
  const float lengthSq = Dot(ba, ba);
  if (lengthSq > 0.0f) s.alongSegment = ba * (1.0f / lengthSq);
  return s;
}

float Intersect(const Shape& shape, Vec3 origin, Vec3 dir) {
  return shape.kind == Shape::Kind::Ellipsoid ? EllipsoidRays(shape, origin).Intersect(dir)
                                              : CapsuleRays(shape, origin).Intersect(dir);
}

Vec3 OutwardAt(const Shape& shape, Vec3 point) {
  if (shape.kind == Shape::Kind::Ellipsoid) {
    const Vec3 q = ToLocal(shape, point - shape.a);
    return shape.unitX * q.x + shape.unitY * q.y + shape.unitZ * q.z;
  }
  const float f = std::clamp(Dot(point - shape.a, shape.alongSegment), 0.0f, 1.0f);
  return point - (shape.a + (shape.b - shape.a) * f);
}

}  // namespace sim
