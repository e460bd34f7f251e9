// The solids people are built from, with ray intersection and surface normals: an ellipsoid
// with its own axes (head, torso, pelvis) and a capsule, a segment swept by a sphere (neck,
// limbs, hands, feet).
#pragma once

#include "runtime/sim/Vec3.h"

namespace sim {

// What a solid is dressed in; the renderer turns it into a colour.
enum class Surface { Head, Skin, Shirt, Trousers, Shoes };

struct Shape {
  enum class Kind { Ellipsoid, Capsule };
  Kind kind = Kind::Capsule;
  Surface surface = Surface::Skin;
  // Ellipsoid: centre a, unit axes (axisX, axisY, axisZ) with the semi-axes radii.
  // Capsule: segment a to b, radius radii.x.
  Vec3 a;
  Vec3 b;
  Vec3 axisX{1.0f, 0.0f, 0.0f};
  Vec3 axisY{0.0f, 1.0f, 0.0f};
  Vec3 axisZ{0.0f, 0.0f, 1.0f};
  Vec3 radii;
  // Ellipsoid: the axes divided by their semi-axes, taking a point into the unit sphere's frame.
  Vec3 unitX;
  Vec3 unitY;
  Vec3 unitZ;
  // Capsule: the segment divided by its squared length, which takes a point to its place
  // along the segment (0 at a, 1 at b); zero for a capsule that is a sphere.
  Vec3 alongSegment;

  // Corners of the axis-aligned box in camera space that contains the solid, for culling.
  Vec3 BoxMin() const;
  Vec3 BoxMax() const;
};

Shape MakeEllipsoid(Surface surface, Vec3 centre, Vec3 axisX, Vec3 axisY, Vec3 axisZ, Vec3 radii);
Shape MakeCapsule(Surface surface, Vec3 a, Vec3 b, float radius);

// Ray parameter of the first entry of ray origin + t * dir into the shape with t > 0, or a
// negative value when the ray misses. dir need not be of unit length.
float Intersect(const Shape& shape, Vec3 origin, Vec3 dir);

// A vector along the outward normal at a point on the shape's surface, of no particular
// length: shading divides by the length once instead of normalising first.
Vec3 OutwardAt(const Shape& shape, Vec3 point);

}  // namespace sim
