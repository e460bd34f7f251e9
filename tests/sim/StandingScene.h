// Scenes for the simulator tests: people standing still at given places.
#pragma once

#include "runtime/sim/Scene.h"

namespace simtest {

inline sim::Person StandingPerson(double heightCm, double x, double z, double facingDeg = 0.0) {
  sim::Person p;
  p.heightCm = heightCm;
  p.path = {{0.0, x, z, facingDeg}};
  return p;
}

inline sim::Scene StandingScene(double heightCm, double x, double z, double facingDeg = 0.0) {
  sim::Scene scene;
  scene.sensorHeightCm = 75.5;
  scene.people = {StandingPerson(heightCm, x, z, facingDeg)};
  return scene;
}

}  // namespace simtest
