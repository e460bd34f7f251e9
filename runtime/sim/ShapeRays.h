// Ray intersection of one solid with many rays from the same origin, as a camera casts them.
// What depends only on the solid and the origin is worked out once, in the constructor; each
// ray then costs only the terms that depend on its direction. The arithmetic is the same, term
// by term, as intersecting every ray on its own, so the hits agree to the last bit.
#pragma once

#include <algorithm>
#include <cmath>

#include "runtime/sim/Shapes.h"
#include "runtime/sim/Vec3.h"

namespace sim {

class SphereRays {
 public:
  SphereRays(Vec3 centre, float radius, Vec3 origin)
      : m_oc(origin - centre), m_c(Dot(m_oc, m_oc) - radius * radius) {}

  // Ray parameter of the first entry with the ray's direction, negative when it misses.
  float Intersect(Vec3 dir) const {
    const float a = Dot(dir, dir);
    const float b = Dot(m_oc, dir);
    const float h = b * b - a * m_c;
    if (h < 0.0f) return -1.0f;
    return (-b - std::sqrt(h)) / a;
  }

 private:
  Vec3 m_oc;
  float m_c;
};

// In the frame where the ellipsoid is the unit sphere at the origin.
class EllipsoidRays {
 public:
  EllipsoidRays(const Shape& s, Vec3 origin)
      : m_unitX(s.unitX),
        m_unitY(s.unitY),
        m_unitZ(s.unitZ),
        m_unitSphere({}, 1.0f, ToLocal(origin - s.a)) {}

  float Intersect(Vec3 dir) const { return m_unitSphere.Intersect(ToLocal(dir)); }

 private:
  Vec3 ToLocal(Vec3 v) const { return {Dot(v, m_unitX), Dot(v, m_unitY), Dot(v, m_unitZ)}; }

  Vec3 m_unitX;
  Vec3 m_unitY;
  Vec3 m_unitZ;
  SphereRays m_unitSphere;
};

class CapsuleRays {
 public:
  CapsuleRays(const Shape& s, Vec3 origin)
      : m_ba(s.b - s.a),
        m_oa(origin - s.a),
        m_baba(Dot(m_ba, m_ba)),
        m_baoa(Dot(m_ba, m_oa)),
        m_c(m_baba * Dot(m_oa, m_oa) - m_baoa * m_baoa - s.radii.x * s.radii.x * m_baba),
        m_capA(s.a, s.radii.x, origin),
        m_capB(s.b, s.radii.x, origin) {}

  // The swept cylinder first; a ray meeting it beyond either end meets that end's sphere.
  float Intersect(Vec3 dir) const {
    const float bard = Dot(m_ba, dir);
    const float rdoa = Dot(dir, m_oa);
    const float rdrd = Dot(dir, dir);
    const float a = m_baba * rdrd - bard * bard;
    const float b = m_baba * rdoa - m_baoa * bard;
    const float h = b * b - a * m_c;
    if (h < 0.0f) return -1.0f;
    if (a > 0.0f) {
      const float t = (-b - std::sqrt(h)) / a;
      const float y = m_baoa + t * bard;
      if (y > 0.0f && y < m_baba) return t;
      return (y <= 0.0f ? m_capA : m_capB).Intersect(dir);
    }
    // Ray parallel to the axis: only the end caps can be met first.
    const float ta = m_capA.Intersect(dir);
    const float tb = m_capB.Intersect(dir);
    if (ta < 0.0f) return tb;
    if (tb < 0.0f) return ta;
    return std::min(ta, tb);
  }

 private:
  Vec3 m_ba;  // the segment
  Vec3 m_oa;  // the origin from the segment's start
  float m_baba;
  float m_baoa;
  float m_c;
  SphereRays m_capA;
  SphereRays m_capB;
};

}  // namespace sim
