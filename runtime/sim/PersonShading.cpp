// Person colours and the painted face.
#include "runtime/sim/PersonShading.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

// The head's colour at a point given in the head's frame (metres from its centre).
Rgb HeadColour(const Body& body, float l, float y, float f) {
  const Clothing& c = body.clothing;
  const Vec3 r = body.headRadii;
  const float ny = y / r.y;
  const float nf = f / r.z;
  if (ny > 0.55f || (nf < -0.1f && ny > -0.45f) || (nf < 0.25f && ny > 0.2f)) return c.hair;
  if (nf < 0.5f) return c.skin;
  const float k = r.y / 0.115f;
  const float dy = (y - (r.y - kGlabellaBelowTop)) / k;  // above the glabella, unscaled
  const float ax = std::fabs(l) / k;
  if (dy > 0.001f && dy < 0.010f && ax > 0.010f && ax < 0.047f) return Scaled(c.hair, 0.7f);
  if (dy > -0.022f && dy < -0.008f && ax > 0.017f && ax < 0.043f) {
    if (ax > 0.025f && ax < 0.035f) return {45, 35, 30};
    return {240, 240, 235};
  }
  if (dy > -0.086f && dy < -0.072f && ax < 0.026f) return {170, 60, 65};
  return c.skin;
}

}  // namespace

Rgb ShadePerson(const Body& body, int shapeIndex, Vec3 point) {
  const Shape& shape = body.shapes[shapeIndex];
  const Clothing& c = body.clothing;
  Rgb base = c.skin;
  switch (shape.surface) {
    case Surface::Head: {
      const Vec3 q = point - body.headCentre;
      base = HeadColour(body, Dot(q, body.right), Dot(q, body.up), Dot(q, body.forward));
      break;
    }
    case Surface::Skin:
      base = c.skin;
      break;
    case Surface::Shirt:
      base = c.shirt;
      break;
    case Surface::Trousers:
      base = c.trousers;
      break;
    case Surface::Shoes:
      base = c.shoes;
      break;
  }
  // Light from above, in front of the sensor, slightly to the right.
  static const Vec3 kToLight = Normalize({0.3f, 0.8f, -0.6f});
  // Surfaces turned from the light get none, without working out the normal's length.
  const Vec3 outward = OutwardAt(shape, point);
  const float facing = Dot(outward, kToLight);
  const float lambert = facing > 0.0f ? facing / Length(outward) : 0.0f;
  return Scaled(base, 0.45f + 0.6f * lambert);
}

}  // namespace sim
