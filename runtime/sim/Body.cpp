// Body proportions, walking swing, joints and face points.
#include "runtime/sim/Body.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sim {

namespace {

// A point in the person's own frame: l to their right, y above the floor, f forward.
struct Local {
  float l;
  float y;
  float f;
};

// A point (l, y, f) swung about a pivot height in the person's sagittal plane.
Local Swing(Local p, Local pivot, float angle) {
  const float dy = p.y - pivot.y;
  const float df = p.f - pivot.f;
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  return {p.l, pivot.y + dy * c - df * s, pivot.f + dy * s + df * c};
}

}  // namespace

Body BuildBody(const Person& person, const Pose& pose, double t, float sensorHeightM,
               int playerIndex) {
  Body body;
  body.playerIndex = playerIndex;
  body.clothing = person.clothing;
  const float h = static_cast<float>(person.heightCm / 100.0);
  body.heightM = h;

  const float facing = static_cast<float>(pose.facingDeg * std::numbers::pi / 180.0);
  body.forward = {std::sin(facing), 0.0f, -std::cos(facing)};
  body.right = {-std::cos(facing), 0.0f, -std::sin(facing)};
  const Vec3 base{static_cast<float>(pose.x), -sensorHeightM, static_cast<float>(pose.z)};
  auto place = [&](Local p) {
    return base + body.right * p.l + body.up * p.y + body.forward * p.f;
  };

  const float s = h / 1.72f;          // body scale
  const float k = 0.55f + 0.45f * s;  // head scale: heads grow slower than bodies
  const Vec3 headRadii{0.078f * k, 0.115f * k, 0.097f * k};
  const float headCentreY = h - headRadii.y;
  const float chinY = h - 2.0f * headRadii.y;
  const float shoulderY = chinY - 0.05f * s;
  const float hipY = 0.53f * h;

  // Walking swing: legs and arms swing in opposite phase, in proportion to the speed.
  const float amplitude =
      0.45f * std::min(1.0f, static_cast<float>(pose.speed) / 1.0f);  // radians at full stride
  const float phase = static_cast<float>(std::sin(t * 2.0 * std::numbers::pi * 0.9));
  const float legSwing[2] = {amplitude * phase, -amplitude * phase};  // left, right

  std::array<Local, kJointCount> j;
  j[kHipCentre] = {0.0f, hipY, 0.0f};
  j[kShoulderCentre] = {0.0f, shoulderY, 0.0f};
  j[kSpine] = {0.0f, hipY + 0.35f * (shoulderY - hipY), -0.01f * s};
  j[kHead] = {0.0f, headCentreY, 0.0f};
  for (int side = 0; side < 2; ++side) {
    const float sign = side == 0 ? -1.0f : 1.0f;  // the left side lies at negative l
    const int shoulder = side == 0 ? kShoulderLeft : kShoulderRight;
    const Local shoulderAt{sign * 0.175f * s, shoulderY - 0.02f * s, 0.0f};
    const float armSwing = -0.6f * legSwing[side];
    j[shoulder] = shoulderAt;
    j[shoulder + 1] = Swing({sign * 0.19f * s, shoulderY - 0.30f * s, 0.0f}, shoulderAt, armSwing);
    j[shoulder + 2] =
        Swing({sign * 0.20f * s, shoulderY - 0.55f * s, 0.02f * s}, shoulderAt, armSwing);
    j[shoulder + 3] =
        Swing({sign * 0.20f * s, shoulderY - 0.63f * s, 0.03f * s}, shoulderAt, armSwing);
    const int hip = side == 0 ? kHipLeft : kHipRight;
    const Local hipAt{sign * 0.085f * s, hipY - 0.03f * s, 0.0f};
    j[hip] = hipAt;
    j[hip + 1] = Swing({sign * 0.09f * s, 0.28f * h, 0.01f * s}, hipAt, legSwing[side]);
    j[hip + 2] = Swing({sign * 0.09f * s, 0.045f * h, 0.0f}, hipAt, legSwing[side]);
    j[hip + 3] = Swing({sign * 0.09f * s, 0.02f * h, 0.08f * s}, hipAt, legSwing[side]);
  }
  for (int i = 0; i < kJointCount; ++i) body.joints[i] = place(j[i]);

  body.headCentre = place({0.0f, headCentreY, 0.0f});
  body.headRadii = headRadii;
  body.headTop = place({0.0f, h, 0.0f});

  auto& shapes = body.shapes;
  shapes[0] =
      MakeEllipsoid(Surface::Head, body.headCentre, body.right, body.up, body.forward, headRadii);
  shapes[1] = MakeCapsule(Surface::Skin, place({0.0f, shoulderY, -0.005f * s}),
                          place({0.0f, chinY + 0.3f * headRadii.y, -0.01f * k}), 0.045f * k);
  shapes[2] = MakeEllipsoid(Surface::Shirt, place({0.0f, 0.5f * (shoulderY + hipY), 0.0f}),
                            body.right, body.up, body.forward,
                            {0.165f * s, 0.5f * (shoulderY - hipY) + 0.05f * s, 0.10f * s});
  shapes[3] = MakeEllipsoid(Surface::Trousers, place({0.0f, hipY, 0.0f}), body.right, body.up,
                            body.forward, {0.15f * s, 0.09f * s, 0.10f * s});
  int n = 4;
  for (int side = 0; side < 2; ++side) {
    const int shoulder = side == 0 ? kShoulderLeft : kShoulderRight;
    const int hip = side == 0 ? kHipLeft : kHipRight;
    const auto& J = body.joints;
    shapes[n++] = MakeCapsule(Surface::Shirt, J[shoulder], J[shoulder + 1], 0.045f * s);
    shapes[n++] = MakeCapsule(Surface::Skin, J[shoulder + 1], J[shoulder + 2], 0.036f * s);
    shapes[n++] = MakeCapsule(Surface::Skin, J[shoulder + 2], J[shoulder + 3], 0.035f * s);
    shapes[n++] = MakeCapsule(Surface::Trousers, J[hip], J[hip + 1], 0.075f * s);
    shapes[n++] = MakeCapsule(Surface::Trousers, J[hip + 1], J[hip + 2], 0.055f * s);
    const Local ankle = j[hip + 2];
    const Local heel{ankle.l, ankle.y - 0.01f * h, ankle.f - 0.03f * s};
    const Local toe{ankle.l, heel.y, ankle.f + 0.15f * s};
    shapes[n++] = MakeCapsule(Surface::Shoes, place(heel), place(toe), 0.035f * s);
  }

  // Face points lie on the head's front surface; offsets (to the right, up) from the glabella,
  // which is kGlabellaBelowTop below the top of the head.
  const float gy = headRadii.y - kGlabellaBelowTop;
  static constexpr float kOffsets[kShapePointCount][2] = {
      {0.045f, 0.004f},  {0.015f, 0.006f},   {-0.015f, 0.006f},  {-0.045f, 0.004f},
      {0.042f, -0.015f}, {0.018f, -0.015f},  {-0.018f, -0.015f}, {-0.042f, -0.015f},
      {0.0f, -0.050f},   {0.025f, -0.078f},  {-0.025f, -0.078f}, {0.0f, -0.072f},
      {0.0f, -0.084f},   {0.0f, -0.110f},    {0.0f, 0.040f},     {0.0f, 0.0f},
      {0.055f, -0.050f}, {-0.055f, -0.050f}, {0.060f, -0.085f},  {-0.060f, -0.085f}};
  for (int i = 0; i < kShapePointCount; ++i) {
    const float lx = kOffsets[i][0] * k;
    const float ly = std::max(gy + kOffsets[i][1] * k, -0.95f * headRadii.y);
    const float ex = lx / headRadii.x;
    const float ey = ly / headRadii.y;
    const float lf = headRadii.z * std::sqrt(std::max(0.05f, 1.0f - ex * ex - ey * ey));
    body.facePoints[i] = body.headCentre + body.right * lx + body.up * ly + body.forward * lf;
  }
  return body;
}

}  // namespace sim
