// The simulated scene: where the sensor hangs, whether depth noise is on, how long the scene
// runs, and the people in it with their heights, clothing colours and timed paths across the
// floor. A person's position and facing at any time interpolate linearly between path keys.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/sim/Colour.h"

namespace sim {

// A scene that cannot be used: bad JSON, a missing or out-of-range value. The message says
// what is wrong and where.
class SceneError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Clothing {
  Rgb shirt{70, 110, 170};
  Rgb trousers{50, 50, 60};
  Rgb skin{225, 180, 150};
  Rgb hair{60, 40, 25};
  Rgb shoes{30, 30, 30};
};

// One key of a person's path. x and z are the floor position in camera space (metres); the
// facing angle is in degrees: 0 faces the sensor, 90 faces +x (walking to the right of the
// picture), -90 faces -x, 180 faces away. Angles interpolate linearly as given, so a turn from
// 170 to -170 spins the long way round; write 170 to 190 for the short one.
struct PathKey {
  double time = 0.0;  // seconds
  double x = 0.0;
  double z = 0.0;
  double facingDeg = 0.0;
};

struct Person {
  std::string name;
  double heightCm = 170.0;  // top of the head above the floor
  Clothing clothing;
  std::vector<PathKey> path;  // at least one key, times strictly increasing
};

// Where a person is at one moment. speed is the floor speed in m/s (drives the walking swing).
struct Pose {
  double x = 0.0;
  double z = 0.0;
  double facingDeg = 0.0;
  double speed = 0.0;
};

inline constexpr int kMaxPeople = 6;

struct Scene {
  double sensorHeightCm = 75.5;  // sensor's optical axis above the floor
  bool noise = false;            // sensor-like depth noise
  double durationS = 20.0;       // length of the scene
  bool loop = true;              // after durationS the scene starts again
  std::vector<Person> people;    // at most kMaxPeople
};

// Throws SceneError when a value is out of range: sensor height not in (0, 500] cm, duration not
// positive, more than kMaxPeople people, a height not in [50, 250] cm, an empty path, path times
// not strictly increasing, or a value that is not finite.
void ValidateScene(const Scene& scene);

// Scene time for a time since the start: wrapped into [0, durationS) when looping, else as is.
double SceneTime(const Scene& scene, double seconds);

// Position and facing of a person at scene time t: held at the first key before it and at the
// last key after it.
Pose PoseAt(const Person& person, double t);

}  // namespace sim
