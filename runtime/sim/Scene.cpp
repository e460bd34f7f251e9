// Scene validation, looping time and path interpolation.
#include "runtime/sim/Scene.h"

#include <cmath>
#include <string>

namespace sim {

namespace {

void Require(bool condition, const std::string& message) {
  if (!condition) throw SceneError(message);
}

bool Finite(double v) {
  return std::isfinite(v);
}

}  // namespace

void ValidateScene(const Scene& scene) {
  Require(
      Finite(scene.sensorHeightCm) && scene.sensorHeightCm > 0.0 && scene.sensorHeightCm <= 500.0,
      "sensor height must be above 0 and at most 500 cm");
  Require(Finite(scene.durationS) && scene.durationS > 0.0, "duration must be positive");
  Require(scene.people.size() <= static_cast<std::size_t>(kMaxPeople),
          "a scene holds at most " + std::to_string(kMaxPeople) + " people");
  for (std::size_t i = 0; i < scene.people.size(); ++i) {
    const Person& p = scene.people[i];
    const std::string who = "person " + std::to_string(i + 1);
    Require(Finite(p.heightCm) && p.heightCm >= 50.0 && p.heightCm <= 250.0,
            who + ": height must be between 50 and 250 cm");
    Require(!p.path.empty(), who + ": path needs at least one key");
    for (std::size_t k = 0; k < p.path.size(); ++k) {
      const PathKey& key = p.path[k];
      const std::string where = who + ", path key " + std::to_string(k + 1);
      Require(Finite(key.time) && Finite(key.x) && Finite(key.z) && Finite(key.facingDeg),
              where + ": values must be finite numbers");
      Require(k == 0 || key.time > p.path[k - 1].time,
              where + ": times must be strictly increasing");
    }
  }
}

double SceneTime(const Scene& scene, double seconds) {
  if (!scene.loop || !(seconds >= 0.0)) return seconds;
  return std::fmod(seconds, scene.durationS);
}

Pose PoseAt(const Person& person, double t) {
  const std::vector<PathKey>& path = person.path;
  const PathKey& first = path.front();
  const PathKey& last = path.back();
  if (!(t > first.time)) return {first.x, first.z, first.facingDeg, 0.0};
  if (t >= last.time) return {last.x, last.z, last.facingDeg, 0.0};
  std::size_t k = 1;
  while (path[k].time <= t) ++k;
  const PathKey& a = path[k - 1];
  const PathKey& b = path[k];
  const double span = b.time - a.time;
  const double f = (t - a.time) / span;
  const double dx = b.x - a.x;
  const double dz = b.z - a.z;
  return {a.x + f * dx, a.z + f * dz, a.facingDeg + f * (b.facingDeg - a.facingDeg),
          std::sqrt(dx * dx + dz * dz) / span};
}

}  // namespace sim
