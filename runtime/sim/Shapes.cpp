// Ray intersection of ellipsoids and capsules.
#include "runtime/sim/Shapes.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

Vec3 ToLocal(const Shape& s, Vec3 v) {
  return {Dot(v, s.unitX), Dot(v, s.unitY), Dot(v, s.unitZ)};
}

float IntersectEllipsoid(const Shape& s, Vec3 origin, Vec3 dir) {
  const Vec3 o = ToLocal(s, origin - s.a);
  const Vec3 d = ToLocal(s, dir);
  const float a = Dot(d, d);
  const float b = Dot(o, d);
  const float c = Dot(o, o) - 1.0f;
  const float h = b * b - a * c;
  if (h < 0.0f) return -1.0f;
  return (-b - std::sqrt(h)) / a;
}

float IntersectSphere(Vec3 centre, float radius, Vec3 origin, Vec3 dir) {
  const Vec3 oc = origin - centre;
  const float a = Dot(dir, dir);
  const float b = Dot(oc, dir);
  const float c = Dot(oc, oc) - radius * radius;
  const float h = b * b - a * c;
  if (h < 0.0f) return -1.0f;
  return (-b - std::sqrt(h)) / a;
}

float IntersectCapsule(const Shape& s, Vec3 origin, Vec3 dir) {
  const float r = s.radii.x;
  const Vec3 ba = s.b - s.a;
  const Vec3 oa = origin - s.a;
  const float baba = Dot(ba, ba);
  const float bard = Dot(ba, dir);
  const float baoa = Dot(ba, oa);
  const float rdoa = Dot(dir, oa);
  const float oaoa = Dot(oa, oa);
  const float rdrd = Dot(dir, dir);
  const float a = baba * rdrd - bard * bard;
  const float b = baba * rdoa - baoa * bard;
  const float c = baba * oaoa - baoa * baoa - r * r * baba;
  const float h = b * b - a * c;
  if (h < 0.0f) return -1.0f;
  if (a > 0.0f) {
    const float t = (-b - std::sqrt(h)) / a;
    const float y = baoa + t * bard;
    if (y > 0.0f && y < baba) return t;
    return IntersectSphere(y <= 0.0f ? s.a : s.b, r, origin, dir);
  }
  // Ray parallel to the axis: only the end caps can be met first.
  const float ta = IntersectSphere(s.a, r, origin, dir);
  const float tb = IntersectSphere(s.b, r, origin, dir);
  if (ta < 0.0f) return tb;
  if (tb < 0.0f) return ta;
  return std::min(ta, tb);
}

}  // namespace

namespace {

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
  return s;
}

float Intersect(const Shape& shape, Vec3 origin, Vec3 dir) {
  return shape.kind == Shape::Kind::Ellipsoid ? IntersectEllipsoid(shape, origin, dir)
                                              : IntersectCapsule(shape, origin, dir);
}

Vec3 NormalAt(const Shape& shape, Vec3 point) {
  if (shape.kind == Shape::Kind::Ellipsoid) {
    const Vec3 q = ToLocal(shape, point - shape.a);
    return Normalize(shape.unitX * q.x + shape.unitY * q.y + shape.unitZ * q.z);
  }
  const Vec3 ba = shape.b - shape.a;
  const float f = std::clamp(Dot(point - shape.a, ba) / Dot(ba, ba), 0.0f, 1.0f);
  return Normalize(point - (shape.a + ba * f));
}

}  // namespace sim
