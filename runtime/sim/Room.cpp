// Room geometry and its procedural textures.
#include "runtime/sim/Room.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace sim {

namespace {

constexpr float kBackWallZ = 5.5f;
constexpr float kSideWallX = 2.8f;
constexpr float kCeilingAboveFloor = 2.7f;

enum class Face { Floor, Ceiling, LeftWall, RightWall, BackWall };

// A repeatable pseudo-random value in [0, 1) for an integer cell.
float Hash(int a, int b) {
  std::uint32_t h =
      static_cast<std::uint32_t>(a) * 73856093u ^ static_cast<std::uint32_t>(b) * 19349663u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return static_cast<float>(h & 0xffffu) / 65536.0f;
}

// Wooden planks running away from the sensor, 15 cm wide and 1.2 m long.
Rgb FloorColour(float x, float z) {
  const int plank = static_cast<int>(std::floor(x / 0.15f));
  const float offset = Hash(plank, 7) * 1.2f;
  const int board = static_cast<int>(std::floor((z + offset) / 1.2f));
  const float u = x / 0.15f - static_cast<float>(plank);
  const float v = (z + offset) / 1.2f - static_cast<float>(board);
  if (u < 0.04f || v < 0.01f) return {60, 40, 25};
  const float grain = 0.92f + 0.08f * std::sin(z * 40.0f + static_cast<float>(plank) * 3.0f);
  const float tone = (0.85f + 0.3f * Hash(plank, board)) * grain;
  return Scaled({165, 120, 80}, tone);
}

// The back wall, seen from the room: x and height above the floor.
Rgb BackWallColour(float x, float y) {
  if (y < 0.12f) return {235, 235, 230};  // skirting board
  // Window with a frame and two panes.
  if (x > -2.2f && x < -0.9f && y > 1.0f && y < 2.2f) {
    if (x < -2.14f || x > -0.96f || y < 1.06f || y > 2.14f || std::fabs(x + 1.55f) < 0.03f)
      return {245, 245, 245};
    return y > 1.5f ? Rgb{150, 195, 235} : Rgb{110, 160, 110};  // sky over a hedge
  }
  // A framed picture.
  if (x > 0.2f && x < 1.1f && y > 1.3f && y < 1.9f) {
    if (x < 0.25f || x > 1.05f || y < 1.35f || y > 1.85f) return {90, 60, 35};
    return y - 1.35f < 0.25f * std::sin((x - 0.25f) * 7.0f) + 0.2f ? Rgb{80, 130, 70}
                                                                   : Rgb{200, 170, 110};
  }
  // A height chart: a white strip with a mark every 10 cm, longer every 50 cm.
  if (x > 1.7f && x < 1.9f && y < 2.2f) {
    const float cm = y * 100.0f;
    const float mark = cm - 10.0f * std::floor(cm / 10.0f);
    const bool longMark = std::fmod(cm, 50.0f) < 1.0f;
    if (mark < 1.0f && (x < 1.78f || longMark)) return {40, 40, 40};
    return {250, 250, 245};
  }
  const float stripe = std::fmod(std::fabs(x), 0.5f) < 0.25f ? 1.0f : 0.96f;
  return Scaled({215, 205, 180}, stripe);
}

Rgb SideWallColour(float z, float y) {
  if (y < 0.12f) return {235, 235, 230};
  // A door in each side wall.
  if (z > 4.0f && z < 4.9f && y < 2.05f) {
    if (z < 4.05f || z > 4.85f || y > 2.0f) return {240, 240, 240};
    return {150, 100, 60};
  }
  return {200, 195, 175};
}

}  // namespace

RoomHit Room::Cast(Vec3 origin, Vec3 dir) const {
  float best = std::numeric_limits<float>::infinity();
  Face face = Face::BackWall;
  auto consider = [&](float t, Face f) {
    if (t > 0.0f && t < best) {
      best = t;
      face = f;
    }
  };
  if (dir.y < 0.0f) consider((m_floorY - origin.y) / dir.y, Face::Floor);
  if (dir.y > 0.0f) consider((m_floorY + kCeilingAboveFloor - origin.y) / dir.y, Face::Ceiling);
  if (dir.x < 0.0f) consider((-kSideWallX - origin.x) / dir.x, Face::LeftWall);
  if (dir.x > 0.0f) consider((kSideWallX - origin.x) / dir.x, Face::RightWall);
  if (dir.z > 0.0f) consider((kBackWallZ - origin.z) / dir.z, Face::BackWall);

  RoomHit hit;
  hit.t = best;
  hit.point = origin + dir * best;
  const Vec3 p = hit.point;
  const float above = p.y - m_floorY;
  // A ceiling lamp above the middle of the room; light falls off gently with distance.
  const Vec3 lamp{0.0f, m_floorY + kCeilingAboveFloor - 0.1f, 3.0f};
  const float distance = Length(lamp - p);
  const float light = std::clamp(1.25f - 0.12f * distance, 0.55f, 1.1f);
  switch (face) {
    case Face::Floor:
      hit.colour = Scaled(FloorColour(p.x, p.z), light);
      break;
    case Face::Ceiling:
      hit.colour = Scaled({240, 240, 235}, light);
      break;
    case Face::LeftWall:
    case Face::RightWall:
      hit.colour = Scaled(SideWallColour(p.z, above), light * 0.9f);
      break;
    case Face::BackWall:
      hit.colour = Scaled(BackWallColour(p.x, above), light);
      break;
  }
  return hit;
}

}  // namespace sim
