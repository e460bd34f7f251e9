// The built-in demo scene's people and paths.
#include "runtime/sim/DemoScene.h"

namespace sim {

Scene DemoScene() {
  Scene scene;
  scene.sensorHeightCm = 75.5;
  scene.noise = false;
  scene.durationS = 20.0;
  scene.loop = true;

  Person adult;
  adult.name = "adult";
  adult.heightCm = 172.0;
  adult.clothing.shirt = {60, 90, 160};
  adult.clothing.trousers = {45, 45, 55};
  adult.clothing.hair = {50, 35, 20};
  constexpr double kAdultZ = 3.85;
  adult.path = {{0.0, -3.2, kAdultZ, 90.0}, {3.0, -0.7, kAdultZ, 90.0}, {3.6, -0.7, kAdultZ, 0.0},
                {8.0, -0.7, kAdultZ, 0.0},  {8.6, -0.7, kAdultZ, 90.0}, {11.5, 0.8, kAdultZ, 90.0},
                {12.1, 0.8, kAdultZ, 0.0},  {15.5, 0.8, kAdultZ, 0.0},  {16.1, 0.8, kAdultZ, 90.0},
                {19.0, 3.3, kAdultZ, 90.0}};

  Person child;
  child.name = "child";
  child.heightCm = 118.0;
  child.clothing.shirt = {200, 70, 60};
  child.clothing.trousers = {60, 80, 120};
  child.clothing.skin = {235, 195, 165};
  child.clothing.hair = {120, 80, 40};
  constexpr double kChildZ = 2.8;
  child.path = {
      {0.0, 3.2, kChildZ, -90.0},   {1.0, 3.2, kChildZ, -90.0},  {4.0, 0.45, kChildZ, -90.0},
      {4.6, 0.45, kChildZ, 0.0},    {8.0, 0.45, kChildZ, 0.0},   {8.6, 0.45, kChildZ, -90.0},
      {11.5, -0.6, kChildZ, -90.0}, {12.1, -0.6, kChildZ, 0.0},  {15.5, -0.6, kChildZ, 0.0},
      {16.1, -0.6, kChildZ, -90.0}, {19.0, -3.3, kChildZ, -90.0}};

  scene.people = {adult, child};
  return scene;
}

}  // namespace sim
