// Frame rendering: room cache, people rasterised by ray casting, depth packing, point map,
// skeletons and faces.
#include "runtime/sim/Simulator.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <span>

#include "runtime/sim/Cameras.h"
#include "runtime/sim/FaceObservation.h"
#include "runtime/sim/PersonShading.h"
#include "runtime/sim/Room.h"
#include "runtime/sim/ShapeRays.h"
#include "runtime/sim/Skeletons.h"

namespace sim {

namespace {

constexpr std::uint16_t kMaxPackedDepthMm = 8191;  // 13 bits above the player index
constexpr int kHoleMargin = 2;                     // silhouette holes reach this far outside
static_assert(kMaxPeople * kBodyShapeCount < 256, "owners are kept in a byte");

// Metres to whole millimetres, halves away from zero as std::lround rounds, but without its
// library call, which showed in the profile. A float plus one half is exact in double. The
// result is bounded (NaN gives the lower bound) so that the conversion is always defined.
std::int32_t Millimetres(float z) {
  constexpr std::int32_t kLimit = 2'000'000'000;
  const float mm = z * 1000.0f;
  const double rounded = mm < 0.0f ? mm - 0.5 : mm + 0.5;
  if (!(rounded > -kLimit)) return -kLimit;
  if (rounded > kLimit) return kLimit;
  return static_cast<std::int32_t>(rounded);
}

// The extended depth pixel for a depth in metres and a player index.
DepthImagePixel Extended(float z, int player) {
  const std::int32_t mm = std::clamp(Millimetres(z), 0, 65535);
  return {static_cast<std::uint16_t>(player), static_cast<std::uint16_t>(mm)};
}

// The packed depth pixel of an extended one: the depth clipped to 13 bits above the player.
std::uint16_t Packed(DepthImagePixel extended) {
  const int clipped = std::min<int>(extended.depth, kMaxPackedDepthMm);
  return static_cast<std::uint16_t>((clipped << 3) | extended.playerIndex);
}

// The depth pixel a seen point projects to. Points very close to the sensor project far off
// the image; the coordinates are bounded so that they stay representable.
DepthImagePoint MapToDepth(Vec3 p) {
  const Vec2 d = kDepthCamera.Project(p);
  auto pixel = [](float v) {
    return static_cast<std::int32_t>(std::clamp(std::floor(v), -1.0e6f, 1.0e6f));
  };
  return {pixel(d.x), pixel(d.y), Millimetres(p.z), 0};
}

PixelRect Union(PixelRect a, PixelRect b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

PixelRect Grow(PixelRect r, int margin) {
  if (r.Empty()) return r;
  return {std::max(0, r.x0 - margin), std::max(0, r.y0 - margin),
          std::min(kImageWidth, r.x1 + margin), std::min(kImageHeight, r.y1 + margin)};
}

// The pixels whose rays may meet a box: the bounds of its corners' projections.
PixelRect ScreenRect(const PinholeCamera& camera, Vec3 lo, Vec3 hi) {
  if (hi.z <= 0.0f) return {};
  if (lo.z < 0.05f) return {0, 0, kImageWidth, kImageHeight};
  const float xs[2] = {lo.x - camera.offsetX, hi.x - camera.offsetX};
  const float ys[2] = {lo.y, hi.y};
  float minX = xs[0] / lo.z, maxX = minX, minY = ys[0] / lo.z, maxY = minY;
  for (float z : {lo.z, hi.z}) {
    for (float x : xs) {
      minX = std::min(minX, x / z);
      maxX = std::max(maxX, x / z);
    }
    for (float y : ys) {
      minY = std::min(minY, y / z);
      maxY = std::max(maxY, y / z);
    }
  }
  auto column = [](float u) { return std::clamp(u, 0.0f, static_cast<float>(kImageWidth)); };
  auto row = [](float v) { return std::clamp(v, 0.0f, static_cast<float>(kImageHeight)); };
  PixelRect r;
  r.x0 = static_cast<int>(column(std::floor(camera.centreX + camera.focal * minX)));
  r.x1 = static_cast<int>(column(std::floor(camera.centreX + camera.focal * maxX) + 1.0f));
  r.y0 = static_cast<int>(row(std::floor(camera.centreY - camera.focal * maxY)));
  r.y1 = static_cast<int>(row(std::floor(camera.centreY - camera.focal * minY) + 1.0f));
  return r;
}

// A pixel whose z-buffer is nearer than the solid's nearest depth by more than this cannot be
// reached by it, so its ray is not cast. The margin covers rounding in the ray parameter.
constexpr float kCullMarginM = 0.001f;

template <typename Rays>
void CastRays(const PinholeCamera& camera, const Rays& rays, PixelRect rect, float nearestZ,
              std::uint8_t ownerId, std::vector<float>& zBuffer, std::vector<std::uint8_t>& owner) {
  const float cull = nearestZ - kCullMarginM;
  for (int v = rect.y0; v < rect.y1; ++v) {
    const std::size_t row = static_cast<std::size_t>(v) * kImageWidth;
    for (int u = rect.x0; u < rect.x1; ++u) {
      float& z = zBuffer[row + u];
      if (z < cull) continue;
      const float t = rays.Intersect(camera.RayDirection(u, v));
      if (t > 0.0f && t < z) {
        z = t;
        owner[row + u] = ownerId;
      }
    }
  }
}

// Casts one solid into a camera's z-buffer; returns the rectangle it was cast into.
PixelRect CastShape(const PinholeCamera& camera, const Shape& shape, std::uint8_t ownerId,
                    std::vector<float>& zBuffer, std::vector<std::uint8_t>& owner) {
  const Vec3 lo = shape.BoxMin();
  const PixelRect rect = ScreenRect(camera, lo, shape.BoxMax());
  if (shape.kind == Shape::Kind::Ellipsoid) {
    CastRays(camera, EllipsoidRays(shape, camera.Origin()), rect, lo.z, ownerId, zBuffer, owner);
  } else {
    CastRays(camera, CapsuleRays(shape, camera.Origin()), rect, lo.z, ownerId, zBuffer, owner);
  }
  return rect;
}

template <typename T>
void CopyRect(const std::vector<T>& from, std::vector<T>& to, PixelRect r) {
  for (int y = r.y0; y < r.y1; ++y) {
    const std::size_t i = static_cast<std::size_t>(y) * kImageWidth + r.x0;
    std::copy_n(from.begin() + i, r.x1 - r.x0, to.begin() + i);
  }
}

}  // namespace

Simulator::Simulator(Scene scene)
    : m_scene((ValidateScene(scene), std::move(scene))),
      m_sensorHeightM(static_cast<float>(m_scene.sensorHeightCm / 100.0)) {
  m_roomColor.resize(kPixelCount * 4);
  m_roomExtended.resize(kPixelCount);
  m_roomPointMap.resize(kPixelCount);
  for (CameraBuffers* cam : {&m_depthCam, &m_colorCam}) {
    cam->roomZ.resize(kPixelCount);
    cam->owner.assign(kPixelCount, 0);
  }
  CastRoom();
  m_depthCam.z = m_depthCam.roomZ;
  m_colorCam.z = m_colorCam.roomZ;
  m_bodies.reserve(m_scene.people.size());
}

void Simulator::CastRoom() {
  const Room room(m_sensorHeightM);
  for (int v = 0; v < kImageHeight; ++v) {
    for (int u = 0; u < kImageWidth; ++u) {
      const std::size_t i = static_cast<std::size_t>(v) * kImageWidth + u;
      const RoomHit d = room.Cast(kDepthCamera.Origin(), kDepthCamera.RayDirection(u, v));
      m_depthCam.roomZ[i] = d.t;
      m_roomExtended[i] = Extended(m_scene.noise ? QuantisedDepthM(d.t) : d.t, 0);

      const RoomHit c = room.Cast(kColorCamera.Origin(), kColorCamera.RayDirection(u, v));
      m_colorCam.roomZ[i] = c.t;
      m_roomColor[i * 4 + 0] = c.colour.b;
      m_roomColor[i * 4 + 1] = c.colour.g;
      m_roomColor[i * 4 + 2] = c.colour.r;
      m_roomColor[i * 4 + 3] = 0;
      m_roomPointMap[i] = MapToDepth(c.point);
    }
  }
}

void Simulator::RestoreRoom(FrameTarget& target) {
  FrameSet& frames = target.frames;
  if (frames.color.size() != m_roomColor.size()) {
    frames.color = m_roomColor;
    frames.depth.resize(kPixelCount);
    std::transform(m_roomExtended.begin(), m_roomExtended.end(), frames.depth.begin(), Packed);
    frames.extendedDepth = m_roomExtended;
    if (!target.pointMapInPatches) frames.pointMap = m_roomPointMap;
    frames.people.reserve(m_scene.people.size());
  } else {
    for (PixelRect r : target.depthCovered) {
      for (int y = r.y0; y < r.y1; ++y) {
        const std::size_t i = static_cast<std::size_t>(y) * kImageWidth + r.x0;
        std::transform(m_roomExtended.begin() + i, m_roomExtended.begin() + i + (r.x1 - r.x0),
                       frames.depth.begin() + i, Packed);
      }
      CopyRect(m_roomExtended, frames.extendedDepth, r);
    }
    for (PixelRect r : target.colorCovered) {
      for (int y = r.y0; y < r.y1; ++y) {
        const std::size_t i = (static_cast<std::size_t>(y) * kImageWidth + r.x0) * 4;
        std::copy_n(m_roomColor.begin() + i, (r.x1 - r.x0) * 4, frames.color.begin() + i);
      }
      if (!target.pointMapInPatches) CopyRect(m_roomPointMap, frames.pointMap, r);
    }
  }
  // The z-buffers and owners hold the last frame rendered, whichever target it went to.
  for (CameraBuffers* cam : {&m_depthCam, &m_colorCam}) {
    for (PixelRect r : cam->dirty) {
      CopyRect(cam->roomZ, cam->z, r);
      for (int y = r.y0; y < r.y1; ++y)
        std::fill_n(cam->owner.begin() + y * kImageWidth + r.x0, r.x1 - r.x0, 0);
    }
    cam->dirty.clear();
  }
}

void Simulator::DrawBody(int bodyIndex) {
  const Body& body = m_bodies[bodyIndex];
  PixelRect depthRect;
  PixelRect colorRect;
  for (int s = 0; s < kBodyShapeCount; ++s) {
    const auto id = static_cast<std::uint8_t>(bodyIndex * kBodyShapeCount + s + 1);
    depthRect = Union(depthRect,
                      CastShape(kDepthCamera, body.shapes[s], id, m_depthCam.z, m_depthCam.owner));
    colorRect = Union(colorRect,
                      CastShape(kColorCamera, body.shapes[s], id, m_colorCam.z, m_colorCam.owner));
  }
  if (!depthRect.Empty()) m_depthCam.dirty.push_back(Grow(depthRect, kHoleMargin));
  if (!colorRect.Empty()) m_colorCam.dirty.push_back(colorRect);
}

void Simulator::ResolveDepth(PixelRect r, FrameSet& frames) {
  for (int y = r.y0; y < r.y1; ++y) {
    for (int x = r.x0; x < r.x1; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * kImageWidth + x;
      const int id = m_depthCam.owner[i];
      if (id == 0) continue;
      const float z = m_depthCam.z[i];
      const int player = m_bodies[(id - 1) / kBodyShapeCount].playerIndex;
      frames.extendedDepth[i] = Extended(m_scene.noise ? QuantisedDepthM(z) : z, player);
      frames.depth[i] = Packed(frames.extendedDepth[i]);
    }
  }
}

void Simulator::ResolveColour(PixelRect r, FrameSet& frames, DepthImagePoint* points,
                              std::size_t pointStride) {
  for (int y = r.y0; y < r.y1; ++y) {
    DepthImagePoint* row = points + static_cast<std::size_t>(y - r.y0) * pointStride;
    for (int x = r.x0; x < r.x1; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * kImageWidth + x;
      const int id = m_colorCam.owner[i];
      if (id == 0) continue;
      const Body& body = m_bodies[(id - 1) / kBodyShapeCount];
      const Vec3 p = kColorCamera.Origin() + kColorCamera.RayDirection(x, y) * m_colorCam.z[i];
      const Rgb c = ShadePerson(body, (id - 1) % kBodyShapeCount, p);
      frames.color[i * 4 + 0] = c.b;
      frames.color[i * 4 + 1] = c.g;
      frames.color[i * 4 + 2] = c.r;
      row[x - r.x0] = MapToDepth(p);
    }
  }
}

// Each patch starts as the room and gets the people's points of its rectangle, including
// those of someone else reaching into it, so any patch agrees with the whole map.
void Simulator::ResolvePointPatches(FrameTarget& target) {
  std::size_t total = 0;
  for (PixelRect r : m_colorCam.dirty)
    total += static_cast<std::size_t>(r.x1 - r.x0) * (r.y1 - r.y0);
  target.patches.resize(total);
  DepthImagePoint* patch = target.patches.data();
  for (PixelRect r : m_colorCam.dirty) {
    const std::size_t width = r.x1 - r.x0;
    for (int y = r.y0; y < r.y1; ++y) {
      const std::size_t i = static_cast<std::size_t>(y) * kImageWidth + r.x0;
      std::copy_n(m_roomPointMap.begin() + i, width, patch + (y - r.y0) * width);
    }
    ResolveColour(r, target.frames, patch, width);
    patch += width * (r.y1 - r.y0);
  }
}

void Simulator::CopyPointMap(const FrameTarget& target, void* out, std::size_t count) const {
  count = std::min<std::size_t>(count, kPixelCount);
  auto* bytes = static_cast<std::byte*>(out);
  if (!target.pointMapInPatches) {
    std::memcpy(bytes, target.frames.pointMap.data(), count * sizeof(DepthImagePoint));
    return;
  }
  std::memcpy(bytes, m_roomPointMap.data(), count * sizeof(DepthImagePoint));
  const DepthImagePoint* patch = target.patches.data();
  for (PixelRect r : target.colorCovered) {
    const std::size_t width = r.x1 - r.x0;
    for (int y = r.y0; y < r.y1; ++y) {
      const std::size_t i = static_cast<std::size_t>(y) * kImageWidth + r.x0;
      const std::size_t row = static_cast<std::size_t>(y - r.y0) * width;
      if (i < count) {
        std::memcpy(bytes + i * sizeof(DepthImagePoint), patch + row,
                    std::min(width, count - i) * sizeof(DepthImagePoint));
      }
    }
    patch += width * (r.y1 - r.y0);
  }
}

const FrameSet& Simulator::Render(double seconds) {
  Render(seconds, m_target);
  return m_target.frames;
}

void Simulator::Render(double seconds, FrameTarget& target) {
  FrameSet& frames = target.frames;
  const double t = SceneTime(m_scene, seconds);
  frames.sceneTime = t;
  RestoreRoom(target);

  m_bodies.clear();
  for (std::size_t i = 0; i < m_scene.people.size(); ++i) {
    const Person& person = m_scene.people[i];
    m_bodies.push_back(
        BuildBody(person, PoseAt(person, t), t, m_sensorHeightM, static_cast<int>(i) + 1));
  }
  for (std::size_t i = 0; i < m_bodies.size(); ++i) DrawBody(static_cast<int>(i));
  for (PixelRect r : m_depthCam.dirty) ResolveDepth(r, frames);
  if (target.pointMapInPatches) {
    ResolvePointPatches(target);
  } else {
    for (PixelRect r : m_colorCam.dirty)
      ResolveColour(r, frames,
                    &frames.pointMap[static_cast<std::size_t>(r.y0) * kImageWidth + r.x0],
                    kImageWidth);
  }
  if (m_scene.noise) {
    const auto seed = static_cast<std::uint32_t>(std::llround(t * 1000.0));
    for (PixelRect r : m_depthCam.dirty)
      PunchSilhouetteHoles(m_depthCam.z, r, seed, frames.depth, frames.extendedDepth);
  }
  target.depthCovered = m_depthCam.dirty;
  target.colorCovered = m_colorCam.dirty;

  frames.skeletons = {};
  frames.people.clear();
  for (std::size_t i = 0; i < m_bodies.size(); ++i) {
    const Body& body = m_bodies[i];
    frames.skeletons[body.playerIndex - 1] = ObserveSkeleton(body);
    PersonView view;
    view.playerIndex = body.playerIndex;
    view.heightCm = static_cast<float>(m_scene.people[i].heightCm);
    view.headCentre = body.headCentre;
    view.headTop = body.headTop;
    view.glabella = body.Glabella();
    view.face = ObserveFace(body, std::span<const Body>(m_bodies));
    frames.people.push_back(view);
  }
}

}  // namespace sim
